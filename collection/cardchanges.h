#pragma once
// The changes a collection makes to its cards' own fields (seen, rating,
// tags, loan...): each card changed through its one locked change, every
// byte it does not mean to change kept, whole or not at all.

#include "card/cardsave.h"

#include <QDate>

#include <atomic>
#include <functional>
#include <optional>

// A viewing today, which marks the card seen.
QList<CardEdit> seenTodayEdits(const QDate &today);
// A loan to someone, dated today; a name left blank gives the card back.
QList<CardEdit> lendingEdits(const QString &to, const QDate &today);

// Applies edits to card in their order, a loan to the one who has the card
// keeping its date; the first problem, which leaves card part changed.
// Text typed by a person: control characters kept, as the editor keeps them.
std::optional<FieldProblem> applyEdits(Card &card, const QList<CardEdit> &edits);

// What became of one card.
struct CardChangeOutcome {
    QString path;
    SaveResult saved;                      // Cancelled: the card held the values already, nothing written
    std::optional<FieldProblem> problem;   // a value its field refuses: nothing written
    bool ok() const { return !problem && (saved.ok() || saved.status == SaveStatus::Cancelled); }
};

// Applies edits (applyEdits) to the card at path as one locked change; a
// card that already holds them is not written.
CardChangeOutcome changeCardFields(const QString &path, const QList<CardEdit> &edits);

// Changes each card of paths in turn, calling onCard after each, until
// cancel is set; returns how many were looked at.
qsizetype changeEachCard(const QStringList &paths, const QList<CardEdit> &edits,
    const std::atomic<bool> &cancel, const std::function<void(const CardChangeOutcome &)> &onCard);
