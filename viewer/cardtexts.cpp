#include "viewer/cardtexts.h"

#include "app/common.h"
#include "card/cardfields.h"

CardTexts cardTexts(const CardRecord &record, const QString &anneeCaption, const QString &dureeCaption)
{
    const QString space = QStringLiteral(" ");
    CardTexts texts;
    texts.annee = anneeCaption + TrimRight(space + record.Annee);
    texts.duree = dureeCaption + TrimRight(space + record.DureeH + QLatin1Char('h') + record.DureeM);
    // The record separates actors by carriage returns; a label breaks lines at "\n".
    texts.acteurs = ActorLines(record.Acteurs).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    texts.resume = summaryText(record.Resume);
    texts.realisateur = TrimRight(record.Realisateur);
    texts.type = TrimRight(record.Type);
    texts.titre = TrimRight(record.Titre);
    return texts;
}
