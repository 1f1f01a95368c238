#include "themes/bmp_codec.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using namespace tovalin;

namespace {

void putU16(QByteArray &b, quint16 v) { b.append(char(v & 0xFF)).append(char(v >> 8)); }
void putU32(QByteArray &b, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b.append(char((v >> (8 * i)) & 0xFF));
}

// Builds a bitmap file the way other programs write them.
struct BmpFixture {
    int headerSize = 40;
    qint32 width = 1;
    qint32 height = 1;
    quint16 bpp = 24;
    quint32 compression = 0;
    quint32 clrUsed = 0;
    QByteArray palette;             // raw entries (3 or 4 bytes each)
    std::array<quint32, 4> masks{}; // in the header from 52 bytes up, after it for 40 with bitfields
    int maskCount = 0;              // masks written after a 40-byte header
    QByteArray data;
    std::optional<quint32> offset;

    QByteArray build() const
    {
        QByteArray dib;
        if (headerSize == 12) {
            putU32(dib, 12);
            putU16(dib, quint16(width));
            putU16(dib, quint16(height));
            putU16(dib, 1);
            putU16(dib, bpp);
        } else {
            putU32(dib, quint32(headerSize));
            putU32(dib, quint32(width));
            putU32(dib, quint32(height));
            putU16(dib, 1);
            putU16(dib, bpp);
            putU32(dib, compression);
            putU32(dib, quint32(data.size()));
            putU32(dib, 2835);
            putU32(dib, 2835);
            putU32(dib, clrUsed);
            putU32(dib, 0);
            for (int i = 0; i < 4 && dib.size() < headerSize; ++i)
                putU32(dib, masks[size_t(i)]);
            dib.append(QByteArray(headerSize - dib.size(), '\0'));
            for (int i = 0; i < maskCount; ++i)
                putU32(dib, masks[size_t(i)]);
        }
        const quint32 off = offset.value_or(quint32(14 + dib.size() + palette.size()));
        QByteArray out("BM");
        putU32(out, quint32(14 + dib.size() + palette.size() + data.size()));
        putU32(out, 0);
        putU32(out, off);
        return out + dib + palette + data;
    }
};

QByteArray bgra(std::initializer_list<quint32> rgbs)
{
    QByteArray p;
    for (quint32 c : rgbs)
        putU32(p, c & 0x00FFFFFF);
    return p;
}

Bitmap decoded(const QByteArray &file)
{
    const BmpDecodeResult r = decodeBmp(file);
    if (!r.ok())
        qWarning() << "decode failed:" << bmpErrorText(r.error);
    return r.bitmap;
}

QByteArray rgbFixture()
{
    BmpFixture f;
    f.width = 3;
    f.height = 2;
    f.bpp = 24;
    // bottom row first: blue green red + pad, then top row: white black grey + pad
    f.data = QByteArray::fromHex("FF0000" "00FF00" "0000FF" "000000"
                                 "FFFFFF" "000000" "808080" "000000");
    return f.build();
}

QByteArray rle8Fixture()
{
    BmpFixture f;
    f.width = 6;
    f.height = 3;
    f.bpp = 8;
    f.compression = 1;
    f.clrUsed = 4;
    f.palette = bgra({0x000000, 0xFF0000, 0x00FF00, 0x0000FF});
    f.data = QByteArray::fromHex("0301" "0003020302" "00" "0000" // row 0: 1 1 1 2 3 2
                                 "0002" "0200" "0201" "0000"     // row 1: delta 2 right; then 1 1 at x 2..3
                                 "0603" "0001");                 // row 2: 3 x 6, end of bitmap
    return f.build();
}

} // namespace

class TestBmpCodec : public QObject {
    Q_OBJECT
private slots:
    void writtenFileIsA32BitBottomUpBitmap()
    {
        Bitmap b = Bitmap::filled(70, 70, 0xFF102030);
        b.setPixel(0, 0, 0xFFFF0000);  // top-left
        b.setPixel(69, 69, 0x80000000 | 0x0000FF); // bottom-right, half transparent
        const QByteArray file = encodeBmp(b);
        QCOMPARE(file.size(), 54 + 70 * 70 * 4);
        QCOMPARE(file.left(54).toHex(),
                 QByteArray("424d" "c64c0000" "00000000" "36000000"
                            "28000000" "46000000" "46000000" "0100" "2000" "00000000" "904c0000"
                            "00000000" "00000000" "00000000" "00000000"));
        // bottom-up: the last row comes first, each pixel B G R A
        QCOMPARE(file.mid(54 + 69 * 4, 4).toHex(), QByteArray("ff000080"));
        QCOMPARE(file.mid(54 + 69 * 70 * 4, 4).toHex(), QByteArray("0000ffff"));
        QCOMPARE(decoded(file), b);

        QTemporaryDir dir;
        QVERIFY(writeBmpFile(dir.filePath("x.bmp"), b));
        QCOMPARE(readBmpFile(dir.filePath("x.bmp")).bitmap, b);
        QCOMPARE(readBmpFile(dir.filePath("none.bmp")).error, BmpError::Missing);
        QVERIFY(!writeBmpFile(dir.filePath("y.bmp"), Bitmap{}));
        QVERIFY(encodeBmp(Bitmap{2, 2, {1, 2, 3}}).isEmpty()); // pixels do not match the size
    }

