#include "app/common.h"
#include "card/cardrecord.h"
#include "card/cp1252.h"
#include "card/numerictext.h"

#include <QTest>

class tst_CardRecord : public QObject {
    Q_OBJECT
private slots:
    void everyByteRoundTrips();
    void unmappableCharacters_data();
    void unmappableCharacters();
    void fixedWidth_data();
    void fixedWidth();
    void recordBytes();
    void splitActors_data();
    void splitActors();
    void numericText_data();
    void numericText();
};

void tst_CardRecord::everyByteRoundTrips()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = fromCp1252(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(toCp1252(text), all);
    QCOMPARE(text.at(0x80), QChar(0x20AC));   // euro sign
    QCOMPARE(text.at(0x9C), QChar(0x0153));   // oe ligature
    QCOMPARE(text.at(0xA9), QChar(0x00A9));   // copyright sign, the card separator
    QCOMPARE(text.at(0x81), QChar(0x0081));
}

void tst_CardRecord::unmappableCharacters_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("greek letter") << QStringLiteral("Ωmega") << QByteArray("?mega");
    QTest::newRow("outside the basic plane") << QStringLiteral("a\U0001F3AC") << QByteArray("a?");
    QTest::newRow("accented letters pass") << QStringLiteral("été") << QByteArray("\xE9t\xE9");
}

void tst_CardRecord::unmappableCharacters()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(toCp1252(text), bytes);
}

void tst_CardRecord::fixedWidth_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("stored");
    QTest::newRow("60 characters cut to 50") << QString(60, 'x') << QString(50, 'x');
    QTest::newRow("five letters padded") << "Alien"
                                         << "Alien" + QString(45, ' ');
    QTest::newRow("leading space kept") << " Alien "
                                        << " Alien " + QString(43, ' ');
    QTest::newRow("empty") << "" << QString(50, ' ');
}

void tst_CardRecord::fixedWidth()
{
    QFETCH(QString, value);
    QFETCH(QString, stored);
    QCOMPARE(::fixedWidth(value, 50), stored);
}

void tst_CardRecord::recordBytes()
{
    const QString tenNames = joinActorNames(QStringList(10, QString(50, 'n')));
    QCOMPARE(tenNames.size(), CardWidth::Acteurs);
    const CardRecord record = makeRecord(QStringLiteral("Brazil \U0001F3AC"), QStringLiteral("1985"),
        QStringLiteral(" 2"), QStringLiteral("22"), QStringLiteral("Comédie"), QStringLiteral("R"), tenNames,
        QString(600, 'r'));
    const QByteArray bytes = encodeRecord(record);
    QCOMPARE(bytes.size(), CardWidth::Record);   // one byte for the pair, the field padded
    QCOMPARE(bytes.left(9), QByteArray("Brazil ? "));
    QCOMPARE(bytes.mid(50, 8), QByteArray("1985 222"));
    QCOMPARE(bytes.mid(58, 7),
        QByteArray("Com\xE9"
                   "die"));
    QCOMPARE(bytes.mid(158, 510), toCp1252(tenNames));
    QCOMPARE(bytes.mid(668), QByteArray(500, 'r'));

    const CardRecord back = decodeRecord(bytes);
    QCOMPARE(back.Acteurs, tenNames);
    QCOMPARE(back.Type, ::fixedWidth(QStringLiteral("Comédie"), 50));
    QCOMPARE(decodeRecord(bytes.left(58)).Type, QString(50, ' '));   // a short record reads as spaces
    QCOMPARE(CardRecord().Resume, QString(500, ' '));
}

void tst_CardRecord::splitActors_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("lines");
    QTest::newRow("two names") << "A|B|   " << QStringList { "A", "B" } << "A\rB";
    QTest::newRow("all spaces") << QString(510, ' ') << QStringList() << "";
    QTest::newRow("no final separator")
        << "Alpha Beta|Gamma Delta" << QStringList { "Alpha Beta", "Gamma Delta" }
        << "Alpha Beta\rGamma Delta";
    QTest::newRow("no separator at all") << "Alone" << QStringList { "Alone" } << "Alone";
    QTest::newRow("empty names kept") << "|A||" << QStringList { "", "A", "" } << "\rA\r";
    QTest::newRow("names with blanks")
        << " Bruce Willis |Uma |" << QStringList { " Bruce Willis ", "Uma " } << " Bruce Willis \rUma";
}

void tst_CardRecord::splitActors()
{
    QFETCH(QString, field);
    QFETCH(QStringList, names);
    QFETCH(QString, lines);
    QCOMPARE(splitActorNames(field), names);
    QCOMPARE(ActorLines(field), lines);
    // Saved again, every name ends with "|" and nothing else changes.
    const QString trimmed = TrimRight(field);
    const bool terminated = trimmed.isEmpty() || trimmed.endsWith(QLatin1Char('|'));
    QCOMPARE(joinActorNames(names), terminated ? trimmed : trimmed + QLatin1Char('|'));
}

void tst_CardRecord::numericText_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("numeric");
    QTest::newRow("digits") << "fr_FR"
                            << "1984" << true;
    QTest::newRow("exponent") << "fr_FR"
                              << "1e3" << true;
    QTest::newRow("blanks and sign") << "fr_FR"
                                     << " -12 " << true;
    QTest::newRow("French decimal comma") << "fr_FR"
                                          << "1,5" << true;
    QTest::newRow("English decimal point") << "en_US"
                                           << "1.5" << true;
    QTest::newRow("point in French") << "fr_FR"
                                     << "1.5" << false;
    QTest::newRow("digits in any locale") << "ar_EG"
                                          << "45" << true;
    QTest::newRow("trailing letter") << "fr_FR"
                                     << "19a" << false;
    QTest::newRow("inner letter") << "fr_FR"
                                  << "1a" << false;
    QTest::newRow("lone sign") << "fr_FR"
                               << "-" << false;
    QTest::newRow("lone exponent") << "fr_FR"
                                   << "e3" << false;
    QTest::newRow("exponent mark being typed") << "fr_FR"
                                               << "1e" << true;
    QTest::newRow("exponent sign being typed") << "fr_FR"
                                               << "1e-" << true;
    QTest::newRow("two exponent marks") << "fr_FR"
                                        << "1ee" << false;
    QTest::newRow("infinity word") << "en_US"
                                   << "inf" << false;
    QTest::newRow("not a number word") << "en_US"
                                       << "nan" << false;
    QTest::newRow("two separators") << "en_US"
                                    << "1.2.3" << false;
    QTest::newRow("blank only") << "fr_FR"
                                << " " << false;
}

void tst_CardRecord::numericText()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(bool, numeric);
    QCOMPARE(IsNumericText(text, QLocale(locale)), numeric);
}

QTEST_GUILESS_MAIN(tst_CardRecord)
#include "tst_cardrecord.moc"
