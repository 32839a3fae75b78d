#include "tool/cardlisting.h"

#include "card/nativepath.h"
#include "tool/cardjsonwriter.h"
#include "tool/commandline.h"
#include "tool/tooltexts.h"

namespace {

// The card's object, after separator.
QByteArray jsonOf(const ScannedCard &card, JsonLayout layout, QByteArrayView separator)
{
    QByteArray json(separator.data(), separator.size());
    appendCardJson(
        json, card.path, cardValues(card.head.record), card.head.posterBytes, card.head.poster, layout);
    return json;
}

QString textOf(const ScannedCard &card)
{
    return ToolText::cardText(
        card.path, cardValues(card.head.record), card.head.posterBytes, card.head.poster);
}

}   // namespace

int readPlaces(ToolIo &io, const QStringList &places, bool recursive,
    const std::function<void(const ScannedCard &)> &onCard, PosterHeader poster)
{
    int status = ExitStatus::Done;
    CardScan scan;
    scan.recursive = recursive;
    scan.poster = poster;
    scan.onCard = [&onCard](const ScannedCard &card) {
        onCard(card);
        return true;
    };
    scan.onProblem
        = [&](const QString &path, CardReadStatus problem) { status = cardFailed(io, path, problem); };
    scanCards(places, scan);
    return status;
}

QCommandLineOption recursiveOption()
{
    return QCommandLineOption(QStringList { QStringLiteral("r"), QStringLiteral("recursive") });
}

CardPrinter::CardPrinter(QIODevice &out, CardFormat format) : m_out(out), m_format(format)
{
    if (m_format == CardFormat::JsonArray)
        m_out.write("[\n");
}

void CardPrinter::print(const ScannedCard &card)
{
    const bool first = m_printed++ == 0;
    switch (m_format) {
    case CardFormat::Text:
        ::print(m_out, (first ? QString() : QStringLiteral("\n")).append(textOf(card)));
        break;
    case CardFormat::JsonArray:
        m_out.write(jsonOf(card, JsonLayout::ArrayItem, first ? "" : ",\n"));
        break;
    case CardFormat::JsonLines:
        m_out.write(jsonOf(card, JsonLayout::Line, {}).append('\n'));
        break;
    case CardFormat::Paths:
    case CardFormat::NulPaths:
        m_out.write(nativePath(card.path) + (m_format == CardFormat::Paths ? '\n' : '\0'));
        break;
    }
}

void CardPrinter::finish()
{
    if (m_format == CardFormat::JsonArray)
        m_out.write(m_printed ? "\n]\n" : "]\n");
}
