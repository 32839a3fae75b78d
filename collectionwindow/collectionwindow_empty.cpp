// A collection without cards says what to do: write a first card, or make
// one beside each movie of the folder, as cinefiche-card import does.
#include "collectionwindow/collectionwindow.h"

#include "desktop/desktop.h"
#include "desktop/messages.h"
#include "texts/texts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListView>
#include <QProcess>
#include <QPushButton>
#include <QStackedWidget>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

constexpr int kLineCharacters = 60;   // the text's lines, for an easy read

// The card tool beside the program, installed or built; else the one on the path.
QString cardTool()
{
    const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/cinefiche-card");
    return QFileInfo(beside).isExecutable() ? beside : QStringLiteral("cinefiche-card");
}

}   // namespace

void CollectionWindow::buildEmptyPage()
{
    m_emptyPage = new QWidget;
    m_emptyPage->setObjectName(QStringLiteral("emptyPage"));
    m_emptyLabel = new QLabel;
    m_emptyLabel->setObjectName(QStringLiteral("emptyLabel"));
    m_emptyLabel->setWordWrap(true);
    m_emptyLabel->setTextFormat(Qt::PlainText);
    m_emptyLabel->setAlignment(Qt::AlignCenter);
    m_firstCardButton = new QPushButton;
    m_firstCardButton->setObjectName(QStringLiteral("firstCardButton"));
    m_importButton = new QPushButton;
    m_importButton->setObjectName(QStringLiteral("importButton"));
    // The text and its buttons in the middle, its lines short enough to read at a glance.
    auto *middle = new QWidget;
    middle->setMaximumWidth(m_emptyLabel->fontMetrics().averageCharWidth() * kLineCharacters);
    auto *column = new QVBoxLayout(middle);
    column->addStretch();
    column->addWidget(m_emptyLabel);
    for (QPushButton *button : { m_firstCardButton, m_importButton })
        column->addWidget(button, 0, Qt::AlignHCenter);
    column->addStretch();
    auto *row = new QHBoxLayout(m_emptyPage);
    row->addStretch();
    row->addWidget(middle, 1);
    row->addStretch();
    m_views->addWidget(m_emptyPage);
    connect(m_firstCardButton, &QPushButton::clicked, this, &CollectionWindow::startNewCard);
    connect(m_importButton, &QPushButton::clicked, this, &CollectionWindow::importLibrary);
}

// The view chosen, or, once a folder is read and holds no card, what to do.
void CollectionWindow::showViewOrEmpty()
{
    const bool empty = !m_reading && m_collection.cards().empty() && !m_collection.root().isEmpty();
    const std::array<QWidget *, 3> widgets { m_gridView, m_listView, m_statsArea };
    m_views->setCurrentWidget(empty ? m_emptyPage : widgets[size_t(m_chosenView)]);
    // The details are a card's; the statistics, of many, take their room.
    m_paneArea->setVisible(!empty && m_chosenView != CollectionView::Stats && m_detailsAction->isChecked());
}

// A card beside each movie of the folder that has its .nfo: the tool's
// import, its report said once it ends. The folder's watch shows the cards.
void CollectionWindow::importLibrary()
{
    if (m_import || !askImportLibrary(m_collection.root()))
        return;
    m_import = new QProcess(this);
    m_import->setProcessChannelMode(QProcess::MergedChannels);
    connect(m_import, &QProcess::finished, this, &CollectionWindow::libraryImported);
    connect(m_import, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            libraryImported();
    });
    m_importButton->setEnabled(false);
    m_import->start(cardTool(), { QStringLiteral("import"), m_collection.root() });
}

void CollectionWindow::libraryImported()
{
    const QString report = QString::fromUtf8(m_import->readAll()).trimmed();
    const bool started = m_import->error() != QProcess::FailedToStart;
    m_import->deleteLater();
    m_import = nullptr;
    m_importButton->setEnabled(true);
    showImportReport(started ? report.split(QLatin1Char('\n')) : QStringList(), started);
    rescan({ m_collection.root() });
}
