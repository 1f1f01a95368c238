#pragma once
// Making a link's thumbnail from a screenshot: the 110 × 110 selection marker
// drawn in XOR over the screenshot, the 100 × 100 square around the click, the
// raised-edge bevel and the area-averaging scaler down to 70 × 70.
//
// Pictures are `Bitmap`s (0xAARRGGBB, rows top to bottom). The arithmetic is
// fixed to the pixel: a thumbnail made here equals one made by earlier
// versions from the same square.

#include "themes/bmp_codec.h"

#include <QPoint>
#include <QRect>

namespace tovalin::thumbnail {

inline constexpr int kMarkerSize = 110;     ///< the selection marker's side
inline constexpr int kMarkerPenWidth = 4;   ///< its outline pen, centred on the edge: half of it shows
inline constexpr int kSquareSize = 100;     ///< the square taken around the click
inline constexpr int kThumbnailSize = 70;
inline constexpr int kBevelBand = 5;
inline constexpr int kBevelStrength = 150;
/// The marker's position before the first mouse move over a new screenshot: off the picture.
inline constexpr QPoint kMarkerHidden{-100, -100};
/// What a square takes where it reaches outside the screenshot.
inline constexpr quint32 kOutsideColour = 0xFFFFFFFFu;

/// The marker: black, with a white outline along its edge (the inner half of a 4-pixel pen).
Bitmap selectionMarker();

/// Draws the marker in XOR mode with its centre at `centre` (top-left at centre − 55): black leaves
/// the picture as it is, white inverts it, so drawing it twice at the same place restores the
/// picture. Parts outside the picture are left out. Returns the rectangle of the picture touched.
QRect xorMarker(Bitmap &picture, QPoint centre);

/// The 100 × 100 square centred on `centre` (from centre − 50 to centre + 50), copied from the
/// picture; pixels outside the picture take kOutsideColour.
Bitmap takeSquare(const Bitmap &picture, QPoint centre);

/// The raised-edge effect on a band of `band` + 1 pixels: lighter along the top and left edges,
/// darker along the bottom and right, in integer arithmetic (v + b·(255 − v)/255 and v − b·v/255).
/// The picture becomes opaque 24-bit colour (alpha 0xFF); pixels on the corner diagonals are
/// treated twice. Nothing else happens when band is 0.
void Bevel(Bitmap &bitmap, int band, int strength);

/// Area-averaging resample of source into a picture of the given size: each target pixel is the
/// weighted mean of the source pixels it covers (weights in double precision), each channel
/// rounded half to even. The result's fourth byte is 0, as the thumbnail file stores it.
Bitmap ScaleBitmap(const Bitmap &source, int targetWidth, int targetHeight);

/// The whole thumbnail for a click at `centre` of a screenshot: square, bevel (5, 150), scaled
/// to 70 × 70.
Bitmap makeThumbnail(const Bitmap &screenshot, QPoint centre);

} // namespace tovalin::thumbnail