    void palettedPicturesOfEveryDepth()
    {
        BmpFixture one;
        one.width = 10;
        one.height = 2;
        one.bpp = 1;
        one.palette = bgra({0x112233, 0xAABBCC});
        one.data = QByteArray::fromHex("80400000" "ffc00000"); // bottom: x0, x9 set; top: all ten set
        Bitmap b = decoded(one.build());
        QCOMPARE(b.width, 10);
        QCOMPARE(b.pixel(0, 1), 0xFFAABBCCu);
        QCOMPARE(b.pixel(1, 1), 0xFF112233u);
        QCOMPARE(b.pixel(9, 1), 0xFFAABBCCu);
        QCOMPARE(b.pixel(5, 0), 0xFFAABBCCu);

        BmpFixture four;
        four.width = 3;
        four.height = 1;
        four.bpp = 4;
        four.clrUsed = 3;
        four.palette = bgra({0x000000, 0x00FF00, 0x0000FF});
        four.data = QByteArray::fromHex("12f00000"); // 1, 2, 15 (past the palette: black)
        b = decoded(four.build());
        QCOMPARE(b.pixels, (std::vector<quint32>{0xFF00FF00, 0xFF0000FF, 0xFF000000}));

        BmpFixture eight;
        eight.width = 2;
        eight.height = -2; // top-down
        eight.bpp = 8;
        eight.clrUsed = 2;
        eight.palette = bgra({0xFF0000, 0x00FF00});
        eight.data = QByteArray::fromHex("00010000" "01000000");
        b = decoded(eight.build());
        QCOMPARE(b.height, 2);
        QCOMPARE(b.pixels, (std::vector<quint32>{0xFFFF0000, 0xFF00FF00, 0xFF00FF00, 0xFFFF0000}));

        // OS/2 core header: 3-byte palette entries.
        BmpFixture core;
        core.headerSize = 12;
        core.width = 2;
        core.height = 1;
        core.bpp = 8;
        core.palette = QByteArray::fromHex("0000ff" "00ff00") + QByteArray(254 * 3, '\0');
        core.data = QByteArray::fromHex("01000000");
        b = decoded(core.build());
        QCOMPARE(b.pixels, (std::vector<quint32>{0xFF00FF00, 0xFFFF0000}));
    }

    void directColourPictures()
    {
        Bitmap b = decoded(rgbFixture());
        QCOMPARE(b.pixels, (std::vector<quint32>{0xFFFFFFFF, 0xFF000000, 0xFF808080,
                                                 0xFF0000FF, 0xFF00FF00, 0xFFFF0000}));

        BmpFixture f555;
        f555.width = 3;
        f555.height = 1;
        f555.bpp = 16;
        putU16(f555.data, 0x7C00);
        putU16(f555.data, 0x03E0);
        putU16(f555.data, 0x0010);
        putU16(f555.data, 0);
        b = decoded(f555.build());
        QCOMPARE(b.pixels, (std::vector<quint32>{0xFFFF0000, 0xFF00FF00, 0xFF000084}));

        BmpFixture f565 = f555;
        f565.compression = 3;
        f565.masks = {0xF800, 0x07E0, 0x001F, 0};
        f565.maskCount = 3;
        f565.data.clear();
        putU16(f565.data, 0xF800);
        putU16(f565.data, 0x07E0);
        putU16(f565.data, 0x0400); // green 32 of 63
        putU16(f565.data, 0);
        b = decoded(f565.build());
        QCOMPARE(b.pixels, (std::vector<quint32>{0xFFFF0000, 0xFF00FF00, 0xFF008200}));

        // A screen grab leaves the fourth byte 0 everywhere: opaque.
        BmpFixture grab;
        grab.width = 2;
        grab.bpp = 32;
        grab.data = QByteArray::fromHex("10203000" "40506000");
        b = decoded(grab.build());
        QCOMPARE(b.pixels, (std::vector<quint32>{0xFF302010, 0xFF605040}));

        // V5 header with an alpha mask, masks in unusual places.
        BmpFixture v5;
        v5.headerSize = 124;
        v5.width = 1;
        v5.bpp = 32;
        v5.compression = 3;
        v5.masks = {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000};
        v5.data = QByteArray::fromHex("11223344");
        b = decoded(v5.build());
        QCOMPARE(b.pixels, (std::vector<quint32>{0x44112233}));
    }

