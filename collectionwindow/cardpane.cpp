#include "collectionwindow/cardpane.h"

#include "collectionwindow/ratingstars.h"
#include "collectionwindow/starrating.h"
#include "texts/texts.h"

#include <QApplication>
#include <QCheckBox>
#include <QCompleter>
#include <QDate>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStringListModel>
#include <QVBoxLayout>

namespace {

constexpr int kNotesLines = 5;   // the notes box's height, more scroll

QLabel *plainLabel(const char *name)
{
    auto *label = new QLabel;
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

template <typename Control> Control *named(const char *name)
{
    auto *control = new Control;
    control->setObjectName(QLatin1String(name));
    return control;
}

// A day as people read it: "12/03/2024", whatever time the card gives.
QString shownDay(const QString &date)
{
    return QLocale().toString(QDate::fromString(date.left(10), Qt::ISODate), QLocale::ShortFormat);
}

// The card's identifiers as links to its pages. They follow their rules
// ("tt" then digits, a number), so they go into the label's HTML as they are.
QString identifierLinks(const CardValues &values)
{
    QStringList links;
    if (const QString imdb = values.text(Field::Imdb); !imdb.isEmpty())
        links << QStringLiteral("<a href=\"https://www.imdb.com/title/%1/\">IMDb %1</a>").arg(imdb);
    if (const QString tmdb = values.text(Field::Tmdb); !tmdb.isEmpty())
        links << QStringLiteral("<a href=\"https://www.themoviedb.org/movie/%1\">TMDb %1</a>").arg(tmdb);
    return links.join(QStringLiteral(" · "));
}

}   // namespace

CardPane::CardPane(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("cardPane"));
    buildControls();
    layOut();
    setCaptions();
    connectHandlers();
    showNothing();
}

void CardPane::buildControls()
{
    m_posterLabel = named<QLabel>("posterLabel");
    m_posterLabel->setAlignment(Qt::AlignCenter);
    m_titleLabel = plainLabel("titleLabel");
    QFont bold = m_titleLabel->font();
    bold.setBold(true);
    m_titleLabel->setFont(bold);
    m_aboutLabel = plainLabel("aboutLabel");
    m_countLabel = plainLabel("chosenLabel");
    m_seenBox = named<QCheckBox>("seenBox");
    m_viewingsLabel = plainLabel("viewingsLabel");
    m_seenTodayButton = named<QPushButton>("seenTodayButton");
    m_stars = named<StarRating>("stars");
    m_tagsLabel = plainLabel("tagsLabel");
    m_tagEdit = named<QLineEdit>("tagEdit");
    m_addTagButton = named<QPushButton>("addTagButton");
    m_removeTagButton = named<QPushButton>("removeTagButton");
    m_sagaEdit = named<QLineEdit>("sagaEdit");
    m_originalTitleEdit = named<QLineEdit>("originalTitleEdit");
    m_lentToEdit = named<QLineEdit>("lentToEdit");
    m_lentSinceLabel = plainLabel("lentSinceLabel");
    m_supportEdit = named<QLineEdit>("supportEdit");
    m_placeEdit = named<QLineEdit>("placeEdit");
    m_notesEdit = named<QPlainTextEdit>("notesEdit");
    m_notesEdit->setTabChangesFocus(true);
    m_notesEdit->setFixedHeight(m_notesEdit->fontMetrics().lineSpacing() * kNotesLines + 12);
    m_notesEdit->installEventFilter(this);
    m_identifiersLabel = named<QLabel>("identifiersLabel");
    m_identifiersLabel->setTextFormat(Qt::RichText);
    m_tagCompleter = new QCompleter(new QStringListModel(this), this);
    m_sagaCompleter = new QCompleter(new QStringListModel(this), this);
    for (QCompleter *completer : { m_tagCompleter, m_sagaCompleter }) {
        completer->setCaseSensitivity(Qt::CaseInsensitive);
        completer->setFilterMode(Qt::MatchContains);
    }
    m_tagEdit->setCompleter(m_tagCompleter);
    m_sagaEdit->setCompleter(m_sagaCompleter);
    m_progressBar = named<QProgressBar>("progressBar");
    m_cancelButton = named<QPushButton>("cancelButton");
}

