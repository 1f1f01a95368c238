#pragma once
// The program's own pictures, drawn in code so they scale and need no files:
// the indicator signs and the child's navigation buttons.

#include <QIcon>
#include <QPixmap>

namespace tovalin::pictures {

enum class Sign { Forbidden, Loading, Broken, Allowed };
enum class Button { Back, Forward, Stop, Refresh, Home, Go, Print, Exit, ParentsMenu, Close, ScrollUp, ScrollDown, Popup };

QPixmap sign(Sign which, int size);
QIcon button(Button which, int size);
/// A small round icon for the parents' menu bar.
QPixmap menuIcon(const QColor &colour, int size);
/// The window's icon: a friendly globe with a smile.
QIcon appIcon();

/// Draws the pictures the child's window needs as it opens, from any thread (the start-up runs
/// it on a worker while the web engine starts); each is taken by the first part that asks for
/// it, and one not ready yet is drawn then as before.
void drawAhead();

} // namespace tovalin::pictures
