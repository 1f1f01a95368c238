#pragma once
// Where a movie goes inside its screen, in whole pixels, and where the video
// page's frame sits on its page.

#include <QRect>
#include <QSize>

namespace tovalin::letterbox {

/// The movie's box inside a client of the given size when the aspect ratio is kept:
/// as high as the client with bars left and right when the movie is narrower than the
/// client, else as wide with bars above and below; each bar is (free + 1 - e) / 2 with
/// integer division. A movie without a picture (natural width or height 0) gets the
/// whole client.
QRect movieBox(QSize client, QSize natural);

/// The top-left corner of a frame of `frame` size centred on a page: Trunc((page - frame) / 2) each way.
QPoint centred(QSize page, QSize frame);

} // namespace tovalin::letterbox
