#pragma once
// The video page's own pictures, drawn in code: the frame around the screen,
// the placeholder shown while nothing plays, and the three big buttons in their
// normal, pressed and hover looks.

#include <QPixmap>

namespace tovalin::playerpictures {

enum class Button { Play, Pause, Stop };
enum class Look { Normal, Pressed, Hover };

/// `Image18`: the player's frame, 505 x 441, with the screen's place left dark.
QPixmap frame(QSize size);
/// `Image19`: the placeholder on the screen, 441 x 344: a film clapper on the screen's green.
QPixmap placeholder(QSize size);
/// A 46 x 50 button picture.
QPixmap button(Button which, Look look, QSize size);

} // namespace tovalin::playerpictures
