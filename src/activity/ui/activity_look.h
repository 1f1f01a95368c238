#pragma once
// The pictures of the Ask button and the request window, drawn in code so they
// scale and need no files.

#include <QPixmap>

namespace tovalin::activitylook {

/// A speech bubble with a question mark: asking a parent.
QPixmap askPicture(int size);
/// The same bubble with a tick: the question has been sent.
QPixmap sentPicture(int size);

} // namespace tovalin::activitylook
