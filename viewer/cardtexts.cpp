#include "viewer/cardtexts.h"

#include "card/cardfields.h"
#include "card/cardrecord.h"

namespace {

void takeExact(QString &shown, const CardValues &exact, Field field)
{
    if (!exact.text(field).isEmpty())
        shown = exact.text(field);
}

}   // namespace

CardTexts cardTexts(const Card &card, const QString &yearCaption, const QString &runningTimeCaption)
{
    const CardRecord &record = card.record;
    const QString space = QStringLiteral(" ");
    CardTexts texts;
    texts.year = yearCaption + trimRight(space + record.text(Field::Annee));
    texts.runningTime = runningTimeCaption
        + trimRight(space + record.text(Field::Heures) + QLatin1Char('h') + record.text(Field::Minutes));
    // The record separates actors by carriage returns; a label breaks lines at "\n".
    texts.actors = actorLines(record.text(Field::Acteurs)).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    texts.summary = summaryText(record.text(Field::Resume));
    texts.director = trimRight(record.text(Field::Realisateur));
    texts.genre = trimRight(record.text(Field::Type));
    texts.title = trimRight(record.text(Field::Titre));
    const CardValues &exact = card.extension.values;
    if (!exact.list(Field::Acteurs).isEmpty())
        texts.actors = exact.list(Field::Acteurs).join(QLatin1Char('\n'));
    takeExact(texts.summary, exact, Field::Resume);
    takeExact(texts.director, exact, Field::Realisateur);
    takeExact(texts.genre, exact, Field::Type);
    takeExact(texts.title, exact, Field::Titre);
    return texts;
}
