#pragma once
// Small pieces the main window's regions are built from: sign labels, the child's round
// buttons, and filled backgrounds.

#include "app/ui/pictures.h"

#include <QColor>
#include <QString>

class QLabel;
class QToolButton;
class QWidget;

namespace tovalin::parts {

/// The top panel's green.
inline const QColor kTopPanelColour(0x47, 0xD3, 0x52);
/// The pale yellow of the child's bar and the picture-link column.
inline const QColor kChildPanelColour(250, 250, 235);

/// A hidden size × size label showing a sign.
QLabel *signLabel(const QString &objectName, pictures::Sign sign, int size, QWidget *parent);
/// One of the child's buttons: a 48-pixel icon, no frame until the mouse is over it, never focused.
QToolButton *childButton(const QString &objectName, pictures::Button icon, const QString &tip, QWidget *parent);
/// Fills the widget's background with one colour.
void fillBackground(QWidget *widget, const QColor &colour);

} // namespace tovalin::parts
