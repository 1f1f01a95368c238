#include "app/ui/link_label.h"

#include <QMouseEvent>

namespace tovalin {

namespace {

// Colours of the parents' text links: over and otherwise.
const QColor kLinkHover(100, 149, 230);
const QColor kLinkNormal(33, 93, 198);

} // namespace

LinkLabel::LinkLabel(const QString &text, QWidget *parent, Hover hover)
    : QLabel(text, parent)
    , m_hover(hover)
{
    setCursor(Qt::PointingHandCursor);
    setColour(false);
}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit clicked();
    QLabel::mousePressEvent(event);
}

void LinkLabel::enterEvent(QEnterEvent *event)
{
    setColour(true);
    QLabel::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent *event)
{
    setColour(false);
    QLabel::leaveEvent(event);
}

void LinkLabel::setColour(bool hover)
{
    QPalette pal = palette();
    if (m_hover == Hover::Underline) {
        QFont f = font();
        f.setUnderline(hover);
        setFont(f);
        pal.setColor(QPalette::WindowText, kLinkNormal);
    } else {
        pal.setColor(QPalette::WindowText, hover ? kLinkHover : kLinkNormal);
    }
    setPalette(pal);
}

} // namespace tovalin
