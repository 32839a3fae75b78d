#include "viewer/infoslayout.h"

#include <QTest>

#include <array>
#include <cmath>

namespace {

constexpr int kLine = 195;
constexpr int kOuterWidth = 5355;   // 5265 of client area and a tool window's frame

// A text of textWidth twips on one line, wrapped at any width.
WrapHeight wrapsTo(int textWidth)
{
    return [textWidth](int width) { return kLine * int(std::ceil(double(textWidth) / width)); };
}

ValueLabel value(int textWidth)
{
    return { { textWidth, kLine }, wrapsTo(textWidth) };
}

// The viewer's initial labels: captions 600, 525, 450, 885, 675 and 720 wide, short values, a title 360 high.
InfosMeasure baseMeasure()
{
    InfosMeasure m;
    m.titre = [](int) { return 360; };
    m.annee = { 600, kLine };
    m.duree = { 525, kLine };
    m.typeA = { 450, kLine };
    m.realisateurA = { 885, kLine };
    m.acteursA = { 675, kLine };
    m.resumeA = { 720, kLine };
    m.type = m.realisateur = m.acteurs = m.resume = value(420);
    m.initialOuterWidth = kOuterWidth;
    return m;
}

}   // namespace

class tst_InfosLayout : public QObject {
    Q_OBJECT
private slots:
    void posterScaling_data();
    void posterScaling();
    void longValueBesidePoster_data();
    void longValueBesidePoster();
    void windowWithoutPoster();
    void windowHeight_data();
    void windowHeight();
    void longTitleMovesRowsDown();
    void longYearPushesRunningTime();
};

void tst_InfosLayout::posterScaling_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("shown");   // -1: shown as a card without poster
    QTest::newRow("poster shown at its width") << 3870 << 4500 << 2250;
    QTest::newRow("too tall once scaled: left out") << 1500 << 30000 << -1;
}

void tst_InfosLayout::posterScaling()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, shown);
    InfosMeasure m = baseMeasure();
    m.poster = Size { width, height };
    const InfosPlaces p = placeInfos(m);
    QCOMPARE(p.afficheShown, shown >= 0);
    QCOMPARE(p.affiche, (Box { 3120, 600, shown >= 0 ? 1935 : 0, std::max(shown, 0) }));
}

// A long value beside the poster. The poster's bottom is tested against the
// initial tops: the summary's (2400) strictly, the director's (1680) not. A
// label with the poster above its top runs to the window's edge and pushes
// the poster right; a genre wraps before it; actors never wrap, the poster
// moves right of the longest name.
void tst_InfosLayout::longValueBesidePoster_data()
{
    QTest::addColumn<int>("label");          // 0 genre, 1 director, 2 actors, 3 summary
    QTest::addColumn<int>("posterHeight");   // top 600
    QTest::addColumn<int>("textWidth");
    QTest::addColumn<int>("labelWidth");
    QTest::addColumn<int>("posterLeft");
    QTest::addColumn<int>("outerWidth");
    QTest::addColumn<bool>("wrapped");
    // The values' lefts: the genre's 645, the director's 1080, the actors'
    // 870, the summary's 120 + 720 + 75 = 915.
    QTest::newRow("summary, poster bottom 2400")
        << 3 << 1800 << 9000 << 5355 - 135 - 915 << 5355 << 7590 << true;
    QTest::newRow("summary, poster bottom 2401")
        << 3 << 1801 << 9000 << 3120 - 135 - 915 << 3120 << 5355 << true;
    QTest::newRow("director, poster bottom 1680")
        << 1 << 1080 << 9000 << 3120 - 135 - 1080 << 3120 << 5355 << true;
    QTest::newRow("director, poster bottom 1679")
        << 1 << 1079 << 9000 << 5355 - 135 - 1080 << 5355 << 7590 << true;
    QTest::newRow("genre") << 0 << 2900 << 4000 << 3120 - 135 - 645 << 3120 << 5355 << true;
    QTest::newRow("actor") << 2 << 2900 << 4000 << 4000 << 870 + 4000 + 135 << 870 + 4000 + 135 + 1935 + 300
                           << false;
}

