// A folder of a collection read again: its cards, and those of its new
// folders, read on every core, or many at once on a share.
#include "collection/cardcollection.h"

#include "collection/filesystemkind.h"
#include "collection/folderentries.h"

#include <QThread>

#include <algorithm>
#include <atomic>
#include <functional>
#include <iterator>
#include <numeric>
#include <thread>

namespace {

// Runs part(0) .. part(count - 1) at once, each on a thread of its own but
// the first, which runs on the calling one.
void onThreads(std::size_t count, const std::function<void(std::size_t)> &part)
{
    std::vector<std::thread> helpers;
    for (std::size_t i = 1; i < count; ++i)
        helpers.emplace_back(part, i);
    part(0);
    for (std::thread &helper : helpers)
        helper.join();
}

// As many threads as cores for each, and never more threads than pieces.
std::size_t threadsFor(std::size_t pieces, int eachCore = 1)
{
    return std::clamp<std::size_t>(
        std::size_t(QThread::idealThreadCount() * eachCore), 1, std::max<std::size_t>(pieces, 1));
}

// The cards read in a folder itself, as the collection keeps them: a few
// hundred and more are made on every core.
std::vector<CollectionCard> collectionCards(const std::vector<ScannedCard> &scanned, const QString &root)
{
    std::vector<CollectionCard> cards(scanned.size());
    const std::size_t parts = threadsFor(scanned.size() / 256);
    onThreads(parts, [&](std::size_t part) {
        CardMemo memo;
        for (std::size_t i = part; i < scanned.size(); i += parts)
            cards[i] = collectionCard(scanned[i], root, memo);
    });
    return cards;
}

// Cards are made a few hundred at a time: one vector grown to thousands of
// them would move them all, into new memory, at each growth.
constexpr std::size_t kCardBatch = 256;

struct CardBatches {
    std::vector<std::vector<CollectionCard>> batches;
    QStringList folders;

    void add(CollectionCard card)
    {
        if (batches.empty() || batches.back().size() == kCardBatch)
            batches.emplace_back().reserve(kCardBatch);
        batches.back().push_back(std::move(card));
        ++added;
    }
    std::size_t size() const { return added; }

private:
    std::size_t added = 0;
};

// Every 250 cards, progress hears how many are read.
void tellProgress(const ReadProgress &progress, std::size_t read)
{
    if (progress && read % 250 == 0)
        progress(qsizetype(read));
}

// The cards below folders, each folder read and its cards made on one
// thread, each thread taking the next folder when done with one: reading
// cards is mostly system calls, and ten thousand are read a tenth faster
// on two threads a core than on one. On a share, one scan reads them all
// with many cards in flight. The folders walked are said too. Reading a
// folder's cards the first time, no card's file is looked at (the
// fingerprint): a system call less a card.
void scanBelow(
    const QStringList &folders, const QString &root, FolderRescan &rescan, const ReadProgress &onShare)
{
    const std::size_t parts = onShare ? 1 : threadsFor(folders.size(), 2);
    std::vector<CardBatches> found(parts);
    std::atomic<qsizetype> next = 0;
    onThreads(parts, [&](std::size_t part) {
        CardMemo memo;
        CardScan scan;
        scan.recursive = true;
        // A hidden folder holds what the desktop keeps out of sight (the
        // trash, caches), not a collection: one opened on the home folder
        // would show the cards thrown away.
        scan.hiddenFolders = false;
        scan.text = RecordText::BytesOnly;
        scan.fileFacts = false;
        scan.onCard = [&](const ScannedCard &card) {
            CollectionCard made = collectionCard(card, root, memo);
            made.fingerprint.reset();   // not looked at: see fileFacts
            found[part].add(std::move(made));
            tellProgress(onShare, found[part].size());
            return true;
        };
        scan.onFolder = [&](const QString &path) { found[part].folders << path; };
        if (onShare) {
            scanCards(folders, scan);
            return;
        }
        scan.readers = 0;   // each thread reads a folder at a time
        for (qsizetype folder = next++; folder < folders.size(); folder = next++)
            scanCards({ folders[folder] }, scan);
    });
    rescan.cards.reserve(std::accumulate(found.begin(), found.end(), rescan.cards.size(),
        [](std::size_t sum, const CardBatches &part) { return sum + part.size(); }));
    for (CardBatches &part : found) {
        for (std::vector<CollectionCard> &batch : part.batches)
            std::move(batch.begin(), batch.end(), std::back_inserter(rescan.cards));
        rescan.folders << part.folders;
    }
}

// The cards of a folder on a share, without those below it, read many at once.
std::vector<ScannedCard> cardsOnShare(const QString &folder)
{
    std::vector<ScannedCard> scanned;
    CardScan scan;
    scan.text = RecordText::BytesOnly;
    scan.onCard = [&scanned](const ScannedCard &card) {
        scanned.push_back(card);
        return true;
    };
    scanCards({ folder }, scan);
    return scanned;
}

// A folder of a share read whole, with the index of what was read there
// before: a collection reopened costs its folders' listings.
void readShareFolder(FolderRescan &rescan, const QString &root, const ReadProgress &progress)
{
    CardMemo memo;
    CardBatches found;
    CardScan scan;
    scan.recursive = true;
    scan.hiddenFolders = false;   // as scanBelow
    scan.text = RecordText::BytesOnly;
    scan.useIndex = true;
    scan.onCard = [&](const ScannedCard &card) {
        found.add(collectionCard(card, root, memo));
        tellProgress(progress, found.size());
        return true;
    };
    scan.onFolder = [&](const QString &path) { found.folders << path; };
    scanCards({ rescan.folder }, scan);
    rescan.folders = found.folders;
    rescan.cards.reserve(found.size());
    for (std::vector<CollectionCard> &batch : found.batches)
        std::move(batch.begin(), batch.end(), std::back_inserter(rescan.cards));
}

}   // namespace

FolderRescan rescanFolder(const QString &folder, const QSet<QString> &knownFolders, const QString &root,
    const ReadProgress &progress)
{
    FolderRescan rescan { folder, {}, {}, {} };
    const auto entries = folderEntries(folder);
    if (!entries)
        return rescan;
    rescan.folders << folder;
    const bool onShare = fileSystemKind(folder) == FileSystemKind::Network;
    rescan.onShare = onShare;
    if (onShare && knownFolders.isEmpty()) {
        readShareFolder(rescan, root, progress);
        return rescan;
    }
    std::vector<ScannedCard> scanned;
    QStringList newFolders;
    for (const FolderEntry &entry : *entries) {
        const QString path = entryPath(folder, entry.name);
        if (entry.folder) {
            if (!entry.hidden())   // left out, as scanBelow leaves them
                (knownFolders.contains(path) ? rescan.keptFolders : newFolders) << path;
            continue;
        }
        if (onShare)
            continue;
        // Read as the scanner reads a file inside a folder: a link to a folder is no card.
        CardHead head = readCardHead(path, PosterHeader::Skip, RecordText::BytesOnly);
        if (head.status == CardReadStatus::Ok)
            scanned.push_back({ path, std::move(head) });
    }
    if (onShare)
        scanned = cardsOnShare(folder);
    rescan.cards = collectionCards(scanned, root);
    scanBelow(newFolders, root, rescan, onShare ? progress : ReadProgress());
    return rescan;
}
