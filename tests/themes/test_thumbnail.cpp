// The thumbnail arithmetic against values worked out by hand: the bevel's
// lighten and darken on edge, side and corner pixels, the area-averaging
// scaler's weights and its rounding of halves to even, the whole chain on a
// uniform square, the square near the screenshot's edge, and the XOR marker.

#include "themes/thumbnail.h"

#include <QtTest>

using namespace tovalin;
using namespace tovalin::thumbnail;

namespace {

constexpr quint32 rgb(int r, int g, int b)
{
    return 0xFF000000u | quint32(r) << 16 | quint32(g) << 8 | quint32(b);
}

/// The colour channels only: the scaler's fourth byte is 0.
constexpr quint32 rgbOnly(quint32 p)
{
    return p & 0x00FFFFFFu;
}

} // namespace

class TestThumbnail : public QObject {
    Q_OBJECT

private slots:
    void bevelLightensTopLeftAndDarkensBottomRight_data()
    {
        // Colour (100, 50, 200), strength 150, band 5 on a 100 × 100 square. By hand:
        // lighten v + 150·(255 − v)/255 → (191, 170, 232); darken v − 150·v/255 → (42, 21, 83);
        // twice lightened (228, 220, 245); lightened then darkened (79, 70, 96);
        // darkened then lightened (167, 158, 184); twice darkened (18, 9, 35).
        QTest::addColumn<QPoint>("pixel");
        QTest::addColumn<quint32>("expected");
        QTest::newRow("topEdgeOnceLighter") << QPoint(50, 0) << rgb(191, 170, 232);
        QTest::newRow("sixthRowFromTopStillInBand") << QPoint(50, 5) << rgb(191, 170, 232);
        QTest::newRow("bottomEdgeOnceDarker") << QPoint(50, 99) << rgb(42, 21, 83);
        QTest::newRow("leftSideOnceLighter") << QPoint(0, 50) << rgb(191, 170, 232);
        QTest::newRow("rightSideOnceDarker") << QPoint(99, 50) << rgb(42, 21, 83);
        QTest::newRow("insideTheBandUntouched") << QPoint(6, 50) << rgb(100, 50, 200);
        QTest::newRow("belowTheTopBandUntouched") << QPoint(50, 6) << rgb(100, 50, 200);
        QTest::newRow("topLeftCornerTwiceLighter") << QPoint(0, 0) << rgb(228, 220, 245);
        QTest::newRow("diagonalTwiceLighter") << QPoint(3, 3) << rgb(228, 220, 245);
        QTest::newRow("topRightLighterThenDarker") << QPoint(99, 0) << rgb(79, 70, 96);
        QTest::newRow("bottomLeftDarkerThenLighter") << QPoint(0, 99) << rgb(167, 158, 184);
        QTest::newRow("bottomRightTwiceDarker") << QPoint(99, 99) << rgb(18, 9, 35);
        QTest::newRow("leftOfDiagonalOnceLighter") << QPoint(0, 3) << rgb(191, 170, 232);
    }

    void bevelLightensTopLeftAndDarkensBottomRight()
    {
        QFETCH(QPoint, pixel);
        QFETCH(quint32, expected);
        // The bevel drops the alpha (24-bit colour): a transparent source comes out opaque.
        Bitmap square = Bitmap::filled(100, 100, 0x00000000u | rgbOnly(rgb(100, 50, 200)));
        Bevel(square, 5, 150);
        QCOMPARE(square.pixel(pixel.x(), pixel.y()), expected);
    }

    void bevelClampsAndStopsAtBandZero()
    {
        Bitmap white = Bitmap::filled(20, 20, rgb(255, 255, 255));
        Bevel(white, 5, 150);
        QCOMPARE(white.pixel(0, 0), rgb(255, 255, 255)); // lightening white stays white
        QCOMPARE(white.pixel(19, 10), rgb(105, 105, 105)); // 255 − 150·255/255

        Bitmap plain = Bitmap::filled(10, 10, 0x00123456u);
        Bevel(plain, 0, 150);
        QCOMPARE(plain.pixel(0, 0), 0xFF123456u); // only made opaque
    }

