#include "themes/bmp_codec.h"

#include "core/text_file.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <array>

namespace tovalin {

namespace {

constexpr quint32 kBiRgb = 0;
constexpr quint32 kBiRle8 = 1;
constexpr quint32 kBiRle4 = 2;
constexpr quint32 kBiBitfields = 3;
constexpr quint32 kBiAlphaBitfields = 6;

constexpr qint64 kFileHeaderSize = 14;
constexpr quint32 kCoreHeaderSize = 12;
constexpr quint32 kInfoHeaderSize = 40;
constexpr quint32 kOs2V2HeaderSize = 64;

constexpr quint32 kOpaque = 0xFF000000u;

// Every read goes through this view, which answers "is it there" before any
// byte is touched, so no offset taken from the file can reach past its end.
class ByteView {
public:
    explicit ByteView(const QByteArray &bytes)
        : m_data(reinterpret_cast<const uchar *>(bytes.constData()))
        , m_size(bytes.size())
    {
    }
    qint64 size() const { return m_size; }
    bool has(qint64 offset, qint64 length) const
    {
        return offset >= 0 && length >= 0 && offset <= m_size && length <= m_size - offset;
    }
    uchar u8(qint64 offset) const { return m_data[offset]; }
    const uchar *at(qint64 offset) const { return m_data + offset; }
    quint16 u16(qint64 offset) const { return quint16(m_data[offset] | (m_data[offset + 1] << 8)); }
    quint32 u32(qint64 offset) const
    {
        return quint32(m_data[offset]) | (quint32(m_data[offset + 1]) << 8) | (quint32(m_data[offset + 2]) << 16)
            | (quint32(m_data[offset + 3]) << 24);
    }
    qint32 i32(qint64 offset) const { return qint32(u32(offset)); }

private:
    const uchar *m_data;
    qint64 m_size;
};

// One colour channel of a bit-field pixel, scaled to 8 bits so that a full
// 5-bit or 6-bit value becomes 255 and not 248 or 252.
struct Channel {
    quint32 mask = 0;
    int shift = 0;
    int bits = 0;