void tst_InfosLayout::longValueBesidePoster()
{
    QFETCH(int, label);
    QFETCH(int, posterHeight);
    QFETCH(int, textWidth);
    QFETCH(int, labelWidth);
    InfosMeasure m = baseMeasure();
    m.poster = Size { 1935, posterHeight };
    ValueLabel *values[] = { &m.type, &m.realisateur, &m.acteurs, &m.resume };
    *values[label] = value(textWidth);
    const InfosPlaces p = placeInfos(m);
    const Box box = std::array { p.type, p.realisateur, p.acteurs, p.resume }[label];
    QCOMPARE(box.width, labelWidth);
    QCOMPARE(box.height, kLine * int(std::ceil(double(textWidth) / labelWidth)));
    const std::array wraps { p.wrapType, p.wrapRealisateur, p.wrapActeurs, p.wrapResume };
    QTEST(wraps[label], "wrapped");
    QTEST(p.affiche.left, "posterLeft");
    QTEST(p.outerWidth, "outerWidth");
    QVERIFY(box.left + box.width + 135 <= p.affiche.left);
}

void tst_InfosLayout::windowWithoutPoster()
{
    const InfosPlaces p = placeInfos(baseMeasure());
    QVERIFY(!p.afficheShown);
    QCOMPARE(p.outerWidth, 3420);
    QCOMPARE(p.posterPictureLeft, 3420);
    QCOMPARE(p.titre, (Box { -15, 0, 3420, 360 }));
    // Rows 85 apart under the running time, each value right of its caption.
    QCOMPARE(p.annee, (Box { 120, 600, 600, 195 }));
    QCOMPARE(p.type, (Box { 645, 880, 420, 195 }));
    QCOMPARE(p.realisateur, (Box { 1080, 1160, 420, 195 }));
    QCOMPARE(p.acteursA, (Box { 120, 1440, 675, 195 }));
    QCOMPARE(p.resume, (Box { 915, 1720, 420, 195 }));
    QCOMPARE(p.outerHeight, 1720 + 195 + 1215);
    QCOMPARE(p.ok, (Box { 1905, p.outerHeight - 990, 1215, 495 }));
    QCOMPARE(p.play, (Box { 705, p.outerHeight - 990, 1095, 495 }));
}

void tst_InfosLayout::windowHeight_data()
{
    QTest::addColumn<int>("posterHeight");
    QTest::addColumn<int>("summaryLines");
    QTest::addColumn<int>("outerHeight");
    QTest::addColumn<bool>("limited");
    // The summary row starts at 1720 and wraps at 2070 twips beside a tall poster.
    QTest::newRow("poster lower than summary") << 4000 << 3 << 600 + 4000 + 1215 << false;
    QTest::newRow("summary lower than poster") << 2000 << 12 << 1720 + 12 * 195 + 1215 << false;
    QTest::newRow("bottom at the 16-bit limit") << 30952 << 1 << 32767 << false;
    QTest::newRow("bottom one past the limit") << 30953 << 1 << 32767 << true;
    QTest::newRow("summary taller than any window") << 2000 << 200 << 32767 << true;
}

void tst_InfosLayout::windowHeight()
{
    QFETCH(int, posterHeight);
    QFETCH(int, summaryLines);
    QFETCH(int, outerHeight);
    QFETCH(bool, limited);
    InfosMeasure m = baseMeasure();
    m.poster = Size { 1935, posterHeight };
    m.resume = summaryLines == 1 ? value(420) : value(2070 * summaryLines);
    const InfosPlaces p = placeInfos(m);
    QCOMPARE(p.outerHeight, outerHeight);
    QCOMPARE(p.heightLimited, limited);
    QCOMPARE(p.ok.top, outerHeight - 990);
}

void tst_InfosLayout::longTitleMovesRowsDown()
{
    InfosMeasure m = baseMeasure();
    m.titre = [](int width) { return width >= 5205 ? 360 : 720; };
    const InfosPlaces p = placeInfos(m);
    QCOMPARE(p.outerWidth, 3420);
    QCOMPARE(p.titre.height, 720);
    QCOMPARE(p.annee.top, 960);
    QCOMPARE(p.affiche.top, 960);
}

void tst_InfosLayout::longYearPushesRunningTime()
{
    InfosMeasure m = baseMeasure();
    QCOMPARE(placeInfos(m).duree.left, 1320);
    m.annee = { 1500, kLine };
    QCOMPARE(placeInfos(m).duree.left, 120 + 1500 + 120);
}

QTEST_GUILESS_MAIN(tst_InfosLayout)
#include "tst_infoslayout.moc"
