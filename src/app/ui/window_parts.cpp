#include "app/ui/window_parts.h"

#include <QLabel>
#include <QToolButton>

namespace tovalin::parts {

QLabel *signLabel(const QString &objectName, pictures::Sign sign, int size, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setPixmap(pictures::sign(sign, size));
    label->setFixedSize(size, size);
    label->hide();
    return label;
}

QToolButton *childButton(const QString &objectName, pictures::Button icon, const QString &tip, QWidget *parent)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(objectName);
    b->setIcon(pictures::button(icon, 96));
    b->setIconSize(QSize(48, 48));
    b->setAutoRaise(true);
    b->setToolTip(tip);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

void fillBackground(QWidget *widget, const QColor &colour)
{
    widget->setAutoFillBackground(true);
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Window, colour);
    widget->setPalette(pal);
}

} // namespace tovalin::parts
