#include "viewer/cardtexts.h"

#include "app/common.h"
#include "card/cardfields.h"

CardTexts cardTexts(const CardRecord &record, const QString &anneeCaption, const QString &dureeCaption)
{
    const QString space = QStringLiteral(" ");
    CardTexts texts;
    texts.annee = anneeCaption + TrimRight(space + record.text(Field::Annee));
    texts.duree = dureeCaption
        + TrimRight(space + record.text(Field::Heures) + QLatin1Char('h') + record.text(Field::Minutes));
    // The record separates actors by carriage returns; a label breaks lines at "\n".
    texts.acteurs = ActorLines(record.text(Field::Acteurs)).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    texts.resume = summaryText(record.text(Field::Resume));
    texts.realisateur = TrimRight(record.text(Field::Realisateur));
    texts.type = TrimRight(record.text(Field::Type));
    texts.titre = TrimRight(record.text(Field::Titre));
    return texts;
}