    void scalerAveragesByCoveredArea()
    {
        // 3 → 2 pixels: target 0 covers source 0 whole and half of source 1, target 1 the other
        // half of source 1 and source 2: (0 + 15) / 1.5 = 10 and (15 + 90) / 1.5 = 70.
        Bitmap row = Bitmap::filled(3, 1, 0);
        row.setPixel(0, 0, rgb(0, 0, 0));
        row.setPixel(1, 0, rgb(0, 0, 30));
        row.setPixel(2, 0, rgb(0, 0, 90));
        const Bitmap out = ScaleBitmap(row, 2, 1);
        QCOMPARE(out.width, 2);
        QCOMPARE(out.height, 1);
        QCOMPARE(out.pixel(0, 0), 10u);
        QCOMPARE(out.pixel(1, 0), 70u);
    }

    void scalerRoundsHalvesToEven()
    {
        // Two pixels into one: each channel is the plain mean, and every mean here is a half.
        Bitmap pair = Bitmap::filled(2, 1, 0);
        pair.setPixel(0, 0, rgb(4, 0, 2));
        pair.setPixel(1, 0, rgb(5, 1, 3));
        QCOMPARE(ScaleBitmap(pair, 1, 1).pixel(0, 0), quint32(4 << 16 | 0 << 8 | 2)); // 4.5, 0.5, 2.5
        pair.setPixel(0, 0, rgb(1, 3, 0));
        pair.setPixel(1, 0, rgb(2, 4, 0));
        QCOMPARE(ScaleBitmap(pair, 1, 1).pixel(0, 0), quint32(2 << 16 | 4 << 8 | 0)); // 1.5, 3.5
    }

    void uniformSquareGivesItsColourInsideTheBand()
    {
        const quint32 colour = rgb(12, 200, 77);
        const Bitmap screenshot = Bitmap::filled(400, 300, colour);
        const Bitmap thumb = makeThumbnail(screenshot, QPoint(200, 150));
        QCOMPARE(thumb.width, 70);
        QCOMPARE(thumb.height, 70);
        // The 6-pixel band of the 100-pixel square reaches target pixels 0 to 4 and 65 to 69.
        for (int y = 5; y < 65; ++y) {
            for (int x = 5; x < 65; ++x) {
                if (thumb.pixel(x, y) != rgbOnly(colour))
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2 is %3").arg(x).arg(y).arg(thumb.pixel(x, y), 0, 16)));
            }
        }
        QVERIFY(thumb.pixel(0, 35) != rgbOnly(colour));
        QVERIFY(thumb.pixel(69, 35) != rgbOnly(colour));
    }

    void squareNearTheEdgeIsStillWhole()
    {
        Bitmap screenshot = Bitmap::filled(300, 200, rgb(0, 0, 255));
        screenshot.setPixel(0, 0, rgb(1, 2, 3));
        const Bitmap square = takeSquare(screenshot, QPoint(10, 20));
        QCOMPARE(square.width, 100);
        QCOMPARE(square.height, 100);
        QCOMPARE(square.pixel(0, 0), kOutsideColour);  // (−40, −30) lies outside
        QCOMPARE(square.pixel(40, 30), rgb(1, 2, 3));  // the screenshot's own corner
        QCOMPARE(square.pixel(99, 99), rgb(0, 0, 255));
        QCOMPARE(makeThumbnail(screenshot, QPoint(299, 199)).width, 70);
    }

    void markerInvertsOnlyItsOutlineAndTwiceRestores()
    {
        Bitmap picture = Bitmap::filled(300, 200, rgb(10, 20, 30));
        const Bitmap before = picture;
        const QRect touched = xorMarker(picture, QPoint(100, 100));
        QCOMPARE(touched, QRect(45, 45, 110, 110));
        QCOMPARE(picture.pixel(45, 45), rgb(245, 235, 225)); // the white outline inverts
        QCOMPARE(picture.pixel(46, 100), rgb(245, 235, 225));
        QCOMPARE(picture.pixel(47, 100), rgb(10, 20, 30));   // the black inside leaves it be
        QCOMPARE(picture.pixel(100, 100), rgb(10, 20, 30));
        // The 100 × 100 square around the same point stays clear of the outline.
        QCOMPARE(takeSquare(picture, QPoint(100, 100)), takeSquare(before, QPoint(100, 100)));
        xorMarker(picture, QPoint(100, 100));
        QCOMPARE(picture, before);

        // Partly or wholly off the picture: only what lies on it changes, and nothing breaks.
        QCOMPARE(xorMarker(picture, QPoint(0, 0)), QRect(0, 0, 55, 55));
        xorMarker(picture, QPoint(0, 0));
        QVERIFY(xorMarker(picture, kMarkerHidden).isEmpty());
        QCOMPARE(picture, before);
    }
};

QTEST_APPLESS_MAIN(TestThumbnail)
#include "test_thumbnail.moc"
