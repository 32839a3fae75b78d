#pragma once
// The texts a card shows in the viewer's labels: the exact texts, where the
// record could not hold them, else the record's.

#include "card/card.h"

#include <QString>

struct CardTexts {
    QString year, runningTime, actors, summary, director, genre, title;
};

// The year and running time follow their captions ("Année : " and
// "Durée :"); the actors one per line and the summary's line breaks as "\n".
CardTexts cardTexts(const Card &card, const QString &yearCaption, const QString &runningTimeCaption);
