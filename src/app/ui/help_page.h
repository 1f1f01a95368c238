#pragma once
// The help page: shown by the desktop's own browser, or, in the Tovalin
// session, where that browser would cover Tovalin and open the whole web, in a
// window of Tovalin's own that follows only the help's own links.

class QString;
class QWidget;

namespace tovalin {

/// Opens the help file at path (which exists) over parent.
void openHelp(QWidget *parent, const QString &path);

} // namespace tovalin
