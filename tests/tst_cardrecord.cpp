#include "card/cardfields.h"
#include "card/cardrecord.h"
#include "card/cp1252.h"
#include "card/numerictext.h"

#include <QTest>

using namespace Qt::StringLiterals;

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
    void trailingBlanks_data();
    void trailingBlanks();
    void storesHours_data();
    void storesHours();
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
    QTest::addColumn<QString>("kept");   // what the editor lets in
    QTest::addColumn<QString>("refused");
    QTest::newRow("greek letter") << u"Ωmega"_s << QByteArray("?mega") << u"mega"_s << u"Ω"_s;
    QTest::newRow("outside the basic plane")
        << u"a\U0001F3ACb★"_s << QByteArray("a?b?") << u"ab"_s << u"\U0001F3AC"_s;
    QTest::newRow("a lone surrogate")
        << QString(QChar(0xD83C)) + u"x"_s << QByteArray("?x") << u"x"_s << QString(QChar(0xD83C));
    QTest::newRow("accented letters and the euro pass")
        << u"été €"_s << QByteArray("\xE9t\xE9 \x80") << u"été €"_s << QString();
}

void tst_CardRecord::unmappableCharacters()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, kept);
    QFETCH(QString, refused);
    QCOMPARE(toCp1252(text), bytes);
    int caret = int(text.size());
    QCOMPARE(removeNonCp1252(text, &caret), refused);
    QCOMPARE(text, kept);
    QCOMPARE(caret, kept.size());
}

void tst_CardRecord::fixedWidth_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("stored");
    QTest::newRow("60 characters cut to 50") << QString(60, 'x') << QString(50, 'x');
    QTest::newRow("five letters padded") << u"Alien"_s << "Alien" + QString(45, ' ');
    QTest::newRow("leading space kept") << u" Alien "_s << " Alien " + QString(43, ' ');
    QTest::newRow("empty") << u""_s << QString(50, ' ');
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
    QCOMPARE(tenNames.size(), fieldWidth(Field::Acteurs));
    const CardRecord record = makeRecord({ u"Brazil \U0001F3AC"_s, u"1985"_s, u" 2"_s, u"22"_s, u"Comédie"_s,
        u"R"_s, tenNames, QString(600, 'r') });
    const QByteArray bytes = encodeRecord(record);
    QCOMPARE(bytes.size(), kRecordWidth);   // one byte for the pair, the field padded
    QCOMPARE(bytes.left(9), QByteArray("Brazil ? "));
    QCOMPARE(bytes.mid(50, 8), QByteArray("1985 222"));
    QCOMPARE(bytes.mid(58, 7),
        QByteArray("Com\xE9"
                   "die"));
    QCOMPARE(bytes.mid(158, 510), toCp1252(tenNames));
    QCOMPARE(bytes.mid(668), QByteArray(500, 'r'));

    const CardRecord back = decodeRecord(bytes);
    QCOMPARE(back.text(Field::Acteurs), tenNames);
    QCOMPARE(back.text(Field::Type), ::fixedWidth(u"Comédie"_s, 50));
    QCOMPARE(
        decodeRecord(bytes.left(58)).text(Field::Type), QString(50, ' '));   // a short record reads as spaces
    QCOMPARE(CardRecord().text(Field::Resume), QString(500, ' '));
}

void tst_CardRecord::splitActors_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("lines");
    QTest::newRow("two names") << u"A|B|   "_s << QStringList { "A", "B" } << u"A\rB"_s;
    QTest::newRow("all spaces") << QString(510, ' ') << QStringList() << u""_s;
    QTest::newRow("no final separator")
        << u"Alpha Beta|Gamma Delta"_s << QStringList { "Alpha Beta", "Gamma Delta" }
        << u"Alpha Beta\rGamma Delta"_s;
    QTest::newRow("no separator at all") << u"Alone"_s << QStringList { "Alone" } << u"Alone"_s;
    QTest::newRow("empty names kept") << u"|A||"_s << QStringList { "", "A", "" } << u"\rA\r"_s;
    QTest::newRow("names with blanks")
        << u" Bruce Willis |Uma |"_s << QStringList { " Bruce Willis ", "Uma " } << u" Bruce Willis \rUma"_s;
}

