#include "collection/cardchanges.h"

QList<CardEdit> seenTodayEdits(const QDate &today)
{
    return { { .field = Field::VuLe, .list = { isoDate(today) }, .op = CardEdit::Op::Add } };
}

QList<CardEdit> lendingEdits(const QString &to, const QDate &today)
{
    if (to.trimmed().isEmpty())
        return { { Field::PretA, QString() } };
    return { { Field::PretA, to.trimmed() }, { Field::PretLe, isoDate(today) } };
}

namespace {

// A loan to the one who has the card already keeps its date.
void keepLoanDate(const Card &before, Card &card)
{
    const CardValues &was = before.extension.values;
    CardValues &now = card.extension.values;
    if (!was.text(Field::PretA).isEmpty() && now.text(Field::PretA) == was.text(Field::PretA))
        now.text(Field::PretLe) = was.text(Field::PretLe);
}

}   // namespace

std::optional<FieldProblem> applyEdits(Card &card, const QList<CardEdit> &edits)
{
    const Card before = card;
    for (const CardEdit &edit : edits) {
        if (auto problem = applyEdit(card, edit, ControlCharacters::Kept))
            return problem;
    }
    keepLoanDate(before, card);
    return std::nullopt;
}

CardChangeOutcome changeCardFields(const QString &path, const QList<CardEdit> &edits)
{
    CardChangeOutcome outcome { path, {}, std::nullopt };
    outcome.saved = changeCard(path, [&](Card &card) {
        const Card before = card;
        outcome.problem = applyEdits(card, edits);
        return !outcome.problem && card != before;
    });
    return outcome;
}

qsizetype changeEachCard(const QStringList &paths, const QList<CardEdit> &edits,
    const std::atomic<bool> &cancel, const std::function<void(const CardChangeOutcome &)> &onCard)
{
    qsizetype done = 0;
    for (const QString &path : paths) {
        if (cancel.load())
            break;
        onCard(changeCardFields(path, edits));
        ++done;
    }
    return done;
}