    void runLengthPictures()
    {
        Bitmap b = decoded(rle8Fixture());
        const quint32 k = 0xFF000000, r = 0xFFFF0000, g = 0xFF00FF00, bl = 0xFF0000FF;
        QCOMPARE(b.pixels, (std::vector<quint32>{bl, bl, bl, bl, bl, bl, // top row (row 2)
                                                 k, k, r, r, k, k,       // row 1
                                                 r, r, r, g, bl, g}));   // bottom row

        BmpFixture f;
        f.width = 5;
        f.height = 2;
        f.bpp = 4;
        f.compression = 2;
        f.clrUsed = 3;
        f.palette = bgra({0x000000, 0xFF0000, 0x00FF00});
        f.data = QByteArray::fromHex("0512" "0000" "00031202" "0001"); // 1 2 1 2 1 / 1 2 0 (absolute)
        b = decoded(f.build());
        QCOMPARE(b.pixels, (std::vector<quint32>{r, g, k, k, k, r, g, r, g, r}));
    }

    void hostileFilesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("error");

        QTest::newRow("notABitmap") << QByteArray("\x89PNG\r\n\x1a\n") << int(BmpError::NotBitmap);
        QTest::newRow("emptyFile") << QByteArray() << int(BmpError::Truncated);

        BmpFixture huge;
        huge.width = 100000;
        huge.height = 100000;
        QTest::newRow("hugeDimensions") << huge.build() << int(BmpError::TooLarge);
        huge.width = 1;
        huge.height = qint32(0x80000000); // the most negative height
        QTest::newRow("mostNegativeHeight") << huge.build() << int(BmpError::TooLarge);
        huge.height = 1;
        huge.width = -4;
        QTest::newRow("negativeWidth") << huge.build() << int(BmpError::BadDimensions);
        huge.width = 0;
        QTest::newRow("zeroWidth") << huge.build() << int(BmpError::BadDimensions);

        BmpFixture offset;
        offset.data = QByteArray(4, '\0');
        offset.offset = 1000000;
        QTest::newRow("offsetPastTheFile") << offset.build() << int(BmpError::BadOffset);
        offset.offset = 20;
        QTest::newRow("offsetIntoTheHeader") << offset.build() << int(BmpError::BadOffset);

        BmpFixture shortData;
        shortData.width = 10;
        shortData.height = 10;
        shortData.data = QByteArray(50, '\0');
        QTest::newRow("pixelDataCutShort") << shortData.build() << int(BmpError::Truncated);

        // 54 bytes that declare a large picture: refused from the header, before any allocation.
        BmpFixture bare;
        bare.width = 4096;
        bare.height = 4096;
        QTest::newRow("fiftyFourBytesDeclaring4096Square") << bare.build() << int(BmpError::TooLarge);
        bare.width = kMaxBmpSide + 1;
        bare.height = 1;
        bare.data = QByteArray(4 * (kMaxBmpSide + 1), '\0');
        QTest::newRow("widerThanAThumbnail") << bare.build() << int(BmpError::TooLarge);
        bare.width = kMaxBmpSide;
        bare.height = kMaxBmpSide;
        bare.data.clear();
        QTest::newRow("largestThumbnailWithoutData") << bare.build() << int(BmpError::Truncated);
        bare.bpp = 8;
        bare.compression = 1;
        bare.palette = bgra({0x123456});
        QTest::newRow("runLengthWithoutData") << bare.build() << int(BmpError::Truncated);
        bare.data = QByteArray::fromHex("0001");
        QTest::newRow("runLengthOfOnlyTheEndMarker") << bare.build() << int(BmpError::None);

        BmpFixture pal;
        pal.bpp = 8;
        pal.clrUsed = 0xFFFFFFFF;
        pal.palette = bgra({0x123456});
        pal.data = QByteArray(4, '\x07');
        QTest::newRow("paletteOverflowReadsBlack") << pal.build() << int(BmpError::None);

        BmpFixture rle = BmpFixture{};
        rle.width = 2;
        rle.height = 1;
        rle.bpp = 8;
        rle.compression = 1;
        rle.data = QByteArray::fromHex("0201" "0000" "0201" "0001");
        QTest::newRow("rleRunPastLastRow") << rle.build() << int(BmpError::BadRle);
        rle.data = QByteArray::fromHex("00020005" "0201" "0001");
        QTest::newRow("rleDeltaPastLastRow") << rle.build() << int(BmpError::BadRle);
        rle.data = QByteArray::fromHex("0201");
        QTest::newRow("rleWithoutEnd") << rle.build() << int(BmpError::Truncated);
        rle.data = QByteArray::fromHex("0010aabb");
        QTest::newRow("rleAbsoluteRunPastData") << rle.build() << int(BmpError::Truncated);
        rle.data = QByteArray::fromHex("ff01" "0001"); // a long run clipped at the row's end
        QTest::newRow("rleLongRunClipped") << rle.build() << int(BmpError::None);
        rle.height = -1;
        QTest::newRow("rleTopDown") << rle.build() << int(BmpError::Unsupported);

