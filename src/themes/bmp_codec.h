#pragma once
// Windows bitmap (.bmp) files: the thumbnails of the picture links.
//
// The writer produces what the add-link wizard stores: 32 bits per pixel,
// BITMAPINFOHEADER, BI_RGB, bottom-up rows. The reader takes any bitmap a
// parent may bring: 1, 4, 8, 16, 24 and 32 bits per pixel, BI_RGB, BI_RLE8,
// BI_RLE4 and BI_BITFIELDS, bottom-up or top-down, and the old OS/2 core
// header. A truncated or hostile file is refused with a reason; the reader
// never reads outside the file, finds the pixel data there before it allocates
// the picture, and takes no picture larger than a thumbnail can be.

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <vector>

namespace tovalin {

/// A picture in memory: rows top to bottom, each pixel 0xAARRGGBB.
struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<quint32> pixels; ///< width * height entries

    bool isNull() const { return width <= 0 || height <= 0; }
    quint32 pixel(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
    void setPixel(int x, int y, quint32 argb) { pixels[size_t(y) * size_t(width) + size_t(x)] = argb; }

    /// A width × height picture filled with one colour (empty for non-positive sizes).
    static Bitmap filled(int width, int height, quint32 argb);
    friend bool operator==(const Bitmap &, const Bitmap &) = default;
};

/// The widest and highest picture the reader accepts. A link shows the centre 70 × 70 of its
/// thumbnail, so a larger picture is no thumbnail; the bound keeps a theme of 200 hostile
/// pictures (a few bytes each, declaring 4096 × 4096) from costing seconds and gigabytes.
inline constexpr int kMaxBmpSide = 1024;
/// The most pixels the reader accepts; larger pictures are refused before allocating.
inline constexpr qint64 kMaxBmpPixels = qint64(kMaxBmpSide) * kMaxBmpSide;
/// The largest file the reader opens (a 1024 × 1024 picture at 32 bits per pixel is 4 MB).
inline constexpr qint64 kMaxBmpFileBytes = 8 * 1024 * 1024;

enum class BmpError {
    None,
    Missing,         ///< the file does not exist
    Unreadable,      ///< the file exists but cannot be read
    NotBitmap,       ///< no "BM" signature or an unknown header
    Truncated,       ///< the file ends before the header, palette or pixel data do
    BadDimensions,   ///< zero or negative width or height
    TooLarge,        ///< wider or higher than kMaxBmpSide, or a file above kMaxBmpFileBytes
    BadOffset,       ///< the pixel data offset points into the headers or past the file
    Unsupported,     ///< a bit depth or compression the reader does not handle (JPEG, PNG, Huffman, ...)
    BadBitfields,    ///< colour masks that are empty, overlapping or wider than a pixel
    BadRle,          ///< run-length data that runs past the picture
};

struct BmpDecodeResult {
    BmpError error = BmpError::None;
    Bitmap bitmap;
    bool ok() const { return error == BmpError::None; }
};

/// Decodes a bitmap file held in memory.
BmpDecodeResult decodeBmp(const QByteArray &bytes);

/// Reads and decodes a bitmap file.
BmpDecodeResult readBmpFile(const QString &path);

/// Encodes a picture as a 32-bit BI_RGB bottom-up bitmap (alpha kept in the fourth byte,
/// 0 pixels per metre). Empty for a null or inconsistent picture, or one the reader would refuse.
QByteArray encodeBmp(const Bitmap &bitmap);

/// Encodes and writes a picture atomically; false when the picture is null or the write fails.
bool writeBmpFile(const QString &path, const Bitmap &bitmap);

/// The centre width × height part of a picture, as a panel shows a larger picture without
/// scaling; a picture no larger than that in a dimension keeps that dimension whole.
Bitmap centreCrop(const Bitmap &bitmap, int width, int height);

/// A short English description of the error, for logs.
QString bmpErrorText(BmpError error);

} // namespace tovalin
