#include "editor/editorlayout.h"

#include <QTest>

class tst_EditorLayout : public QObject {
    Q_OBJECT
private slots:
    void placesCaptions_data();
    void placesCaptions();
    void sizesWindow_data();
    void sizesWindow();
};

void tst_EditorLayout::placesCaptions_data()
{
    QTest::addColumn<float>("anneeWidth");
    QTest::addColumn<float>("duree1Width");
    QTest::addColumn<float>("duree1Left");
    QTest::addColumn<int>("anneeBoxLeft");
    QTest::newRow("year caption wider than the gap") << 1050.f << 1035.f << 2160.f << 1215;
    QTest::newRow("narrow year caption aligns with the boxes") << 900.f << 1035.f << 2160.f << 1080;
    QTest::newRow("year caption ending on the title box") << 915.f << 1035.f << 2160.f << 1080;
    QTest::newRow("wide running-time caption") << 1050.f << 1200.f << 1995.f << 1215;
    QTest::newRow("half twip rounds to even") << 1050.5f << 1035.f << 2160.f << 1216;
}

void tst_EditorLayout::placesCaptions()
{
    QFETCH(float, anneeWidth);
    QFETCH(float, duree1Width);
    QFETCH(float, duree1Left);
    QFETCH(int, anneeBoxLeft);
    EditorCaptionMeasure measure;
    measure.anneeWidth = anneeWidth;
    measure.duree1Width = duree1Width;
    const auto places = placeEditorCaptions(measure);
    QVERIFY(places);
    QCOMPARE(places->duree1Left, duree1Left);
    QCOMPARE(int(places->anneeBoxLeft), anneeBoxLeft);
}

void tst_EditorLayout::sizesWindow_data()
{
    QTest::addColumn<double>("posterBottom");
    QTest::addColumn<int>("outer");   // -1: failure
    QTest::newRow("poster below the summary") << 960.0 + 3870 << 5685;
    QTest::newRow("poster above the summary's bottom") << 960.0 + 2580 << 4470;
    QTest::newRow("no poster") << 960.0 << 4470;
    QTest::newRow("last height in range") << 31912.0 << 32767;
    QTest::newRow("height past 16 bits") << 31913.0 << -1;
}

void tst_EditorLayout::sizesWindow()
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

QTEST_GUILESS_MAIN(tst_EditorLayout)
#include "tst_editorlayout.moc"