    quint32 extract(quint32 value) const
    {
        if (bits == 0)
            return 0;
        const quint32 v = (value & mask) >> shift;
        if (bits >= 8)
            return v >> (bits - 8);
        const quint32 max = (1u << bits) - 1;
        return (v * 255 + max / 2) / max;
    }
};

bool makeChannel(quint32 mask, int bitsPerPixel, Channel &out)
{
    out = Channel{};
    if (mask == 0)
        return true;
    if (bitsPerPixel < 32 && (mask >> bitsPerPixel) != 0)
        return false;
    int shift = 0;
    while (((mask >> shift) & 1u) == 0)
        ++shift;
    const quint32 run = mask >> shift;
    if ((run & (run + 1)) != 0) // not one contiguous run of ones
        return false;
    int bits = 0;
    for (quint32 r = run; r != 0; r >>= 1)
        ++bits;
    out.mask = mask;
    out.shift = shift;
    out.bits = bits;
    return true;
}

struct Header {
    qint64 width = 0;
    qint64 height = 0;
    bool topDown = false;
    int bitsPerPixel = 0;
    quint32 compression = kBiRgb;
    qint64 pixelOffset = 0;
    qint64 paletteOffset = 0;
    int paletteEntrySize = 4;
    qint64 paletteCount = 0;
    std::array<quint32, 4> masks{}; // red, green, blue, alpha
    bool hasMasks = false;
};

// Bytes per row of uncompressed pixel data: rows are padded to four bytes.
qint64 rowStride(const Header &h)
{
    return ((h.width * h.bitsPerPixel + 31) / 32) * 4;
}

BmpError readHeader(const ByteView &in, Header &h)
{
    if (!in.has(0, 2))
        return BmpError::Truncated;
    if (in.u8(0) != 'B' || in.u8(1) != 'M')
        return BmpError::NotBitmap;
    if (!in.has(0, kFileHeaderSize + 4))
        return BmpError::Truncated;
    h.pixelOffset = in.u32(10);
    const quint32 dibSize = in.u32(kFileHeaderSize);
    const qint64 dib = kFileHeaderSize;

    quint32 clrUsed = 0;
    if (dibSize == kCoreHeaderSize) {
        if (!in.has(dib, kCoreHeaderSize))
            return BmpError::Truncated;
        h.width = in.u16(dib + 4);
        h.height = in.u16(dib + 6);
        h.bitsPerPixel = in.u16(dib + 10);
        h.paletteEntrySize = 3;
    } else if (dibSize >= 16 && dibSize <= 124) {
        // Windows info headers (40, 52, 56, 108, 124) and OS/2 2.x headers (16 to 64)
        // share the first fields; each field is read only when the header holds it.
        if (!in.has(dib, dibSize))
            return BmpError::Truncated;
        h.width = in.i32(dib + 4);
        h.height = in.i32(dib + 8);
        h.bitsPerPixel = in.u16(dib + 14);
        h.compression = dibSize >= 20 ? in.u32(dib + 16) : kBiRgb;
        clrUsed = dibSize >= 36 ? in.u32(dib + 32) : 0;
        const bool windowsHeader = dibSize == 40 || dibSize == 52 || dibSize == 56 || dibSize == 108 || dibSize == 124;
        if (!windowsHeader && dibSize > kOs2V2HeaderSize)
            return BmpError::NotBitmap;
        // OS/2 gives 3 and 4 to Huffman and 24-bit RLE, which no one writes any more.
        if (!windowsHeader && h.compression != kBiRgb && h.compression != kBiRle8 && h.compression != kBiRle4)
            return BmpError::Unsupported;
        if (h.height < 0) {
            h.topDown = true;
            h.height = -h.height; // qint64: INT_MIN cannot overflow here
        }
    } else {
        return BmpError::NotBitmap;
    }

    qint64 afterHeader = dib + dibSize;
    if (h.compression == kBiBitfields || h.compression == kBiAlphaBitfields) {
        const int maskCount = h.compression == kBiAlphaBitfields ? 4 : 3;
        qint64 maskAt = dib + 40;
        if (dibSize == kInfoHeaderSize) {
            // A plain info header is followed by the masks.
            if (!in.has(afterHeader, 4 * maskCount))
                return BmpError::Truncated;
            afterHeader += 4 * maskCount;
        }
        const int available = dibSize == kInfoHeaderSize ? maskCount : (dibSize >= 56 ? 4 : 3);
        for (int i = 0; i < available; ++i)
            h.masks[size_t(i)] = in.u32(maskAt + 4 * i);
        h.hasMasks = true;
    }

    if (h.width <= 0 || h.height <= 0)
        return BmpError::BadDimensions;
    if (h.width > kMaxBmpSide || h.height > kMaxBmpSide || h.width * h.height > kMaxBmpPixels)
        return BmpError::TooLarge;

    switch (h.bitsPerPixel) {
    case 1: case 4: case 8: case 16: case 24: case 32:
        break;
    default:
        return BmpError::Unsupported;
    }
    switch (h.compression) {
    case kBiRgb:
        break;
    case kBiRle8:
        if (h.bitsPerPixel != 8 || h.topDown)
            return BmpError::Unsupported;
        break;
    case kBiRle4:
        if (h.bitsPerPixel != 4 || h.topDown)
            return BmpError::Unsupported;
        break;
    case kBiBitfields:
    case kBiAlphaBitfields:
        if (h.bitsPerPixel != 16 && h.bitsPerPixel != 32)
            return BmpError::Unsupported;
        break;
    default:
        return BmpError::Unsupported;
    }

    if (h.pixelOffset < afterHeader || h.pixelOffset > in.size())
        return BmpError::BadOffset;
    // The pixel data must be there before the picture is allocated: a few bytes that declare a
    // large picture are refused at once. Run-length data needs at least its end marker.
    if (h.compression == kBiRle8 || h.compression == kBiRle4) {
        if (!in.has(h.pixelOffset, 2))
            return BmpError::Truncated;
    } else if (!in.has(h.pixelOffset, rowStride(h) * h.height)) {
        return BmpError::Truncated;
    }

    h.paletteOffset = afterHeader;
    if (h.bitsPerPixel <= 8) {
        const qint64 full = qint64(1) << h.bitsPerPixel;
        const qint64 wanted = (clrUsed == 0 || clrUsed > quint32(full)) ? full : qint64(clrUsed);
        // Writers disagree about short palettes; take the entries that lie before
        // the pixel data and let indices past them read as black.
        const qint64 room = (h.pixelOffset - afterHeader) / h.paletteEntrySize;
        h.paletteCount = std::min(wanted, room);
    }
    return BmpError::None;
}

struct Palette {
    std::array<quint32, 256> colours{};
    qint64 count = 0;
    quint32 at(unsigned index) const { return index < count ? colours[index] : kOpaque; }
};

Palette readPalette(const ByteView &in, const Header &h)
{
    Palette p;
    p.count = h.paletteCount;
    for (qint64 i = 0; i < p.count; ++i) {
        const qint64 at = h.paletteOffset + i * h.paletteEntrySize;
        p.colours[size_t(i)] = kOpaque | (quint32(in.u8(at + 2)) << 16) | (quint32(in.u8(at + 1)) << 8) | in.u8(at);
    }
    return p;
}

BmpError decodeUncompressed(const ByteView &in, const Header &h, const Palette &palette, Bitmap &out)
{
    const qint64 stride = rowStride(h); // readHeader found stride * height bytes of data

    std::array<Channel, 4> channels{};
    if (h.bitsPerPixel == 16 || h.bitsPerPixel == 32) {
        std::array<quint32, 4> masks = h.masks;
        if (!h.hasMasks) {
            masks = h.bitsPerPixel == 16 ? std::array<quint32, 4>{0x7C00, 0x03E0, 0x001F, 0}
                                         : std::array<quint32, 4>{0x00FF0000, 0x0000FF00, 0x000000FF, 0};
        }
        if ((masks[0] | masks[1] | masks[2]) == 0)
            return BmpError::BadBitfields;
        for (size_t i = 0; i < 4; ++i)
            for (size_t j = i + 1; j < 4; ++j)
                if (masks[i] & masks[j])
                    return BmpError::BadBitfields;
        for (size_t i = 0; i < 4; ++i)
            if (!makeChannel(masks[i], h.bitsPerPixel, channels[i]))
                return BmpError::BadBitfields;
    }
    // A plain 32-bit file keeps alpha in its fourth byte, but screen grabs leave
    // that byte 0 everywhere; an all-zero fourth byte therefore means opaque.
    const bool plain32 = h.bitsPerPixel == 32 && !h.hasMasks;
    bool anyAlpha = false;

    const int w = int(h.width);
    const int rows = int(h.height);
    // The thumbnails the program writes itself are plain 32-bit pictures, and most others are
    // 24-bit: their rows are read without the general per-pixel choice.
    if (plain32 || h.bitsPerPixel == 24) {
        const int bytesPerPixel = h.bitsPerPixel / 8;
        quint32 alpha = 0;
        for (int r = 0; r < rows; ++r) {
            const qint64 src = h.pixelOffset + qint64(r) * stride;
            const int y = h.topDown ? r : rows - 1 - r;
            quint32 *dst = out.pixels.data() + size_t(y) * size_t(w);
            if (plain32) {
                qFromLittleEndian<quint32>(in.at(src), w, dst);
                for (int x = 0; x < w; ++x)
                    alpha |= dst[x];
            } else {
                for (int x = 0; x < w; ++x) {
                    const qint64 p = src + qint64(x) * bytesPerPixel;
                    dst[x] = kOpaque | (quint32(in.u8(p + 2)) << 16) | (quint32(in.u8(p + 1)) << 8) | in.u8(p);
                }
            }
        }
        if (plain32 && (alpha & kOpaque) == 0)
            for (quint32 &p : out.pixels)
                p |= kOpaque;
        return BmpError::None;
    }
    for (int r = 0; r < rows; ++r) {
        const qint64 src = h.pixelOffset + qint64(r) * stride;
        const int y = h.topDown ? r : rows - 1 - r;
        quint32 *dst = out.pixels.data() + size_t(y) * size_t(w);
        for (int x = 0; x < w; ++x) {
            switch (h.bitsPerPixel) {
            case 1:
                dst[x] = palette.at((in.u8(src + x / 8) >> (7 - x % 8)) & 1u);
                break;
            case 4:
                dst[x] = palette.at((in.u8(src + x / 2) >> (x % 2 == 0 ? 4 : 0)) & 0x0Fu);
                break;
            case 8:
                dst[x] = palette.at(in.u8(src + x));
                break;
            case 24: {
                const qint64 p = src + qint64(x) * 3;
                dst[x] = kOpaque | (quint32(in.u8(p + 2)) << 16) | (quint32(in.u8(p + 1)) << 8) | in.u8(p);
                break;
            }
            case 16:
            case 32: {
                const quint32 v = h.bitsPerPixel == 16 ? in.u16(src + qint64(x) * 2) : in.u32(src + qint64(x) * 4);
                quint32 a = 0xFF;
                if (plain32) {
                    a = v >> 24;
                    anyAlpha = anyAlpha || a != 0;
                } else if (channels[3].bits > 0) {
                    a = channels[3].extract(v);
                }
                dst[x] = (a << 24) | (channels[0].extract(v) << 16) | (channels[1].extract(v) << 8)
                    | channels[2].extract(v);
                break;
            }
            }
        }
    }
    if (plain32 && !anyAlpha)
        for (quint32 &p : out.pixels)
            p |= kOpaque;
    return BmpError::None;
}

BmpError decodeRle(const ByteView &in, const Header &h, const Palette &palette, Bitmap &out)
{
    const bool rle8 = h.compression == kBiRle8;
    const qint64 w = h.width;
    const qint64 rows = h.height;
    // Pixels the data never sets keep index 0, which is what the caller filled the picture with.
    qint64 pos = h.pixelOffset;
    qint64 x = 0;
    qint64 y = 0; // counted from the bottom row

    auto put = [&](qint64 px, unsigned value) {
        if (px < w) // pixels past the row's end are dropped
            out.pixels[size_t((rows - 1 - y) * w + px)] = palette.at(value);
    };

    for (;;) {
        if (!in.has(pos, 2))
            return BmpError::Truncated;
        const unsigned count = in.u8(pos);
        const unsigned value = in.u8(pos + 1);
        pos += 2;
        if (count > 0) {
            if (y >= rows)
                return BmpError::BadRle;
            for (unsigned k = 0; k < count; ++k)
                put(x + k, rle8 ? value : (k % 2 == 0 ? value >> 4 : value & 0x0Fu));
            x = std::min<qint64>(x + count, w + 256);
            continue;
        }
        if (value == 0) { // end of line
            x = 0;
            if (++y > rows)
                return BmpError::BadRle;
        } else if (value == 1) { // end of bitmap
            break;
        } else if (value == 2) { // delta
            if (!in.has(pos, 2))
                return BmpError::Truncated;
            x = std::min<qint64>(x + in.u8(pos), w + 256);
            y += in.u8(pos + 1);
            pos += 2;
            if (y > rows)
                return BmpError::BadRle;
        } else { // absolute run of `value` pixels, padded to a 16-bit boundary
            const qint64 bytes = rle8 ? value : (value + 1) / 2;
            if (!in.has(pos, bytes))
                return BmpError::Truncated;
            if (y >= rows)
                return BmpError::BadRle;
            for (unsigned k = 0; k < value; ++k) {
                const unsigned b = in.u8(pos + (rle8 ? k : k / 2));
                put(x + k, rle8 ? b : (k % 2 == 0 ? b >> 4 : b & 0x0Fu));
            }
            x = std::min<qint64>(x + value, w + 256);
            pos += bytes + (bytes & 1);
        }
    }
    return BmpError::None;
}

void putU16(QByteArray &out, quint16 v)
{
    out.append(char(v & 0xFF));
    out.append(char(v >> 8));
}

void putU32(QByteArray &out, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

} // namespace

Bitmap Bitmap::filled(int width, int height, quint32 argb)
{
    Bitmap b;
    if (width <= 0 || height <= 0)
        return b;
    b.width = width;
    b.height = height;
    b.pixels.assign(size_t(width) * size_t(height), argb);
    return b;
}

BmpDecodeResult decodeBmp(const QByteArray &bytes)
{
    BmpDecodeResult result;
    const ByteView in(bytes);
    Header h;
    result.error = readHeader(in, h);
    if (!result.ok())
        return result;

    const Palette palette = readPalette(in, h);
    Bitmap bitmap;
    bitmap.width = int(h.width);
    bitmap.height = int(h.height);
    const bool rle = h.compression == kBiRle8 || h.compression == kBiRle4;
    bitmap.pixels.assign(size_t(h.width * h.height), rle ? palette.at(0) : kOpaque);
    result.error = rle ? decodeRle(in, h, palette, bitmap) : decodeUncompressed(in, h, palette, bitmap);
    if (result.ok())
        result.bitmap = std::move(bitmap);
    return result;
}

BmpDecodeResult readBmpFile(const QString &path)
{
    BmpDecodeResult result;
    const ReadResult file = readFileBytes(path, kMaxBmpFileBytes);
    switch (file.error) {
    case ReadError::None:
        return decodeBmp(file.bytes);
    case ReadError::Missing:
        result.error = BmpError::Missing;
        break;
    case ReadError::TooLarge:
        result.error = BmpError::TooLarge;
        break;
    case ReadError::Unreadable:
        result.error = BmpError::Unreadable;
        break;
    }
    return result;
}

QByteArray encodeBmp(const Bitmap &bitmap)
{
    if (bitmap.isNull() || bitmap.width > kMaxBmpSide || bitmap.height > kMaxBmpSide
        || bitmap.pixels.size() != size_t(bitmap.width) * size_t(bitmap.height))
        return {};
    const quint32 imageSize = quint32(bitmap.width) * quint32(bitmap.height) * 4;
    const quint32 dataOffset = quint32(kFileHeaderSize) + kInfoHeaderSize;
    QByteArray out;
    out.reserve(qsizetype(dataOffset + imageSize));
    out.append("BM", 2);
    putU32(out, dataOffset + imageSize);
    putU32(out, 0);
    putU32(out, dataOffset);
    putU32(out, kInfoHeaderSize);
    putU32(out, quint32(bitmap.width));
    putU32(out, quint32(bitmap.height)); // positive: rows bottom-up, as every reader expects
    putU16(out, 1);
    putU16(out, 32);
    putU32(out, kBiRgb);
    putU32(out, imageSize);
    putU32(out, 0);
    putU32(out, 0);
    putU32(out, 0);
    putU32(out, 0);
    for (int y = bitmap.height - 1; y >= 0; --y)
        for (int x = 0; x < bitmap.width; ++x)
            putU32(out, bitmap.pixel(x, y)); // little-endian 0xAARRGGBB is B, G, R, A
    return out;
}

bool writeBmpFile(const QString &path, const Bitmap &bitmap)
{
    const QByteArray bytes = encodeBmp(bitmap);
    if (bytes.isEmpty())
        return false;
    return writeFileAtomic(path, bytes).ok;
}

Bitmap centreCrop(const Bitmap &bitmap, int width, int height)
{
    if (bitmap.isNull() || width <= 0 || height <= 0)
        return bitmap;
    const int w = std::min(width, bitmap.width);
    const int h = std::min(height, bitmap.height);
    if (w == bitmap.width && h == bitmap.height)
        return bitmap;
    const int x0 = (bitmap.width - w) / 2;
    const int y0 = (bitmap.height - h) / 2;
    Bitmap out = Bitmap::filled(w, h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            out.setPixel(x, y, bitmap.pixel(x0 + x, y0 + y));
    return out;
}

QString bmpErrorText(BmpError error)
{
    switch (error) {
    case BmpError::None: return QStringLiteral("no error");
    case BmpError::Missing: return QStringLiteral("file missing");
    case BmpError::Unreadable: return QStringLiteral("file unreadable");
    case BmpError::NotBitmap: return QStringLiteral("not a bitmap file");
    case BmpError::Truncated: return QStringLiteral("file truncated");
    case BmpError::BadDimensions: return QStringLiteral("bad dimensions");
    case BmpError::TooLarge: return QStringLiteral("picture too large");
    case BmpError::BadOffset: return QStringLiteral("bad pixel data offset");
    case BmpError::Unsupported: return QStringLiteral("unsupported bit depth or compression");
    case BmpError::BadBitfields: return QStringLiteral("bad colour masks");
    case BmpError::BadRle: return QStringLiteral("run-length data runs past the picture");
    }
    return {};
}

} // namespace tovalin
