#pragma once
// A card as a JSON object: what show --json prints and new --json reads.

#include "card/cardvalues.h"
#include "card/pictureheader.h"

#include <QJsonObject>

// {"fichier", the eight fields (acteurs an array; annee, heures and minutes
// numbers, null when blank, the stored text when no number), "affiche": null or
// {"octets", "format", "largeur", "hauteur"}, the last three null when the
// poster is no picture}.
QJsonObject cardJson(
    const QString &path, const CardValues &values, qint64 posterBytes, const PosterInfo &picture);

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
