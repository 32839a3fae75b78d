// The layout arithmetic, in twips: rounding, the poster's scaling, and the
// places of the viewer's and the editor's controls.
#include "editor/editorlayout.h"
#include "layout/twips.h"
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
    m.title = [](int) { return 360; };
    m.year = { 600, kLine };
    m.runningTime = { 525, kLine };
    m.genreCaption = { 450, kLine };
    m.directorCaption = { 885, kLine };
    m.actorsCaption = { 675, kLine };
    m.summaryCaption = { 720, kLine };
    m.genre = m.director = m.actors = m.summary = value(420);
    m.initialOuterWidth = kOuterWidth;
    return m;
}

}   // namespace

class tst_Layout : public QObject {
    Q_OBJECT
private slots:
    void toInt16_data();
    void toInt16();
    void scaledPosterHeight_data();
    void scaledPosterHeight();
    void longValueBesidePoster_data();
    void longValueBesidePoster();
    void windowWithoutPoster();
    void windowHeight_data();
    void windowHeight();
    void longTitleMovesRowsDown();
    void longYearPushesRunningTime();
    void editorCaptions_data();
    void editorCaptions();
    void editorHeight_data();
    void editorHeight();
    void maxInt();
};

void tst_Layout::toInt16_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");   // -99999: out of range
    QTest::newRow("half to even, down") << 2902.5 << 2902;
    QTest::newRow("half to even, up") << 2903.5 << 2904;
    QTest::newRow("negative half") << -0.5 << 0;
    QTest::newRow("nearest") << 2250.4 << 2250;
    QTest::newRow("largest") << 32767.4 << 32767;
    QTest::newRow("just too large") << 32767.5 << -99999;
    QTest::newRow("smallest") << -32768.0 << -32768;
    QTest::newRow("too small") << -32769.0 << -99999;
    QTest::newRow("not a number") << std::nan("") << -99999;
    QTest::newRow("infinite") << HUGE_VAL << -99999;
}

void tst_Layout::toInt16()
{
    QFETCH(double, value);
    QFETCH(int, expected);
    const std::optional<qint16> result = ::toInt16(value);
    if (expected == -99999)
        QVERIFY(!result);
    else
        QCOMPARE(int(result.value_or(-1)), expected);
}

// Every poster is shown 1935 twips wide, whatever its natural size, at the
// right of the first row; one without a height is left out of the window.
void tst_Layout::scaledPosterHeight_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("shown");   // -1: no height
    QTest::newRow("wide poster halved") << 3870 << 4500 << 2250;
    QTest::newRow("narrow poster enlarged") << 1290 << 1800 << 2700;
    QTest::newRow("exactly 1935 wide") << 1935 << 2111 << 2111;
    QTest::newRow("half rounded down to even") << 3870 << 4501 << 2250;
    QTest::newRow("half rounded up to even") << 3870 << 4503 << 2252;
    QTest::newRow("natural size past 16 bits") << 45000 << 67500 << 2902;
    QTest::newRow("scaled height past 16 bits") << 1500 << 30000 << -1;
    QTest::newRow("zero width") << 0 << 2000 << -1;
    QTest::newRow("empty picture") << 0 << 0 << -1;
}

void tst_Layout::scaledPosterHeight()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, shown);
    const std::optional<qint16> scaled = ::scaledPosterHeight(Size { width, height });
    QCOMPARE(scaled ? int(*scaled) : -1, shown);
    InfosMeasure m = baseMeasure();
    m.poster = Size { width, height };
    const InfosPlaces p = placeInfos(m);
    QCOMPARE(p.posterShown, shown >= 0);
    QCOMPARE(p.poster, (Box { 3120, 600, shown >= 0 ? 1935 : 0, std::max(shown, 0) }));
}

// A long value beside the poster. The poster's bottom is tested against the
// initial tops: the summary's (2400) strictly, the director's (1680) not. A
// label with the poster above its top runs to the window's edge and pushes
// the poster right; a genre wraps before it; actors never wrap, the poster
// moves right of the longest name.
void tst_Layout::longValueBesidePoster_data()
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

void tst_Layout::longValueBesidePoster()
{
    QFETCH(int, label);
    QFETCH(int, posterHeight);
    QFETCH(int, textWidth);
    QFETCH(int, labelWidth);
    InfosMeasure m = baseMeasure();
    m.poster = Size { 1935, posterHeight };
    ValueLabel *values[] = { &m.genre, &m.director, &m.actors, &m.summary };
    *values[label] = value(textWidth);
    const InfosPlaces p = placeInfos(m);
    const Box box = std::array { p.genre, p.director, p.actors, p.summary }[label];
    QCOMPARE(box.width, labelWidth);
    QCOMPARE(box.height, kLine * int(std::ceil(double(textWidth) / labelWidth)));
    const std::array wraps { p.wrapGenre, p.wrapDirector, p.wrapActors, p.wrapSummary };
    QTEST(wraps[label], "wrapped");
    QTEST(p.poster.left, "posterLeft");
    QTEST(p.outerWidth, "outerWidth");
    QVERIFY(box.left + box.width + 135 <= p.poster.left);
}

