#include "card/cardrecord.h"

#include "card/cp1252.h"

#include <array>

namespace {

// The byte width matters in the file: a character outside the code page
// (a surrogate pair) takes two QChars but one byte.
QByteArray fixedBytes(const QByteArray &bytes, int width)
{
    return bytes.size() >= width ? bytes.left(width) : bytes + QByteArray(width - bytes.size(), ' ');
}

}   // namespace

CardRecord::CardRecord()
{
    for (const Field field : kRecordFields)
        text(field) = QString(fieldWidth(field), QLatin1Char(' '));
}

QString fixedWidth(const QString &value, int width)
{
    return value.size() >= width ? value.left(width)
                                 : value + QString(width - value.size(), QLatin1Char(' '));
}

CardRecord makeRecord(const FieldTexts &values)
{
    CardRecord record(Qt::Uninitialized);
    for (const Field field : kRecordFields)
        record.text(field) = fixedWidth(values[size_t(field)], fieldWidth(field));
    return record;
}

QByteArray encodeRecord(const CardRecord &record)
{
    QByteArray bytes;
    bytes.reserve(kRecordWidth);
    for (const Field field : kRecordFields)
        bytes += fixedBytes(toCp1252(record.text(field)), fieldWidth(field));
    return bytes;
}

CardRecord decodeRecord(QByteArrayView bytes)
{
    const QByteArray padded
        = bytes.size() >= kRecordWidth ? QByteArray() : fixedBytes(bytes.toByteArray(), kRecordWidth);
    const QByteArrayView full = padded.isNull() ? bytes : QByteArrayView(padded);
    CardRecord record(Qt::Uninitialized);
    for (const Field field : kRecordFields)
        record.text(field) = fromCp1252(full.constData() + fieldLayout(field).offset, fieldWidth(field));
    return record;
}

QString joinActorNames(const QStringList &names)
{
    QString joined;
    for (const QString &name : names)
        joined += name + QLatin1Char('|');
    return joined;
}

// A last name without its "|" (a card from elsewhere, or a field cut at its
// width) is still a name.
QStringList splitActorNames(const QString &acteurs)
{
    QStringList pieces = trimRight(acteurs).split(QLatin1Char('|'));
    if (pieces.last().isEmpty())
        pieces.removeLast();
    return pieces;
}

QString actorLines(const QString &acteurs)
{
    QString lines = trimRight(acteurs);
    if (lines.endsWith(QLatin1Char('|')))
        lines.chop(1);
    lines.replace(QLatin1Char('|'), QLatin1Char('\r'));
    return trimRight(lines);
}
