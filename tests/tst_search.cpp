#include "editor/internetsearch.h"
#include "process/buildconfig.h"
#include "support/scripteddesktop.h"
#include "texts/texts.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_Search : public QObject {
    Q_OBJECT

private slots:
    void encodesKeywords_data();
    void encodesKeywords();
    void asksAndOpens_data();
    void asksAndOpens();
};

void tst_Search::encodesKeywords_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QByteArray>("keywords");
    QTest::newRow("blanks between words")
        << u"Le Seigneur des anneaux"_s << QByteArray("Le+Seigneur+des+anneaux");
    QTest::newRow("blanks around, kept") << u" Alien "_s << QByteArray("+Alien+");
    QTest::newRow("blanks in a row") << u"Alien  3"_s << QByteArray("Alien++3");
    QTest::newRow("ampersand") << u"Tom & Jerry"_s << QByteArray("Tom+%26+Jerry");
    QTest::newRow("query delimiters") << u"a#b?c=d+e 100%"_s << QByteArray("a%23b%3Fc%3Dd%2Be+100%25");
    QTest::newRow("percent before digits") << u"%20"_s << QByteArray("%2520");
    QTest::newRow("unreserved kept") << u"Se7en-2.0_x~"_s << QByteArray("Se7en-2.0_x~");
    QTest::newRow("accents in UTF-8") << u"Amélie à Noël"_s << QByteArray("Am%C3%A9lie+%C3%A0+No%C3%ABl");
}

// The address handed to the desktop must carry the keywords exactly: QUrl
// may not decode or re-encode any of them.
void tst_Search::encodesKeywords()
{
    QFETCH(QString, answer);
    QFETCH(QByteArray, keywords);
    QCOMPARE(searchKeywords(answer), keywords);
    const QUrl address = searchAddress(answer);
    QVERIFY(address.isValid());
    QCOMPARE(address.toEncoded(), QByteArray(BuildConfig::DatabaseSearch) + keywords);
}

void tst_Search::asksAndOpens_data()
{
    QTest::addColumn<QString>("proposal");
    QTest::addColumn<std::optional<QString>>("answer");
    QTest::addColumn<bool>("opens");   // the desktop is asked to open the page
    QTest::addColumn<bool>("openWorks");
    QTest::addColumn<QPoint>("editor");   // the editor window's top-left corner
    QTest::addColumn<QPoint>("box");      // where the input box goes
    QTest::newRow("cancel with a title proposed")
        << "Alien" << std::optional<QString>() << false << false << QPoint(0, 0) << QPoint(32, 43);
    QTest::newRow("OK on an empty field")
        << "" << std::optional<QString>(u""_s) << false << false << QPoint(412, 230) << QPoint(444, 273);
    QTest::newRow("keywords, page opened") << "Alien" << std::optional<QString>(u"Alien 3"_s) << true << true
                                           << QPoint(-1280, 10) << QPoint(-1248, 53);
    QTest::newRow("keywords, open fails")
        << "" << std::optional<QString>(u"Alien"_s) << true << false << QPoint(5, 7) << QPoint(37, 50);
}

void tst_Search::asksAndOpens()
{
    QFETCH(QString, proposal);
    QFETCH(std::optional<QString>, answer);
    QFETCH(bool, opens);
    QFETCH(bool, openWorks);
    QFETCH(QPoint, editor);
    QFETCH(QPoint, box);
    ScriptedDesktop fake;
    fake.answerInput(answer);
    if (opens)
        fake.answerOpen(openWorks);
    if (opens && !openWorks)
        fake.answerMsg(MsgAnswer::Ok);

    searchInternet(textOf(Text::SearchItem), proposal, editor);

    QCOMPARE(fake.inputs.size(), 1);
    QCOMPARE(fake.inputs[0].title, u"Rechercher sur Internet..."_s);
    QCOMPARE(fake.inputs[0].prompt, u"Entrez les mots-clés à rechercher :"_s);
    QCOMPARE(fake.inputs[0].proposal, proposal);
    QCOMPARE(fake.inputs[0].position, std::optional<QPoint>(box));
    QCOMPARE(fake.opened.size(), opens ? 1 : 0);
    if (opens)
        QCOMPARE(fake.opened[0], searchAddress(*answer));
    QCOMPARE(fake.messages.size(), opens && !openWorks ? 1 : 0);
    if (!fake.messages.isEmpty()) {
        QCOMPARE(fake.messages[0].text, u"C'est ici pour les rapports de bugs..."_s);
        QCOMPARE(fake.messages[0].icon, MsgIcon::None);
        QCOMPARE(fake.messages[0].buttons, MsgButtons::Ok);
        QCOMPARE(fake.messages[0].title, u"Cinefiche"_s);
    }
    QVERIFY(fake.allAnswered());
}

QTEST_GUILESS_MAIN(tst_Search)
#include "tst_search.moc"
