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

CardTexts cardTexts(const Card &card, const QString &anneeCaption, const QString &dureeCaption)
{
    const CardRecord &record = card.record;
    const QString space = QStringLiteral(" ");
    CardTexts texts;
    texts.annee = anneeCaption + trimRight(space + record.text(Field::Annee));
    texts.duree = dureeCaption
        + trimRight(space + record.text(Field::Heures) + QLatin1Char('h') + record.text(Field::Minutes));
    // The record separates actors by carriage returns; a label breaks lines at "\n".
    texts.acteurs = actorLines(record.text(Field::Acteurs)).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    texts.resume = summaryText(record.text(Field::Resume));
    texts.realisateur = trimRight(record.text(Field::Realisateur));
    texts.type = trimRight(record.text(Field::Type));
    texts.titre = trimRight(record.text(Field::Titre));
    const CardValues &exact = card.extension.values;
    if (!exact.list(Field::Acteurs).isEmpty())
        texts.acteurs = exact.list(Field::Acteurs).join(QLatin1Char('\n'));
    takeExact(texts.resume, exact, Field::Resume);
    takeExact(texts.realisateur, exact, Field::Realisateur);
    takeExact(texts.type, exact, Field::Type);
    takeExact(texts.titre, exact, Field::Titre);
    return texts;
}
