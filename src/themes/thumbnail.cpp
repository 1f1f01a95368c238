#include "themes/thumbnail.h"

#include <algorithm>
#include <cmath>

namespace tovalin::thumbnail {

namespace {

constexpr quint32 kOpaque = 0xFF000000u;
constexpr quint32 kRgbMask = 0x00FFFFFFu;

quint32 channelMap(quint32 pixel, int (*f)(int, int), int strength)
{
    const int r = f(int(pixel >> 16 & 0xFF), strength);
    const int g = f(int(pixel >> 8 & 0xFF), strength);
    const int b = f(int(pixel & 0xFF), strength);
    return kOpaque | quint32(r) << 16 | quint32(g) << 8 | quint32(b);
}

int lightenChannel(int v, int strength)
{
    return std::clamp(v + strength * (255 - v) / 255, 0, 255);
}

int darkenChannel(int v, int strength)
{
    return std::clamp(v - strength * v / 255, 0, 255);
}

/// One dimension of a target pixel's footprint on the source.
struct Span {
    int first = 0;
    double firstWeight = 1;
    int last = 0;
    double lastWeight = 1;
};

double frac(double x)
{
    return x - std::trunc(x);
}

// The order of the operations is part of the result: (i / n) × m and m × ((i + 1) / n) round
// differently in double precision, and a span's ends decide which source pixels count.
Span span(int i, int n, int m)
{
    Span sp;
    const double s = (double(i) / double(n)) * double(m);
    const double e = double(m) * (double(i + 1) / double(n));
    sp.first = int(std::trunc(s));
    sp.firstWeight = 1.0 - frac(s);
    if (frac(e) != 0.0) {
        sp.last = int(std::trunc(e));
        sp.lastWeight = frac(e);
    } else {
        sp.last = int(e) - 1;
        sp.lastWeight = 1.0;
    }
    if (sp.first == sp.last) {
        sp.firstWeight = sp.firstWeight - (1.0 - sp.lastWeight);
        sp.lastWeight = sp.firstWeight;
    }
    // Never outside the source, whatever the rounding did at the far end.
    sp.first = std::clamp(sp.first, 0, m - 1);
    sp.last = std::clamp(sp.last, sp.first, m - 1);
    return sp;
}

double weightAt(const Span &sp, int index)
{
    if (index == sp.first)
        return sp.firstWeight;
    if (index == sp.last)
        return sp.lastWeight;
    return 1.0;
}

int roundHalfEven(double v)
{
    // nearbyint rounds in the current mode, which is to nearest with ties to even.
    return int(std::nearbyint(v));
}

} // namespace

Bitmap selectionMarker()
{
    Bitmap marker = Bitmap::filled(kMarkerSize, kMarkerSize, kOpaque);
    const int ring = kMarkerPenWidth / 2;
    for (int y = 0; y < kMarkerSize; ++y) {
        for (int x = 0; x < kMarkerSize; ++x) {
            const int edge = std::min({x, y, kMarkerSize - 1 - x, kMarkerSize - 1 - y});
            if (edge < ring)
                marker.setPixel(x, y, 0xFFFFFFFFu);
        }
    }
    return marker;
}

QRect xorMarker(Bitmap &picture, QPoint centre)
{
    static const Bitmap marker = selectionMarker();
    const QRect place(centre.x() - kMarkerSize / 2, centre.y() - kMarkerSize / 2, kMarkerSize, kMarkerSize);
    const QRect touched = place.intersected(QRect(0, 0, picture.width, picture.height));
    for (int y = touched.top(); y <= touched.bottom(); ++y) {
        for (int x = touched.left(); x <= touched.right(); ++x) {
            const quint32 m = marker.pixel(x - place.left(), y - place.top()) & kRgbMask;
            if (m)
                picture.setPixel(x, y, picture.pixel(x, y) ^ m);
        }
    }
    return touched;
}

Bitmap takeSquare(const Bitmap &picture, QPoint centre)
{
    Bitmap square = Bitmap::filled(kSquareSize, kSquareSize, kOutsideColour);
    const int left = centre.x() - kSquareSize / 2;
    const int top = centre.y() - kSquareSize / 2;
    for (int y = 0; y < kSquareSize; ++y) {
        const int sy = top + y;
        if (sy < 0 || sy >= picture.height)
            continue;
        for (int x = 0; x < kSquareSize; ++x) {
            const int sx = left + x;
            if (sx >= 0 && sx < picture.width)
                square.setPixel(x, y, picture.pixel(sx, sy));
        }
    }
    return square;
}

void Bevel(Bitmap &bitmap, int band, int strength)
{
    if (bitmap.isNull())
        return;
    // 24 bits per pixel: no alpha any more.
    for (quint32 &p : bitmap.pixels)
        p |= kOpaque;
    if (band <= 0)
        return;
    const int w = bitmap.width;
    const int h = bitmap.height;
    const int n = band + 1;
    auto inside = [&](int x, int y) { return x >= 0 && x < w && y >= 0 && y < h; };
    auto lighten = [&](int x, int y) {
        if (inside(x, y))
            bitmap.setPixel(x, y, channelMap(bitmap.pixel(x, y), lightenChannel, strength));
    };
    auto darken = [&](int x, int y) {
        if (inside(x, y))
            bitmap.setPixel(x, y, channelMap(bitmap.pixel(x, y), darkenChannel, strength));
    };

    for (int r = 0; r <= band; ++r) {
        for (int x = r; x <= w - 1 - r; ++x) {
            lighten(x, r);
            darken(x, h - 1 - r);
        }
        for (int x = 0; x <= r; ++x) {
            lighten(x, r);
            darken(w - 1 - x, r);
            lighten(x, h - 1 - r);
            darken(w - 1 - x, h - 1 - r);
        }
    }
    if (h - band - 2 >= n) {
        for (int y = n; y <= h - n - 1; ++y) {
            for (int x = 0; x <= n - 1; ++x) {
                lighten(x, y);
                darken(w - 1 - x, y);
            }
        }
    }
}

Bitmap ScaleBitmap(const Bitmap &source, int targetWidth, int targetHeight)
{
    Bitmap target;
    if (source.isNull() || targetWidth <= 0 || targetHeight <= 0)
        return target;
    target = Bitmap::filled(targetWidth, targetHeight, 0);
    std::vector<Span> columns(static_cast<size_t>(targetWidth));
    for (int x = 0; x < targetWidth; ++x)
        columns[size_t(x)] = span(x, targetWidth, source.width);

    for (int y = 0; y < targetHeight; ++y) {
        const Span rows = span(y, targetHeight, source.height);
        for (int x = 0; x < targetWidth; ++x) {
            const Span &cols = columns[size_t(x)];
            double total = 0, blue = 0, green = 0, red = 0;
            for (int sy = rows.first; sy <= rows.last; ++sy) {
                const double rowWeight = weightAt(rows, sy);
                for (int sx = cols.first; sx <= cols.last; ++sx) {
                    const double w = rowWeight * weightAt(cols, sx);
                    const quint32 p = source.pixel(sx, sy);
                    total += w;
                    blue += w * double(p & 0xFF);
                    green += w * double(p >> 8 & 0xFF);
                    red += w * double(p >> 16 & 0xFF);
                }
            }
            if (total <= 0)
                continue;
            const quint32 b = quint32(std::clamp(roundHalfEven(blue / total), 0, 255));
            const quint32 g = quint32(std::clamp(roundHalfEven(green / total), 0, 255));
            const quint32 r = quint32(std::clamp(roundHalfEven(red / total), 0, 255));
            target.setPixel(x, y, b | g << 8 | r << 16);
        }
    }
    return target;
}

Bitmap makeThumbnail(const Bitmap &screenshot, QPoint centre)
{
    Bitmap square = takeSquare(screenshot, centre);
    Bevel(square, kBevelBand, kBevelStrength);
    return ScaleBitmap(square, kThumbnailSize, kThumbnailSize);
}

} // namespace tovalin::thumbnail