void tst_Layout::windowWithoutPoster()
{
    const InfosPlaces p = placeInfos(baseMeasure());
    QVERIFY(!p.posterShown);
    QCOMPARE(p.outerWidth, 3420);
    QCOMPARE(p.posterPictureLeft, 3420);
    QCOMPARE(p.title, (Box { -15, 0, 3420, 360 }));
    // Rows 85 apart under the running time, each value right of its caption.
    QCOMPARE(p.year, (Box { 120, 600, 600, 195 }));
    QCOMPARE(p.genre, (Box { 645, 880, 420, 195 }));
    QCOMPARE(p.director, (Box { 1080, 1160, 420, 195 }));
    QCOMPARE(p.actorsCaption, (Box { 120, 1440, 675, 195 }));
    QCOMPARE(p.summary, (Box { 915, 1720, 420, 195 }));
    QCOMPARE(p.outerHeight, 1720 + 195 + 1215);
    QCOMPARE(p.ok, (Box { 1905, p.outerHeight - 990, 1215, 495 }));
    QCOMPARE(p.play, (Box { 705, p.outerHeight - 990, 1095, 495 }));
}

void tst_Layout::windowHeight_data()
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

void tst_Layout::windowHeight()
{
    QFETCH(int, posterHeight);
    QFETCH(int, summaryLines);
    QFETCH(int, outerHeight);
    QFETCH(bool, limited);
    InfosMeasure m = baseMeasure();
    m.poster = Size { 1935, posterHeight };
    m.summary = summaryLines == 1 ? value(420) : value(2070 * summaryLines);
    const InfosPlaces p = placeInfos(m);
    QCOMPARE(p.outerHeight, outerHeight);
    QCOMPARE(p.heightLimited, limited);
    QCOMPARE(p.ok.top, outerHeight - 990);
}

void tst_Layout::longTitleMovesRowsDown()
{
    InfosMeasure m = baseMeasure();
    m.title = [](int width) { return width >= 5205 ? 360 : 720; };
    const InfosPlaces p = placeInfos(m);
    QCOMPARE(p.outerWidth, 3420);
    QCOMPARE(p.title.height, 720);
    QCOMPARE(p.year.top, 960);
    QCOMPARE(p.poster.top, 960);
}

void tst_Layout::longYearPushesRunningTime()
{
    InfosMeasure m = baseMeasure();
    QCOMPARE(placeInfos(m).runningTime.left, 1320);
    m.year = { 1500, kLine };
    QCOMPARE(placeInfos(m).runningTime.left, 120 + 1500 + 120);
}

void tst_Layout::editorCaptions_data()
{
    QTest::addColumn<float>("yearCaptionWidth");
    QTest::addColumn<float>("runningTimeCaptionWidth");
    QTest::addColumn<float>("runningTimeCaptionLeft");
    QTest::addColumn<int>("yearBoxLeft");
    QTest::newRow("year caption wider than the gap") << 1050.f << 1035.f << 2160.f << 1215;
    QTest::newRow("narrow year caption aligns with the boxes") << 900.f << 1035.f << 2160.f << 1080;
    QTest::newRow("year caption ending on the title box") << 915.f << 1035.f << 2160.f << 1080;
    QTest::newRow("wide running-time caption") << 1050.f << 1200.f << 1995.f << 1215;
    QTest::newRow("half twip rounds to even") << 1050.5f << 1035.f << 2160.f << 1216;
}

void tst_Layout::editorCaptions()
{
    QFETCH(float, yearCaptionWidth);
    QFETCH(float, runningTimeCaptionWidth);
    QFETCH(float, runningTimeCaptionLeft);
    QFETCH(int, yearBoxLeft);
    EditorCaptionMeasure measure;
    measure.yearCaptionWidth = yearCaptionWidth;
    measure.runningTimeCaptionWidth = runningTimeCaptionWidth;
    const auto places = placeEditorCaptions(measure);
    QVERIFY(places);
    QCOMPARE(places->runningTimeCaptionLeft, runningTimeCaptionLeft);
    QCOMPARE(int(places->yearBoxLeft), yearBoxLeft);
}

void tst_Layout::editorHeight_data()
{
    QTest::addColumn<double>("posterBottom");
    QTest::addColumn<int>("outer");   // -1: failure
    QTest::newRow("poster below the summary") << 960.0 + 3870 << 5685;
    QTest::newRow("poster above the summary's bottom") << 960.0 + 2580 << 4470;
    QTest::newRow("no poster") << 960.0 << 4470;
    QTest::newRow("last height in range") << 31912.0 << 32767;
    QTest::newRow("height past 16 bits") << 31913.0 << -1;
}

void tst_Layout::editorHeight()
{
    QFETCH(double, posterBottom);
    QFETCH(int, outer);
    const auto height = editorOuterHeight(3615, posterBottom);
    if (outer < 0) {
        QVERIFY(!height);
        return;
    }
    QVERIFY(height);
    QCOMPARE(int(*height), outer);
}

void tst_Layout::maxInt()
{
    QCOMPARE(maxInt16(-3, 2), qint16(2));
    QCOMPARE(maxInt16(5, 5), qint16(5));
    QCOMPARE(maxInt16(-32768, -32767), qint16(-32767));
}

QTEST_GUILESS_MAIN(tst_Layout)
#include "tst_layout.moc"
