#pragma once
// A card as new --json reads it (show --json writes it: tool/cardjsonwriter).

#include "card/cardvalues.h"

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

// The edits object asks for. Texts are strings (annee, heures and minutes
// may be whole numbers, or null for blank), acteurs an array of strings; "fichier" and
// "affiche", which show prints, are ignored.
JsonEdits editsFromJson(const QJsonObject &object);
