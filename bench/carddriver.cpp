// The card library's calls alone, without the tool's own work around them:
// the figure of reading records, and a stand-in for cinefiche-card when it
// is not built.
//
//   carddriver new POSTER OUT       writeWholeCard: a new card, with fdatasync
//   carddriver poster CARD FOLDER   ReadCardFile: the poster to FOLDER/cfh_img.tmp
//   carddriver records CARD...      readCardHead of each card: its record, not its poster

#include "card/cardfile.h"
#include "card/cardsave.h"

#include <QFile>
#include <QTextStream>

namespace {

int saveCard(const QString &poster, const QString &out)
{
    const CardRecord record
        = makeRecord({ QStringLiteral("Banc d'essai"), QStringLiteral("2024"), QStringLiteral(" 1"),
            QStringLiteral("30"), QStringLiteral("Drame"), QString(), QString(), QString() });
    return writeWholeCard(out, record, poster).ok() ? 0 : 1;
}

int readPoster(const QString &card, const QString &folder)
{
    return ReadCardFile(card, folder).status == CardReadStatus::Ok ? 0 : 1;
}

int readRecords(const QStringList &cards)
{
    int read = 0;
    for (const QString &path : cards) {
        if (readCardHead(path).status == CardReadStatus::Ok)
            ++read;
    }
    QTextStream(stdout) << read << '\n';
    return read == cards.size() ? 0 : 1;
}

}   // namespace

int main(int argc, char *argv[])
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const QString command = args.value(0);
    if (command == QLatin1String("new") && args.size() == 3)
        return saveCard(args[1], args[2]);
    if (command == QLatin1String("poster") && args.size() == 3)
        return readPoster(args[1], args[2]);
    if (command == QLatin1String("records"))
        return readRecords(args.mid(1));
    QTextStream(stderr) << "usage: carddriver new POSTER OUT | poster CARD FOLDER | records CARD...\n";
    return 2;
}
