#include "nfo/nfomark.h"

#include <QRegularExpression>
#include <QStringList>
#include <QXmlStreamReader>

namespace {

WrittenPoster writtenPosterOf(const QString &mark)
{
    static const QRegularExpression number(QStringLiteral("[0-9]+"));
    const qsizetype semicolon = mark.lastIndexOf(QLatin1Char(';'));
    if (semicolon < 0)
        return {};
    QStringList numbers;
    for (auto it = number.globalMatch(mark, semicolon); it.hasNext();)
        numbers << it.next().captured();
    if (numbers.size() != 3)
        return {};
    return { .bytes = numbers[0].toLongLong(),
        .inode = numbers[1].toULongLong(),
        .modifiedNs = numbers[2].toLongLong() };
}

}   // namespace

std::optional<NfoMark> readOwnMark(QIODevice &in)
{
    QXmlStreamReader xml(in.read(4096));
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartDocument:
            continue;
        case QXmlStreamReader::Characters:
            if (xml.isWhitespace())
                continue;
            return std::nullopt;
        case QXmlStreamReader::Comment:
            if (!xml.text().trimmed().startsWith(kNfoMarkWord))
                return std::nullopt;
            return NfoMark { .poster = writtenPosterOf(xml.text().toString()) };
        default:
            return std::nullopt;
        }
    }
    return std::nullopt;
}
