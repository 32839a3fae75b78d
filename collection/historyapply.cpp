#include "collection/historyapply.h"

#include "collection/cardscan.h"

QList<HistoryCard> historyCards(const QStringList &folders,
    const std::function<void(const QString &path, CardReadStatus status)> &onProblem, bool hiddenFolders)
{
    QList<HistoryCard> cards;
    scanCards(folders,
        { .recursive = true,
            .hiddenFolders = hiddenFolders,
            .fileFacts = false,
            .readAhead = true,
            .onCard =
                [&](const ScannedCard &card) {
                    cards << historyCard(card.path, cardValues(card.head.card));
                    return true;
                },
            .onProblem = onProblem });
    return cards;
}

HistoryApplied applyHistoryMatch(const HistoryMatch &match, bool replace)
{
    HistoryApplied applied;
    const QString path = match.cards.value(0);
    applied.saved = changeCard(path, [&](Card &card) {
        const HistoryGains gains = historyGains(historyCard(path, cardValues(card)), match.movie, replace);
        bool changed = false;
        for (const CardEdit &edit : gains.edits) {
            if (const auto problem = applyEdit(card, edit))
                applied.refused << *problem;
            else
                changed = true;
        }
        return changed;
    });
    return applied;
}