void tst_CardRecord::splitActors()
{
    QFETCH(QString, field);
    QFETCH(QStringList, names);
    QFETCH(QString, lines);
    QCOMPARE(splitActorNames(field), names);
    QCOMPARE(actorLines(field), lines);
    // Saved again, every name ends with "|" and nothing else changes.
    const QString trimmed = trimRight(field);
    const bool terminated = trimmed.isEmpty() || trimmed.endsWith(QLatin1Char('|'));
    QCOMPARE(joinActorNames(names), terminated ? trimmed : trimmed + QLatin1Char('|'));
}

void tst_CardRecord::numericText_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("numeric");
    QTest::newRow("digits") << u"fr_FR"_s << u"1984"_s << true;
    QTest::newRow("exponent") << u"fr_FR"_s << u"1e3"_s << true;
    QTest::newRow("blanks and sign") << u"fr_FR"_s << u" -12 "_s << true;
    QTest::newRow("French decimal comma") << u"fr_FR"_s << u"1,5"_s << true;
    QTest::newRow("English decimal point") << u"en_US"_s << u"1.5"_s << true;
    QTest::newRow("point in French") << u"fr_FR"_s << u"1.5"_s << false;
    QTest::newRow("digits in any locale") << u"ar_EG"_s << u"45"_s << true;
    QTest::newRow("trailing letter") << u"fr_FR"_s << u"19a"_s << false;
    QTest::newRow("inner letter") << u"fr_FR"_s << u"1a"_s << false;
    QTest::newRow("lone sign") << u"fr_FR"_s << u"-"_s << false;
    QTest::newRow("lone exponent") << u"fr_FR"_s << u"e3"_s << false;
    QTest::newRow("exponent mark being typed") << u"fr_FR"_s << u"1e"_s << true;
    QTest::newRow("exponent sign being typed") << u"fr_FR"_s << u"1e-"_s << true;
    QTest::newRow("two exponent marks") << u"fr_FR"_s << u"1ee"_s << false;
    QTest::newRow("infinity word") << u"en_US"_s << u"inf"_s << false;
    QTest::newRow("not a number word") << u"en_US"_s << u"nan"_s << false;
    QTest::newRow("two separators") << u"en_US"_s << u"1.2.3"_s << false;
    QTest::newRow("blank only") << u"fr_FR"_s << u" "_s << false;
}

void tst_CardRecord::numericText()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(bool, numeric);
    QCOMPARE(isNumericText(text, QLocale(locale)), numeric);
}

void tst_CardRecord::trailingBlanks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("trimmed");
    QTest::newRow("two trailing spaces") << u"abc  "_s << u"abc"_s;
    QTest::newRow("all spaces") << u"   "_s << u""_s;
    QTest::newRow("leading space stays") << u" abc"_s << u" abc"_s;
    QTest::newRow("tab and carriage return stay") << u"a\t\r"_s << u"a\t\r"_s;
    QTest::newRow("space before a tab stays") << u"a \t"_s << u"a \t"_s;
    QTest::newRow("a field's long run of blanks") << u"a"_s + QString(21, u' ') << u"a"_s;
    QTest::newRow("eight blanks inside stay") << u"x        y   "_s << u"x        y"_s;
}

void tst_CardRecord::trailingBlanks()
{
    QFETCH(QString, text);
    QFETCH(QString, trimmed);
    QCOMPARE(trimRight(text), trimmed);
    const QByteArray bytes = text.toLatin1();
    QCOMPARE(trimRight(QByteArrayView(bytes)), trimmed.toLatin1());
}

// The hours as the record stores them: a one-digit number with a blank in
// front, any other text as it is.
void tst_CardRecord::storesHours_data()
{
    QTest::addColumn<QString>("hours");
    QTest::addColumn<QString>("field");
    QTest::newRow("one digit") << u"1"_s << u" 1"_s;
    QTest::newRow("empty") << u""_s << u""_s;
    QTest::newRow("ten") << u"12"_s << u"12"_s;
    QTest::newRow("not a number") << u"a"_s << u"a"_s;
    QTest::newRow("two characters below ten are not cut") << u"-1"_s << u"-1"_s;
}

void tst_CardRecord::storesHours()
{
    QFETCH(QString, hours);
    QTEST(hoursField(hours), "field");
}

QTEST_GUILESS_MAIN(tst_CardRecord)
#include "tst_cardrecord.moc"
