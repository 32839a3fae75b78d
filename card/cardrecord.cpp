#include "card/cardrecord.h"

#include "card/basics.h"
#include "card/cp1252.h"

#include <array>

namespace {

std::array<QString CardRecord::*, 8> fieldsInOrder()
{
    return { &CardRecord::Titre, &CardRecord::Annee, &CardRecord::DureeH, &CardRecord::DureeM,
        &CardRecord::Type, &CardRecord::Realisateur, &CardRecord::Acteurs, &CardRecord::Resume };
}

constexpr std::array<int, 8> kWidths = { CardWidth::Titre, CardWidth::Annee, CardWidth::DureeH,
    CardWidth::DureeM, CardWidth::Type, CardWidth::Realisateur, CardWidth::Acteurs, CardWidth::Resume };

// The byte width matters in the file: a character outside the code page
// (a surrogate pair) takes two QChars but one byte.
QByteArray fixedBytes(const QByteArray &bytes, int width)
{
    return bytes.size() >= width ? bytes.left(width) : bytes + QByteArray(width - bytes.size(), ' ');
}

}   // namespace

CardRecord::CardRecord()
{
    const auto fields = fieldsInOrder();
    for (size_t i = 0; i < fields.size(); ++i)
        this->*fields[i] = QString(kWidths[i], QLatin1Char(' '));
}

QString fixedWidth(const QString &value, int width)
{
    return value.size() >= width ? value.left(width)
                                 : value + QString(width - value.size(), QLatin1Char(' '));
}

CardRecord makeRecord(const QString &titre, const QString &annee, const QString &dureeH,
    const QString &dureeM, const QString &type, const QString &realisateur, const QString &acteurs,
    const QString &resume)
{
    const std::array<QString, 8> values
        = { titre, annee, dureeH, dureeM, type, realisateur, acteurs, resume };
    const auto fields = fieldsInOrder();
    CardRecord record;
    for (size_t i = 0; i < fields.size(); ++i)
        record.*fields[i] = fixedWidth(values[i], kWidths[i]);
    return record;
}

QByteArray encodeRecord(const CardRecord &record)
{
    QByteArray bytes;
    bytes.reserve(CardWidth::Record);
    const auto fields = fieldsInOrder();
    for (size_t i = 0; i < fields.size(); ++i)
        bytes += fixedBytes(toCp1252(record.*fields[i]), kWidths[i]);
    return bytes;
}

CardRecord decodeRecord(QByteArrayView bytes)
{
    const QByteArray padded = bytes.size() >= CardWidth::Record
        ? QByteArray()
        : fixedBytes(bytes.toByteArray(), CardWidth::Record);
    const QByteArrayView full = padded.isNull() ? bytes : QByteArrayView(padded);
    const auto fields = fieldsInOrder();
    CardRecord record(Qt::Uninitialized);
    int offset = 0;
    for (size_t i = 0; i < fields.size(); ++i) {
        record.*fields[i] = fromCp1252(full.constData() + offset, kWidths[i]);
        offset += kWidths[i];
    }
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
    QStringList pieces = TrimRight(acteurs).split(QLatin1Char('|'));
    if (pieces.last().isEmpty())
        pieces.removeLast();
    return pieces;
}

QString ActorLines(const QString &acteurs)
{
    QString lines = TrimRight(acteurs);
    if (lines.endsWith(QLatin1Char('|')))
        lines.chop(1);
    lines.replace(QLatin1Char('|'), QLatin1Char('\r'));
    return TrimRight(lines);
}
