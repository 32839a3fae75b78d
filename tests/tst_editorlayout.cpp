#include "editor/editorlayout.h"
#include "editor/numerictext.h"

#include <QTest>

class tst_EditorLayout : public QObject {
    Q_OBJECT
private slots:
    void placesCaptions_data();
    void placesCaptions();
    void sizesWindow_data();
    void sizesWindow();
    void readsNumbers_data();
    void readsNumbers();
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

void tst_EditorLayout::readsNumbers_data()
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

void tst_EditorLayout::readsNumbers()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(bool, numeric);
    QCOMPARE(IsNumericText(text, QLocale(locale)), numeric);
}

QTEST_GUILESS_MAIN(tst_EditorLayout)
#include "tst_editorlayout.moc"