void CardPane::layOut()
{
    auto *column = new QVBoxLayout(this);
    column->addWidget(m_posterLabel);
    column->addWidget(m_titleLabel);
    column->addWidget(m_aboutLabel);
    column->addWidget(m_countLabel);
    m_form = new QFormLayout;
    m_form->setRowWrapPolicy(QFormLayout::WrapLongRows);
    auto *seen = new QHBoxLayout;
    seen->addWidget(m_seenBox);
    seen->addWidget(m_seenTodayButton);
    seen->addStretch();
    m_form->addRow(seen);
    m_form->addRow(m_viewingsLabel);
    m_form->addRow(new QLabel, m_stars);
    auto *tags = new QHBoxLayout;
    tags->addWidget(m_tagEdit, 1);
    tags->addWidget(m_addTagButton);
    tags->addWidget(m_removeTagButton);
    m_form->addRow(new QLabel, m_tagsLabel);
    m_form->addRow(tags);
    for (QWidget *edit : { static_cast<QWidget *>(m_sagaEdit), static_cast<QWidget *>(m_originalTitleEdit),
             static_cast<QWidget *>(m_lentToEdit) })
        m_form->addRow(new QLabel, edit);
    m_form->addRow(m_lentSinceLabel);
    m_form->addRow(new QLabel, m_supportEdit);
    m_form->addRow(new QLabel, m_placeEdit);
    m_form->addRow(new QLabel, m_notesEdit);
    m_form->addRow(m_identifiersLabel);
    column->addLayout(m_form);
    auto *progress = new QHBoxLayout;
    progress->addWidget(m_progressBar, 1);
    progress->addWidget(m_cancelButton);
    column->addLayout(progress);
    column->addStretch();
    hideProgress();
}

// Each control's caption, which is also its accessible name.
void CardPane::setCaptions()
{
    const std::pair<QWidget *, Text> captions[]
        = { { m_stars, Text::RatingColumn }, { m_tagsLabel, Text::TagsColumn },
              { m_sagaEdit, Text::SagaColumn }, { m_originalTitleEdit, Text::OriginalTitleColumn },
              { m_lentToEdit, Text::LentToColumn }, { m_supportEdit, Text::SupportLabel },
              { m_placeEdit, Text::PlaceLabel }, { m_notesEdit, Text::NotesLabel } };
    for (const auto &[control, caption] : captions) {
        if (auto *label = qobject_cast<QLabel *>(m_form->labelForField(control))) {
            label->setText(textOf(caption));
            label->setBuddy(control);
        }
        if (control != m_stars)
            control->setAccessibleName(textOf(caption));
    }
    m_seenBox->setText(textOf(Text::SeenColumn));
    m_seenTodayButton->setText(textOf(Text::SeenTodayButton));
    m_tagEdit->setPlaceholderText(textOf(Text::TagPlaceholder));
    m_tagEdit->setAccessibleName(textOf(Text::TagPlaceholder));
    m_addTagButton->setText(textOf(Text::AddTagButton));
    m_removeTagButton->setText(textOf(Text::RemoveTagButton));
    m_cancelButton->setText(textOf(Text::CancelButton));
    m_posterLabel->setAccessibleName(textOf(Text::PosterLabel));
    m_identifiersLabel->setAccessibleName(textOf(Text::IdentifiersLabel));
}

void CardPane::showNothing()
{
    m_shown = Shown::Nothing;
    m_values = {};
    showOnlyFor(Shown::Nothing);
}

void CardPane::showCard(const Card &card, const QImage &poster)
{
    m_shown = Shown::One;
    m_values = cardValues(card);
    showOnlyFor(Shown::One);
    showTexts(poster);
    showMine();
}

void CardPane::showMany(int count, bool allSeen, int sharedRating)
{
    m_shown = Shown::Many;
    m_values = {};
    showOnlyFor(Shown::Many);
    m_countLabel->setText(textOf(Text::CardsChosen).arg(QLocale().toString(count)));
    const QSignalBlocker blocker(m_seenBox);
    m_seenBox->setChecked(allSeen);
    m_stars->setRating(sharedRating);
    for (QLineEdit *edit : { m_tagEdit, m_sagaEdit, m_lentToEdit, m_supportEdit })
        edit->clear();
}

