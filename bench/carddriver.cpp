// The card library's calls alone, without the tool's own work around them:
// the figure of reading records, and a stand-in for cinefiche-card when it
// is not built.
//
//   carddriver new POSTER OUT       writeWholeCard: a new card, with fdatasync
//   carddriver poster CARD FOLDER   readCardFile: the poster to FOLDER/cfh_img.tmp
//   carddriver records CARD...      readCardHead of each card: its record, not its poster
//   carddriver version2 POSTER FOLDER COUNT ACTOR
//                                   COUNT cards with an extension, as applyEdit makes them:
//                                   texts in several scripts and the user's own fields, the
//                                   poster's bytes, FOLDER/dossier-(I % 100)/fiche-I.cfh, ACTOR
//                                   among the actors of one card in a hundred
//   carddriver newcards COUNT FOLDER
//                                   COUNT new cards in one process, as new makes them: the
//                                   values of bench's spreadsheet row I through applyEdit,
//                                   writeWholeCard without waiting for the disk, FOLDER/Film I.cfh
//   carddriver scan READERS FOLDER...
//                                   scanCards of the folders and those below, as find reads
//                                   them, READERS cards at once (0: a local disk's reading)

#include "card/card.h"
#include "card/cardfile.h"
#include "card/cardsave.h"
#include "collection/cardscan.h"

#include <QBuffer>
#include <QDate>
#include <QDir>
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
    return readCardFile(card, folder).status == CardReadStatus::Ok ? 0 : 1;
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

// Card number i of the tree: exact texts the record holds in Latin letters
// alone, every actor in the extension, and every field of the user's own.
Card version2Card(int i, const QString &actor)
{
    using namespace Qt::StringLiterals;
    const QString number = QString::number(i);
    QStringList actors { u"Bruno Durand"_s, u"Claire Petit"_s, u"Jiří Menzel"_s, u"Андрей Мягков"_s };
    if (i % 100 == 0)
        actors.prepend(u"Jean-Paul "_s + actor);
    const QList<CardEdit> edits { { Field::Titre, u"Fiche "_s + number + u" — Фильм "_s + number },
        { Field::TitreOriginal, u"映画 第"_s + number + u"番"_s }, { Field::Annee, u"1999"_s },
        { Field::Heures, u"1"_s }, { Field::Minutes, u"45"_s }, { Field::Type, u"Policier"_s },
        { Field::Realisateur, u"Krzysztof Kieślowski"_s }, { .field = Field::Acteurs, .list = actors },
        { Field::Resume,
            u"Une fiche parmi d'autres, à Łódź et à Praha (Dvořák).\nФильм о городе. 千と千尋の神隠し。"_s },
        { Field::Saga, u"Trois couleurs"_s }, { .field = Field::Pays, .list = { u"Pologne"_s, u"France"_s } },
        { .field = Field::VuLe, .list = { u"2025-05-01"_s } }, { Field::Note, u"8"_s },
        { .field = Field::Etiquettes, .list = { u"à revoir"_s, u"Noël"_s } }, { Field::PretA, u"Zoé"_s },
        { Field::PretLe, u"2026-01-02"_s }, { Field::Support, u"Blu-ray"_s },
        { Field::Emplacement, u"Étagère 3"_s }, { Field::Imdb, u"tt0111495"_s }, { Field::Tmdb, u"110"_s },
        { Field::Notes, u"Revu à Kraków."_s }, { Field::AjouteeLe, u"2026-01-01"_s } };
    Card card;
    for (const CardEdit &edit : edits)
        applyEdit(card, edit);
    return card;
}

int writeVersion2Tree(const QString &poster, const QString &folder, int count, const QString &actor)
{
    QFile posterFile(poster);
    if (!posterFile.open(QIODevice::ReadOnly))
        return 1;
    QByteArray posterBytes = posterFile.readAll();
    for (int i = 1; i <= count; ++i) {
        const QString cards = folder + QStringLiteral("/dossier-") + QString::number(i % 100);
        QFile out(cards + QStringLiteral("/fiche-") + QString::number(i) + QStringLiteral(".cfh"));
        QBuffer posterIn(&posterBytes);
        posterIn.open(QIODevice::ReadOnly);
        if (!QDir().mkpath(cards) || !out.open(QIODevice::WriteOnly)
            || writeCard(out, version2Card(i, actor), &posterIn) != Transfer::Done)
            return 1;
    }
    return 0;
}

// The cards import --csv makes of the bench's spreadsheet, made as new would.
int writeNewCards(int count, const QString &folder)
{
    using namespace Qt::StringLiterals;
    for (int i = 1; i <= count; ++i) {
        const QString number = QString::number(i);
        Card card;
        const QList<CardEdit> edits { { Field::AjouteeLe, isoDate(QDate::currentDate()) },
            { Field::Titre, u"Film "_s + number }, { Field::Annee, u"1999"_s }, { Field::Heures, u"1"_s },
            { Field::Minutes, u"45"_s }, { Field::Type, u"Policier"_s },
            { Field::Realisateur, u"Anne Martin"_s },
            { .field = Field::Acteurs, .list = { u"Bruno Durand"_s, u"Claire Petit"_s } },
            { Field::Resume, u"Une ligne parmi d'autres."_s } };
        for (const CardEdit &edit : edits)
            applyEdit(card, edit);
        if (!writeWholeCard(folder + u"/Film "_s + number + u".cfh"_s, card, QString(), LinkAtPath::Refuse,
                Durability::Written)
                 .ok())
            return 1;
    }
    return 0;
}

// The reading beneath find at a chosen concurrency, to choose it.
int scanFolders(int readers, const QStringList &folders)
{
    int cards = 0;
    const CardScan scan { .recursive = true,
        .text = RecordText::BytesOnly,
        .fileFacts = false,
        .readAhead = true,
        .readers = readers,
        .onCard = [&cards](const ScannedCard &) { return ++cards > 0; } };
    scanCards(folders, scan);
    QTextStream(stdout) << cards << " fiches\n";
    return 0;
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
    if (command == QLatin1String("version2") && args.size() == 5)
        return writeVersion2Tree(args[1], args[2], args[3].toInt(), args[4]);
    if (command == QLatin1String("newcards") && args.size() == 3)
        return writeNewCards(args[1].toInt(), args[2]);
    if (command == QLatin1String("scan") && args.size() >= 3)
        return scanFolders(args[1].toInt(), args.mid(2));
    QTextStream(stderr) << "usage: carddriver new POSTER OUT | poster CARD FOLDER | records CARD...\n"
                           "       carddriver version2 POSTER FOLDER COUNT ACTOR | newcards COUNT FOLDER\n"
                           "       carddriver scan READERS FOLDER...\n";
    return 2;
}
