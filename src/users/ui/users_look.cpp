#include "users/ui/users_look.h"

#include <QCheckBox>
#include <QMouseEvent>

namespace tovalin::userslook {

NavLink::NavLink(const QString &text, const QString &objectName, QWidget *parent, Hover hover)
    : QLabel(text, parent)
    , m_hover(hover)
{
    setObjectName(objectName);
    setCursor(Qt::PointingHandCursor);
    setTextColour(kText);
}

QColor NavLink::textColour() const
{
    return palette().color(QPalette::WindowText);
}

void NavLink::setTextColour(const QColor &colour)
{
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, colour);
    setPalette(pal);
}

void NavLink::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

void NavLink::enterEvent(QEnterEvent *event)
{
    if (m_hover == Hover::Underline) {
        QFont f = font();
        f.setUnderline(true);
        setFont(f);
    } else {
        setTextColour(kHover);
    }
    QLabel::enterEvent(event);
}

void NavLink::leaveEvent(QEvent *event)
{
    if (m_hover == Hover::Underline) {
        QFont f = font();
        f.setUnderline(false);
        setFont(f);
    } else {
        setTextColour(kLeft);
    }
    QLabel::leaveEvent(event);
}

QCheckBox *settingsCheckBox(const QString &text, const QString &objectName, QWidget *parent)
{
    auto *box = new QCheckBox(text, parent);
    box->setObjectName(objectName);
    box->setStyleSheet(QStringLiteral("QCheckBox { color: %1; } QCheckBox:hover { color: %2; }")
                           .arg(kText.name(), kHover.name()));
    return box;
}

QLabel *heading(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true); // a long user name in a heading
    QFont f = label->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.3);
    label->setFont(f);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, kText);
    label->setPalette(pal);
    return label;
}

void paintWhite(QWidget *w)
{
    paintBackground(w, Qt::white);
}

void paintBackground(QWidget *w, const QColor &colour)
{
    w->setAutoFillBackground(true);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, colour);
    w->setPalette(pal);
}

} // namespace tovalin::userslook
