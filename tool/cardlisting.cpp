#include "tool/cardlisting.h"

#include "card/nativepath.h"
#include "tool/cardjsonwriter.h"
#include "tool/commandline.h"
#include "tool/tooltexts.h"

namespace {

// Bytes gathered before a write.
constexpr qsizetype kBlockBytes = 64 * 1024;

// The card's object, from its record's bytes.
void appendJson(QByteArray &out, const ScannedCard &card, JsonLayout layout)
{
    const QByteArrayView record(card.head.recordBytes.data(), qsizetype(card.head.recordBytes.size()));
    appendRecordJson(
        out, card.path, record, card.head.values, card.head.posterBytes, card.head.poster, layout);
}

// Each value as one line, but the summary, whose line breaks stay.
CardValues escapedValues(CardValues values)
{
    for (const Field field : kFields) {
        for (QString &item : values.list(field))
            item = escapedText(item, Escapes::Controls);
        if (holdsList(field))
            continue;
        QStringList lines = values.text(field).split(QLatin1Char('\n'));
        if (!holdsLines(field))
            lines = QStringList { lines.join(QLatin1Char('\n')) };
        for (QString &line : lines)
            line = escapedText(line, Escapes::Controls);
        values.text(field) = lines.join(QLatin1Char('\n'));
    }
    return values;
}

// On a terminal, no control character of the card reaches it raw; elsewhere
// its bytes stay as they are.
QString textOf(const ScannedCard &card, bool terminal)
{
    const CardValues values = cardValues(card.head.card);
    if (!terminal)
        return ToolText::cardText(card.path, values, card.head.posterBytes, card.head.poster);
    return ToolText::cardText(escapedText(card.path, Escapes::Controls), escapedValues(values),
        card.head.posterBytes, card.head.poster);
}

}   // namespace

int readPlaces(ToolIo &io, const QStringList &places, CardScan scan,
    const std::function<void(const ScannedCard &)> &onCard)
{
    int status = ExitStatus::Done;
    scan.readAhead = true;
    scan.onCard = [&](const ScannedCard &card) {
        if (card.head.extension == ExtensionStatus::Damaged)
            report(io, say(Say::ExtensionDamaged, card.path));
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

QCommandLineOption noCacheOption()
{
    return QCommandLineOption(QStringLiteral("sans-cache"));
}

RecordText recordTextFor(CardFormat format)
{
    const bool json = format == CardFormat::JsonArray || format == CardFormat::JsonLines;
    return json ? RecordText::Checked : RecordText::Decoded;
}

CardPrinter::CardPrinter(ToolStream &out, CardFormat format)
    : m_out(out), m_format(format), m_terminal(out.isTerminal())
{
    if (m_format == CardFormat::JsonArray)
        m_block.append("[\n");
}

void CardPrinter::print(const ScannedCard &card)
{
    const bool first = m_printed++ == 0;
    switch (m_format) {
    case CardFormat::Text:
        m_block.append(
            nativePath((first ? QString() : QStringLiteral("\n")).append(textOf(card, m_terminal))));
        break;
    case CardFormat::JsonArray:
        m_block.append(first ? "" : ",\n");
        appendJson(m_block, card, JsonLayout::ArrayItem);
        break;
    case CardFormat::JsonLines:
        appendJson(m_block, card, JsonLayout::Line);
        m_block.append('\n');
        break;
    case CardFormat::Paths:
    case CardFormat::NulPaths:
        m_block.append(nativePath(m_terminal ? escapedText(card.path, Escapes::Controls) : card.path));
        m_block.append(m_format == CardFormat::Paths ? '\n' : '\0');
        break;
    }
    if (m_block.size() >= kBlockBytes) {
        m_out.write(m_block);
        m_block.truncate(0);
    }
}

void CardPrinter::finish()
{
    if (m_format == CardFormat::JsonArray)
        m_block.append(m_printed ? "\n]\n" : "]\n");
    m_out.write(m_block);
    m_block.truncate(0);
}
