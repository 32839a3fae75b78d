// Whatever the bytes of a card, its whole load (the reader, the record's
// fields as the editor and the viewer show them, the actors, the poster's
// decoding) neither crashes nor misbehaves, and its record survives a save.
#include "card/cardfields.h"
#include "card/cardfile.h"
#include "card/cp1252.h"
#include "poster/posterimage.h"
#include "viewer/cardtexts.h"

#include <QBuffer>
#include <QCoreApplication>

#include <cstdint>
#include <cstdlib>

namespace {

void checkRecordSurvivesASave(const QByteArray &card, const CardRecord &record)
{
    QByteArray written;
    QBuffer out(&written);
    out.open(QIODevice::WriteOnly);
    if (writeCard(out, record, nullptr) != Transfer::Done)
        std::abort();
    const QByteArray stored = card.mid(7, 1168).leftJustified(1168, ' ');
    if (written.mid(7, 1168) != stored)
        std::abort();
}

void loadFields(const CardRecord &record)
{
    hoursText(record.DureeH);
    minutesText(record.DureeM);
    const QStringList names = splitActorNames(record.Acteurs);
    if (toCp1252(joinActorNames(names)).size() > CardWidth::Acteurs + 1)
        std::abort();   // loaded names always fit back into their field
    const QString summary = summaryText(record.Resume);
    if (toCp1252(resumeField(summary)).size() > CardWidth::Resume)
        std::abort();   // a summary saved again is never cut
    cardTexts(record, QStringLiteral("Année : "), QStringLiteral("Durée :"));
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
    QBuffer in;
    in.setData(card);
    in.open(QIODevice::ReadOnly);
    QBuffer poster;
    poster.open(QIODevice::WriteOnly);
    const CardRead read = readCard(in, &poster);
    if (read.status != CardReadStatus::Ok)
        return 0;
    checkRecordSurvivesASave(card, read.record);
    loadFields(read.record);
    poster.close();
    poster.open(QIODevice::ReadOnly);
    decodePoster(poster);
    return 0;
}
