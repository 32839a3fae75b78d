// The catalogue of the cards shown, written as the card tool writes it, and
// their statistics, drawn and written as a picture.
#include "collectionwindow/collectionwindow.h"

#include "card/filereplace.h"
#include "collection/cataloguewriter.h"
#include "collection/collectionstats.h"
#include "collectionwindow/cardtablemodel.h"
#include "collectionwindow/statsview.h"
#include "desktop/desktop.h"
#include "desktop/messages.h"
#include "poster/thumbnailcache.h"
#include "texts/texts.h"

#include <QBuffer>
#include <QFileInfo>
#include <QStatusBar>
#include <QThread>

namespace {

const QString kProposedName = QStringLiteral("catalogue.html");
const QString kProposedPicture = QStringLiteral("statistiques.png");
constexpr int kWrittenNoticeMs = 10000;
constexpr int kTopOfRanking = 10;   // genres and directors charted

// The path chosen; empty when the dialog was cancelled.
QString chooseCatalogue(QObject *owner, const QString &folder)
{
    FileRequest request;
    request.kind = FileDialogKind::Save;
    request.title = textOf(Text::ExportTitle);
    request.filters = { { textOf(Text::FilterHtml), QStringLiteral("*.html") },
        { textOf(Text::FilterCsv), QStringLiteral("*.csv") } };
    request.folder = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    request.proposedName = kProposedName;
    request.options
        = FileDialogFlag::OverwritePrompt | FileDialogFlag::NoReadOnlyReturn | FileDialogFlag::HideReadOnly;
    request.owner = owner;
    const QString chosen = desktop().chooseFile(request).trimmed();
    // A name without an extension is a web page.
    return chosen.isEmpty() || !QFileInfo(chosen).suffix().isEmpty() ? chosen
                                                                     : chosen + QStringLiteral(".html");
}

QString choosePicture(QObject *owner, const QString &folder)
{
    FileRequest request;
    request.kind = FileDialogKind::Save;
    request.title = textOf(Text::ExportPictureTitle);
    request.filters = { { textOf(Text::FilterPng), QStringLiteral("*.png") } };
    request.folder = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    request.proposedName = kProposedPicture;
    request.options
        = FileDialogFlag::OverwritePrompt | FileDialogFlag::NoReadOnlyReturn | FileDialogFlag::HideReadOnly;
    request.owner = owner;
    const QString chosen = desktop().chooseFile(request).trimmed();
    return chosen.isEmpty() || !QFileInfo(chosen).suffix().isEmpty() ? chosen
                                                                     : chosen + QStringLiteral(".png");
}

// Reads the cards again, as the tool does, and writes their catalogue to path.
bool writeCatalogueFile(const QString &path, CatalogueKind kind, const QStringList &cardPaths)
{
    const Transfer written = replaceFile(
        path,
        [&](QIODevice &out) {
            CatalogueWriter writer(kind, out, QLatin1Char(','), [](const QList<ScannedCard> &cards) {
                QStringList paths;
                for (const ScannedCard &card : cards)
                    paths << card.path;
                return cataloguePictures(paths);
            });
            CardScan scan;
            scan.poster = writer.posterHeader();
            scan.onCard = [&writer](const ScannedCard &card) {
                writer.add(card);
                return true;
            };
            scanCards(cardPaths, scan);
            return writer.finish() ? Transfer::Done : Transfer::WriteFailed;
        },
        Durability::Written, LinkAtPath::Replace);
    return written == Transfer::Done;
}

}   // namespace

void CollectionWindow::exportCatalogue()
{
    const QString path = chooseCatalogue(this, m_collection.root());
    if (path.isEmpty())
        return;
    if (!catalogueKind(path)) {
        showCatalogueKindRefused();
        return;
    }
    QStringList cardPaths;
    for (const int index : m_collection.shown())
        cardPaths << m_collection.cards()[size_t(index)].path;
    writeCatalogue(path, cardPaths);
}

// A web page of many cards takes a while: it is written on another
// thread, the window going on meanwhile.
void CollectionWindow::writeCatalogue(const QString &path, const QStringList &cardPaths)
{
    m_exportAction->setEnabled(false);
    auto *writing = QThread::create([this, path, cardPaths] {
        const bool written = writeCatalogueFile(path, *catalogueKind(path), cardPaths);
        QMetaObject::invokeMethod(
            this, [this, path, written] { catalogueWritten(path, written); }, Qt::QueuedConnection);
    });
    connect(writing, &QThread::finished, writing, &QObject::deleteLater);
    m_exportThread = writing;
    writing->start();
}

void CollectionWindow::catalogueWritten(const QString &path, bool written)
{
    m_exportAction->setEnabled(true);
    if (written)
        statusBar()->showMessage(textOf(Text::CatalogueWritten).arg(path), kWrittenNoticeMs);
    else
        showWriteFailed(path);
}

// The figures follow the search and the side list, as the cards shown do.
void CollectionWindow::showStats()
{
    if (view() == CollectionView::Stats)
        m_stats->showStats(collectionStats(m_collection.cards(), m_collection.shown(), kTopOfRanking));
}

// The statistics as they are drawn, a PNG picture put in place once whole.
void CollectionWindow::exportStats()
{
    const QString path = choosePicture(this, m_collection.root());
    if (path.isEmpty())
        return;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    m_stats->grab().save(&buffer, "PNG");
    const Transfer written = replaceFile(
        path,
        [&](QIODevice &out) { return out.write(png) == png.size() ? Transfer::Done : Transfer::WriteFailed; },
        Durability::Written, LinkAtPath::Replace);
    if (written == Transfer::Done)
        statusBar()->showMessage(textOf(Text::CatalogueWritten).arg(path), kWrittenNoticeMs);
    else
        showWriteFailed(path);
}
