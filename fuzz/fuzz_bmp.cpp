// The bitmap reader, on any bytes a theme may carry as a thumbnail.
//
// Checks: a picture that reads is no larger than a thumbnail may be and holds exactly
// width × height pixels; written and read back it is the same picture (a picture whose
// alpha is 0 everywhere reads back opaque, as screen grabs must); its centre crop is the
// centre of the picture. The run's malloc limit (bmp.options) catches any allocation
// beyond what such a picture needs.

#include "support.h"

#include "themes/bmp_codec.h"

using namespace tovalin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const BmpDecodeResult result = decodeBmp(bytes);
    if (!result.ok()) {
        FUZZ_CHECK(result.bitmap.isNull());
        return 0;
    }
    const Bitmap &picture = result.bitmap;
    FUZZ_CHECK(!picture.isNull());
    FUZZ_CHECK(picture.width <= kMaxBmpSide && picture.height <= kMaxBmpSide);
    FUZZ_CHECK_EQ(qint64(picture.pixels.size()), qint64(picture.width) * picture.height);

    const QByteArray encoded = encodeBmp(picture);
    FUZZ_CHECK(!encoded.isEmpty());
    const BmpDecodeResult back = decodeBmp(encoded);
    FUZZ_CHECK(back.ok());
    Bitmap expected = picture;
    bool anyAlpha = false;
    for (const quint32 p : expected.pixels)
        anyAlpha = anyAlpha || (p >> 24) != 0;
    if (!anyAlpha)
        for (quint32 &p : expected.pixels)
            p |= 0xFF000000u;
    FUZZ_CHECK(back.bitmap == expected);
    FUZZ_CHECK_EQ(encodeBmp(back.bitmap), encodeBmp(expected));

    const Bitmap crop = centreCrop(picture, 70, 70);
    FUZZ_CHECK_EQ(crop.width, std::min(70, picture.width));
    FUZZ_CHECK_EQ(crop.height, std::min(70, picture.height));
    const int x0 = (picture.width - crop.width) / 2;
    const int y0 = (picture.height - crop.height) / 2;
    for (int y = 0; y < crop.height; ++y)
        for (int x = 0; x < crop.width; ++x)
            FUZZ_CHECK(crop.pixel(x, y) == picture.pixel(x0 + x, y0 + y));
    return 0;
}
