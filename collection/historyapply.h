#pragma once
// What a collection window and the card tool do with a viewing history:
// read the cards as the matcher knows them, then write what each gains.

#include "card/cardfile.h"
#include "card/cardsave.h"
#include "collection/historymatch.h"

#include <functional>

// The cards of folders and of the folders below, as matchHistory takes
// them; onProblem hears of a file that cannot be read. Without hiddenFolders,
// those whose name begins with "." are left out, as a collection window
// leaves them (the trash of a collection opened on the home folder).
QList<HistoryCard> historyCards(const QStringList &folders,
    const std::function<void(const QString &path, CardReadStatus status)> &onProblem = {},
    bool hiddenFolders = true);

struct HistoryApplied {
    SaveResult saved {};              // Cancelled: the card had nothing left to gain
    QList<FieldProblem> refused {};   // values the card's rules refused, left out
};

// Writes into its card what match.movie brings it, as one change against
// other writers: reckoned again on the card as it stands then, every other
// byte kept.
HistoryApplied applyHistoryMatch(const HistoryMatch &match, bool replace);
