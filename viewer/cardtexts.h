#pragma once
// The texts a card shows in the viewer's labels, from its record.

#include "card/cardrecord.h"

#include <QString>

struct CardTexts {
    QString annee, duree, acteurs, resume, realisateur, type, titre;
};

// The year and running time follow their captions ("Année : " and
// "Durée :"); the actors one per line and the summary's line breaks as "\n".
CardTexts cardTexts(const CardRecord &record, const QString &anneeCaption, const QString &dureeCaption);
