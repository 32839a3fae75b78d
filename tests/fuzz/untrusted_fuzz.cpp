// Whatever the bytes of a downloaded file, nothing crashes or misbehaves:
// bytes that begin with the card marker go through a card's whole load (the
// reader, the extension after the poster, the fields as the editor and the
// viewer show them, the actors, the poster's header, the poster decoded
// whole and as a thumbnail), and its record and its extension survive a
// save; any other bytes are read as a movie .nfo and imported.
#include "card/cardfields.h"
#include "card/cardfile.h"
#include "card/cp1252.h"
#include "card/pictureheader.h"
#include "nfo/nfoexport.h"
#include "nfo/nfoimport.h"
#include "nfo/nforeader.h"
#include "nfo/nfowriter.h"
#include "poster/posterimage.h"
#include "viewer/cardtexts.h"

#include <QBuffer>
#include <QCoreApplication>

#include <cstdint>
#include <cstdlib>

namespace {

void checkCardSurvivesASave(const QByteArray &bytes, const Card &card)
{
    QByteArray written;
    QBuffer out(&written);
    out.open(QIODevice::ReadWrite);
    if (writeCard(out, card, nullptr) != Transfer::Done)
        std::abort();
    const QByteArray stored = bytes.mid(7, 1168).leftJustified(1168, ' ');
    if (written.mid(7, 1168) != stored)
        std::abort();
    out.seek(0);
    const CardRead again = readCard(out, nullptr);
    if (again.status != CardReadStatus::Ok || again.card != card)
        std::abort();   // what was read is written back whole, extension included
}

void loadFields(const Card &card)
{
    const CardRecord &record = card.record;
    cardValues(card);
    hoursText(record.text(Field::Heures));
    minutesText(record.text(Field::Minutes));
    const QStringList names = splitActorNames(record.text(Field::Acteurs));
    if (toCp1252(joinActorNames(names)).size() > fieldWidth(Field::Acteurs) + 1)
        std::abort();   // loaded names always fit back into their field
    const QString summary = summaryText(record.text(Field::Resume));
    if (toCp1252(summaryField(summary)).size() > fieldWidth(Field::Resume))
        std::abort();   // a summary saved again is never cut
    cardTexts(card, QStringLiteral("Année : "), QStringLiteral("Durée :"));
}

void loadPoster(QBuffer &poster)
{
    readPictureHeader(QByteArrayView(poster.data()));
    poster.open(QIODevice::ReadOnly);
    decodePoster(poster);
    poster.seek(0);
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    writeThumbnail(poster, 256, png);
}

std::optional<Card> cardOfNfo(const QByteArray &bytes)
{
    QBuffer in;
    in.setData(bytes);
    in.open(QIODevice::ReadOnly);
    const NfoRead read = readNfo(in);
    if (read.status != NfoStatus::Ok)
        return std::nullopt;
    QList<NfoNote> notes;
    return cardOfMovie(read.movie, notes);
}

// The card an NFO gives is the one its own values give, and exported then
// imported again it comes back the same: nothing is lost either way.
void importNfo(const QByteArray &bytes)
{
    const std::optional<Card> card = cardOfNfo(bytes);
    if (!card)
        return;
    Card again;
    for (const CardEdit &edit : editsOf(cardValues(*card))) {
        if (applyEdit(again, edit))
            std::abort();
    }
    if (again != *card)
        std::abort();
    QList<NfoNote> notes;
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    if (!writeNfo(out, movieOfCard(cardValues(*card), notes), QStringLiteral("cinefiche-card")))
        std::abort();
    if (cardOfNfo(out.data()) != card)
        std::abort();
}

}   // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);   // image plugins are found through it
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray card = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    if (!card.startsWith(cardMarkerBytes())) {
        importNfo(card);
        return 0;
    }
    QBuffer in;
    in.setData(card);
    in.open(QIODevice::ReadOnly);
    QBuffer poster;
    poster.open(QIODevice::WriteOnly);
    const CardRead read = readCard(in, &poster);
    if (read.status != CardReadStatus::Ok)
        return 0;
    checkCardSurvivesASave(card, read.card);
    loadFields(read.card);
    poster.close();
    loadPoster(poster);
    return 0;
}
