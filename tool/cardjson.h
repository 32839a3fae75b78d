#pragma once
// A card as new --json reads it (show --json writes it: tool/cardjsonwriter).

#include "card/card.h"

#include <QJsonObject>

struct JsonEdits {
    enum Problem { None, UnknownKey, WrongType };
    Problem problem = None;
    QString key {};   // the key at fault
    QList<CardEdit> edits {};
};

// The first key that the top object of json, valid JSON, gives twice (a
// parse keeps the last silently); empty when none is.
QString repeatedKey(const QByteArray &json);

// The edits object asks for. Texts are strings (numbers, a rating and
// tmdb may be whole numbers), a flag true or false, lists arrays of
// strings, null a blank value; "fichier" and "affiche", which show prints,
// are ignored.
JsonEdits editsFromJson(const QJsonObject &object);