// What a kind of choice shows: one card every field, many cards the fields
// set for all, nothing no control.
void CardPane::showOnlyFor(Shown shown)
{
    using Widgets = std::initializer_list<QWidget *>;
    const bool one = shown == Shown::One, any = shown != Shown::Nothing;
    for (QWidget *control : Widgets { m_posterLabel, m_titleLabel, m_aboutLabel, m_viewingsLabel,
             m_lentSinceLabel, m_identifiersLabel })
        control->setVisible(one);
    for (QWidget *field : Widgets { m_tagsLabel, m_originalTitleEdit, m_placeEdit, m_notesEdit })
        m_form->setRowVisible(field, one);
    for (QWidget *field : Widgets { m_stars, m_sagaEdit, m_lentToEdit, m_supportEdit })
        m_form->setRowVisible(field, any);
    for (QWidget *control :
        Widgets { m_seenBox, m_seenTodayButton, m_tagEdit, m_addTagButton, m_removeTagButton })
        control->setVisible(any);
    m_countLabel->setVisible(shown == Shown::Many);
}

void CardPane::showTexts(const QImage &poster)
{
    const CardValues &values = m_values;
    m_posterLabel->setPixmap(poster.isNull() ? QPixmap() : QPixmap::fromImage(poster));
    m_posterLabel->setVisible(!poster.isNull());
    m_titleLabel->setText(values.text(Field::Titre));
    QStringList about;
    for (const Field field : { Field::Annee, Field::Type, Field::Realisateur }) {
        if (!values.text(field).isEmpty())
            about << values.text(field);
    }
    m_aboutLabel->setText(about.join(QStringLiteral(" · ")));
    m_identifiersLabel->setText(identifierLinks(values));
    m_identifiersLabel->setVisible(!m_identifiersLabel->text().isEmpty());
}

// The user's own fields of the card shown.
void CardPane::showMine()
{
    const CardValues &values = m_values;
    const QSignalBlocker blocker(m_seenBox);
    m_seenBox->setChecked(!values.text(Field::Vu).isEmpty());
    QStringList days;
    for (const QString &date : values.list(Field::VuLe))
        days << shownDay(date);
    m_viewingsLabel->setText(
        days.isEmpty() ? QString() : textOf(Text::SeenOn).arg(days.join(QStringLiteral(", "))));
    m_viewingsLabel->setVisible(!days.isEmpty());
    m_stars->setRating(values.text(Field::Note).toInt());
    m_tagsLabel->setText(values.list(Field::Etiquettes).join(QStringLiteral(", ")));
    m_tagEdit->clear();
    m_sagaEdit->setText(values.text(Field::Saga));
    m_originalTitleEdit->setText(values.text(Field::TitreOriginal));
    m_lentToEdit->setText(values.text(Field::PretA));
    const QString since = values.text(Field::PretLe);
    m_lentSinceLabel->setText(since.isEmpty() ? QString() : textOf(Text::LentSince).arg(shownDay(since)));
    m_lentSinceLabel->setVisible(!since.isEmpty());
    m_supportEdit->setText(values.text(Field::Support));
    m_placeEdit->setText(values.text(Field::Emplacement));
    m_notesEdit->setPlainText(values.text(Field::Notes));
}

void CardPane::setCompletions(const QStringList &tags, const QStringList &sagas)
{
    static_cast<QStringListModel *>(m_tagCompleter->model())->setStringList(tags);
    static_cast<QStringListModel *>(m_sagaCompleter->model())->setStringList(sagas);
}

void CardPane::showProgress(qsizetype done, qsizetype total)
{
    const QString changing = textOf(Text::ChangingCards).arg(QLocale().toString(total));
    m_progressBar->setRange(0, int(total));
    m_progressBar->setValue(int(done));
    m_progressBar->setFormat(changing);
    m_progressBar->setAccessibleName(changing);
    m_progressBar->show();
    m_cancelButton->show();
}

void CardPane::hideProgress()
{
    m_progressBar->hide();
    m_cancelButton->hide();
}

// While many cards are being changed, the pane's fields wait: Cancel alone
// answers. The field typed into has the keyboard again after.
void CardPane::setChanging(bool changing)
{
    if (changing)
        m_typedInto = isAncestorOf(QApplication::focusWidget()) ? QApplication::focusWidget() : nullptr;
    for (QWidget *control : std::initializer_list<QWidget *> { m_seenBox, m_seenTodayButton, m_stars,
             m_tagEdit, m_addTagButton, m_removeTagButton, m_sagaEdit, m_originalTitleEdit, m_lentToEdit,
             m_supportEdit, m_placeEdit, m_notesEdit })
        control->setEnabled(!changing);
    if (!changing && m_typedInto)
        m_typedInto->setFocus();
}

bool CardPane::isTyping() const
{
    const QWidget *focus = focusWidget();
    const auto *line = qobject_cast<const QLineEdit *>(focus);
    return (line && line->isModified()) || (focus == m_notesEdit && m_notesEdit->document()->isModified());
}
