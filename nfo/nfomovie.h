#pragma once
// A movie .nfo, the sidecar file media centres read (XML, root <movie>):
// the elements a card has a place for, as the file writes them.

#include "card/fieldtable.h"

#include <QLatin1StringView>
#include <QList>
#include <QString>
#include <QStringList>

// A card holds several genres or directors in one text, "A, B": one
// element each in the file.
inline const QString kNfoPartSeparator = QStringLiteral(", ");

// <uniqueid type="imdb" default="true">tt0133093</uniqueid>
struct NfoIdentifier {
    QString type, value;
    bool isDefault = false;
    bool operator==(const NfoIdentifier &) const = default;
};

struct NfoMovie {
    QString title, originalTitle, sortTitle, userRating, plot, runtime;
    QString playCount, lastPlayed, watched;   // seen: the plays counted, the last one, the older flag
    QString set;                              // the saga's name
    QString premiered, year, dateAdded;
    QString id;   // <id>, which older files give instead of <uniqueid>
    QStringList genres, countries, tags, directors, actors;
    QList<NfoIdentifier> identifiers;
    bool operator==(const NfoMovie &) const = default;
};

// The element that carries field, as the field table names it.
inline QLatin1StringView nfoElement(Field field)
{
    const std::string_view name = fieldLayout(field).nfoElement;
    return QLatin1StringView(name.data(), qsizetype(name.size()));
}

// The elements and attributes the field table does not name.
namespace NfoName {
inline constexpr QLatin1StringView Movie("movie"), Name("name"), Order("order"), Premiered("premiered"),
    Id("id"), Type("type"), Default("default"), True("true"), False("false");
}   // namespace NfoName
