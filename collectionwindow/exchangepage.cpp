#include "collectionwindow/exchangepage.h"

#include "texts/texts.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// A table past this many rows lists no more: its counts still say all.
constexpr qsizetype kMostRowsListed = 10000;
constexpr int kMovieColumnCharacters = 32;
constexpr int kOutcomeColumnCharacters = 16;
constexpr int kCardColumnCharacters = 32;

QLabel *plainLabel(const char *name)
{
    auto *label = new QLabel;
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

QPushButton *namedButton(const char *name, Text text)
{
    auto *button = new QPushButton(textOf(text));
    button->setObjectName(QLatin1String(name));
    return button;
}

}   // namespace

ExchangePage::ExchangePage()
    : m_titleLabel(plainLabel("exchangeTitle")), m_summaryLabel(plainLabel("exchangeSummary")),
      m_table(new QTreeWidget), m_progressBar(new QProgressBar),
      m_applyButton(namedButton("applyButton", Text::ApplyButton)),
      m_cancelButton(namedButton("exchangeCancelButton", Text::CancelButton)),
      m_closeButton(namedButton("closeButton", Text::CloseButton))
{
    setObjectName(QStringLiteral("exchangePage"));
    m_table->setObjectName(QStringLiteral("exchangeTable"));
    m_table->setAccessibleName(textOf(Text::ExchangeTableName));
    m_table->setRootIsDecorated(false);
    m_table->setUniformRowHeights(true);
    m_table->setHeaderLabels({ textOf(Text::MovieColumn), textOf(Text::OutcomeColumn),
        textOf(Text::CardColumn), textOf(Text::DetailsColumn) });
    const int character = fontMetrics().averageCharWidth();
    m_table->setColumnWidth(0, character * kMovieColumnCharacters);
    m_table->setColumnWidth(1, character * kOutcomeColumnCharacters);
    m_table->setColumnWidth(2, character * kCardColumnCharacters);
    m_progressBar->setObjectName(QStringLiteral("exchangeProgress"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_progressBar, 1);
    buttons->addStretch(0);   // the buttons stay at the right once the bar is gone
    for (QPushButton *button : { m_cancelButton, m_applyButton, m_closeButton })
        buttons->addWidget(button);
    auto *column = new QVBoxLayout(this);
    column->addWidget(m_titleLabel);
    column->addWidget(m_summaryLabel);
    column->addWidget(m_table, 1);
    column->addLayout(buttons);
    connect(m_applyButton, &QPushButton::clicked, this, &ExchangePage::applyChosen);
    connect(m_cancelButton, &QPushButton::clicked, this, &ExchangePage::cancelChosen);
    connect(m_closeButton, &QPushButton::clicked, this, &ExchangePage::closeChosen);
}

void ExchangePage::start(const QString &title)
{
    m_table->clear();
    m_counts = {};
    m_rowsNotListed = 0;
    m_note.clear();
    showSummary();
    work(title, false);
    m_closeButton->show();   // a reading cannot be stopped, but its report may be dropped
}

void ExchangePage::work(const QString &title, bool cancellable)
{
    m_titleLabel->setText(title);
    m_titleLabel->setVisible(!title.isEmpty());
    showProgress(0, 0);
    m_cancelButton->setVisible(cancellable);
    m_applyButton->hide();
    m_closeButton->hide();
}

void ExchangePage::addRows(const QList<ExchangeRow> &rows)
{
    QList<QTreeWidgetItem *> items;
    for (const ExchangeRow &row : rows) {
        ++m_counts[size_t(row.kind)];
        if (m_table->topLevelItemCount() + items.size() >= kMostRowsListed) {
            ++m_rowsNotListed;
            continue;
        }
        auto *item = new QTreeWidgetItem({ row.movie, kindText(row.kind), row.cards, row.details });
        item->setToolTip(3, row.details);
        items << item;
    }
    m_table->addTopLevelItems(items);
    showSummary();
}

void ExchangePage::showProgress(qsizetype done, qsizetype total)
{
    m_progressBar->setRange(0, int(total));
    m_progressBar->setValue(int(done));
    m_progressBar->setAccessibleName(m_titleLabel->text());
    m_progressBar->show();
}

void ExchangePage::finish(bool applicable, const QString &note)
{
    m_note = note;
    m_titleLabel->hide();
    m_progressBar->hide();
    m_cancelButton->hide();
    m_applyButton->setVisible(applicable);
    m_closeButton->show();
    showSummary();
    m_table->setFocus();   // the report is read first; Tab goes on to its buttons
}

// Each outcome met, with its count: "À compléter : 3 · Introuvable : 1".
void ExchangePage::showSummary()
{
    QStringList counts;
    for (int kind = 0; kind < kExchangeKinds; ++kind) {
        if (m_counts[size_t(kind)] > 0)
            counts << textOf(Text::OutcomeCount)
                          .arg(kindText(ExchangeRow::Kind(kind)), QLocale().toString(m_counts[size_t(kind)]));
    }
    QStringList lines { counts.join(QStringLiteral(" · ")) };
    if (m_rowsNotListed > 0)
        lines << countText(m_rowsNotListed, Text::OneMoreCard, Text::MoreCards);
    if (!m_note.isEmpty())
        lines << m_note;
    m_summaryLabel->setText(lines.join(u'\n'));
}
