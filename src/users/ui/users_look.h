#pragma once
// The look of the users windows: the manager's navigation links and check
// boxes in dark blue, lighter under the mouse; headings; the white faces.

#include <QColor>
#include <QLabel>
#include <QWidget>

class QCheckBox;

namespace tovalin::userslook {

/// The navigation links' and the settings check boxes' text.
inline const QColor kText(18, 82, 192);
/// A navigation link or check box under the mouse.
inline const QColor kHover(100, 149, 230);
/// A navigation link the mouse has left.
inline const QColor kLeft(33, 93, 198);
/// The band behind the navigation bar and the wizard's picture.
inline const QColor kBand(211, 229, 251);

/// A label that acts as a link: text kText, kHover while the pointer is over it, kLeft after.
class NavLink : public QLabel {
    Q_OBJECT
public:
    /// How the link shows the pointer: a colour change, or an underline (the wizard's "Close").
    enum class Hover { Colour, Underline };
    NavLink(const QString &text, const QString &objectName, QWidget *parent, Hover hover = Hover::Colour);
    /// The colour the text shows now.
    QColor textColour() const;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void setTextColour(const QColor &colour);
    Hover m_hover;
};

/// A settings check box: kText, kHover while the pointer is over it.
QCheckBox *settingsCheckBox(const QString &text, const QString &objectName, QWidget *parent);

/// A page heading: bold, larger, in kText.
QLabel *heading(const QString &text, QWidget *parent);

/// White background.
void paintWhite(QWidget *w);
/// The given background colour.
void paintBackground(QWidget *w, const QColor &colour);

} // namespace tovalin::userslook