        BmpFixture masks;
        masks.width = 1;
        masks.bpp = 16;
        masks.compression = 3;
        masks.maskCount = 3;
        masks.data = QByteArray(4, '\0');
        masks.masks = {0xF800, 0x0FE0, 0x001F, 0};
        QTest::newRow("overlappingMasks") << masks.build() << int(BmpError::BadBitfields);
        masks.masks = {0xF8000, 0x07E0, 0x001F, 0};
        QTest::newRow("maskWiderThanPixel") << masks.build() << int(BmpError::BadBitfields);
        masks.masks = {0xF00F, 0x0000, 0x0000, 0};
        QTest::newRow("maskWithAGap") << masks.build() << int(BmpError::BadBitfields);
        masks.maskCount = 0;
        masks.data.clear();
        QTest::newRow("masksMissing") << masks.build() << int(BmpError::Truncated);

        BmpFixture odd;
        odd.bpp = 2;
        odd.data = QByteArray(4, '\0');
        QTest::newRow("twoBitsPerPixel") << odd.build() << int(BmpError::Unsupported);
        odd.bpp = 24;
        odd.compression = 4;
        QTest::newRow("jpegInside") << odd.build() << int(BmpError::Unsupported);
        odd.compression = 0;
        odd.headerSize = 200;
        QTest::newRow("unknownHeader") << odd.build() << int(BmpError::NotBitmap);
    }

    void hostileFilesAreRefused()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, error);
        const BmpDecodeResult r = decodeBmp(file);
        QCOMPARE(bmpErrorText(r.error), bmpErrorText(BmpError(error)));
        if (r.ok()) {
            QCOMPARE(qsizetype(r.bitmap.pixels.size()), qsizetype(r.bitmap.width) * r.bitmap.height);
            for (quint32 p : r.bitmap.pixels)
                QVERIFY(p == 0xFF000000u || p == 0xFF123456u);
        }
    }

    void everyTruncationIsAnError()
    {
        const QList<QByteArray> files = {encodeBmp(Bitmap::filled(7, 5, 0xFF00FF00)), rgbFixture(), rle8Fixture()};
        for (const QByteArray &file : files) {
            QVERIFY(decodeBmp(file).ok());
            for (qsizetype n = 0; n < file.size(); ++n)
                QVERIFY2(!decodeBmp(file.left(n)).ok(), qPrintable(QString::number(n)));
        }
    }

    void mutatedFilesNeverCrash()
    {
        QRandomGenerator rng(20240101);
        const QList<QByteArray> seeds = {encodeBmp(Bitmap::filled(9, 4, 0xFF123456)), rgbFixture(), rle8Fixture()};
        int decodedOk = 0;
        for (int round = 0; round < 3000; ++round) {
            QByteArray file = seeds[round % seeds.size()];
            const int flips = 1 + int(rng.bounded(6));
            for (int i = 0; i < flips; ++i)
                file[int(rng.bounded(int(file.size())))] = char(rng.bounded(256));
            const BmpDecodeResult r = decodeBmp(file);
            if (r.ok()) {
                ++decodedOk;
                QCOMPARE(qsizetype(r.bitmap.pixels.size()), qsizetype(r.bitmap.width) * r.bitmap.height);
                QVERIFY(qint64(r.bitmap.width) * r.bitmap.height <= kMaxBmpPixels);
            }
        }
        QVERIFY(decodedOk > 0); // mutations of pixel bytes still decode
    }

    void largePicturesAreCroppedToTheirCentre()
    {
        Bitmap big = Bitmap::filled(73, 74, 0);
        for (int y = 0; y < 74; ++y)
            for (int x = 0; x < 73; ++x)
                big.setPixel(x, y, quint32(y * 1000 + x));
        const Bitmap c = centreCrop(big, 70, 70);
        QCOMPARE(c.width, 70);
        QCOMPARE(c.height, 70);
        QCOMPARE(c.pixel(0, 0), quint32(2 * 1000 + 1));
        QCOMPARE(centreCrop(Bitmap::filled(20, 80, 5), 70, 70).width, 20);
        QCOMPARE(centreCrop(Bitmap::filled(20, 80, 5), 70, 70).height, 70);
    }
};

QTEST_GUILESS_MAIN(TestBmpCodec)
#include "test_bmp_codec.moc"
