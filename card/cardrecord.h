#pragma once
// The card record: the fixed-width text fields of card/fieldtable.h,
// 1168 characters in all: what every reader of cards shows.

#include "card/fieldtable.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <array>

// A text for each field, in Field's order.
using FieldTexts = std::array<QString, kRecordFieldCount>;

class CardRecord {
public:
    CardRecord();                                 // the empty record: spaces only
    explicit CardRecord(Qt::Initialization) { }   // fields left empty, to be filled at once
    bool operator==(const CardRecord &) const = default;

    // The text of a field of the record, which always holds exactly its
    // width in characters.
    QString &text(Field field) { return m_texts[size_t(field)]; }
    const QString &text(Field field) const { return m_texts[size_t(field)]; }

private:
    FieldTexts m_texts;
};

// The actors: at most Max names, each of at most NameLength characters as
// typed (a card from elsewhere may hold longer ones; they are kept).
namespace CardActors {
constexpr int Max = 10;
constexpr int NameLength = 50;
}   // namespace CardActors

// Sizes and offsets of a card file, in bytes.
namespace CardLayout {
constexpr int MarkerSize = 7;
constexpr int SeparatorOffset = MarkerSize + kRecordWidth;   // 1175
constexpr int PosterOffset = SeparatorOffset + 1;            // 1176
constexpr char Separator = char(0xA9);
}   // namespace CardLayout

// The fixed-width assignment: padded with spaces on the right, or cut.
QString fixedWidth(const QString &value, int width);

// Stores every value into its field with the fixed-width rule.
CardRecord makeRecord(const FieldTexts &values);

// The record as stored in a card file (Windows-1252, 1168 bytes), and back.
// Missing bytes of a short record read as spaces.
QByteArray encodeRecord(const CardRecord &record);
CardRecord decodeRecord(QByteArrayView bytes);

// The marker every card file starts with, as it is stored: 7 bytes.
inline const char *cardMarkerBytes()
{
    return "@CNFCH@";
}

// Actor names of the record's Acteurs field, each followed by "|".
QString joinActorNames(const QStringList &names);
// The editor's list: trailing spaces trimmed, split at "|", the empty piece
// after a final "|" dropped.
QStringList splitActorNames(const QString &acteurs);
// The viewer's lines: one name per line, separated by a carriage return.
QString actorLines(const QString &acteurs);
