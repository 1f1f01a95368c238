#pragma once
// The look shared by the theme windows (the add-link wizard, the link editor
// and the active theme editor): headings, step captions, the 70 × 70 preview
// in its frame, and the pictures drawn in code (camera, one level up).
// Header-only.

#include "parents/ui/parents_look.h"

#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tovalin::themelook {

inline QLabel *heading(const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setFont(look::headingFont(l->font()));
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, look::kHeading);
    l->setPalette(pal);
    return l;
}

inline QLabel *bold(const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

/// A 70 × 70 picture with a thin frame, for the thumbnail previews.
inline QLabel *preview(const char *objectName, QWidget *parent)
{
    auto *l = new QLabel(parent);
    l->setObjectName(QLatin1String(objectName));
    l->setFixedSize(74, 74);
    l->setAlignment(Qt::AlignCenter);
    l->setFrameShape(QFrame::Box);
    l->setLineWidth(1);
    return l;
}

/// Gives a page the same background as the page it joins.
inline void likePage(QWidget *page, const QWidget *model)
{
    page->setAutoFillBackground(true);
    page->setPalette(model->palette());
}

/// A friendly camera: the wizard's `Image24`.
inline QPixmap camera(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    p.setPen(QPen(QColor(40, 50, 70), s * 0.04));
    p.setBrush(QColor(70, 90, 120));
    p.drawRoundedRect(QRectF(s * 0.32, s * 0.18, s * 0.3, s * 0.16), s * 0.04, s * 0.04);
    p.setBrush(QColor(90, 110, 140));
    p.drawRoundedRect(QRectF(s * 0.06, s * 0.28, s * 0.88, s * 0.56), s * 0.1, s * 0.1);
    p.setBrush(QColor(230, 235, 245));
    p.drawEllipse(QPointF(s * 0.5, s * 0.56), s * 0.22, s * 0.22);
    p.setBrush(QColor(33, 93, 198));
    p.drawEllipse(QPointF(s * 0.5, s * 0.56), s * 0.14, s * 0.14);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawEllipse(QPointF(s * 0.45, s * 0.51), s * 0.04, s * 0.04);
    p.setBrush(QColor(255, 210, 60));
    p.drawRoundedRect(QRectF(s * 0.12, s * 0.34, s * 0.14, s * 0.08), s * 0.02, s * 0.02);
    return pm;
}

/// An arrow up and to the left: one level up in an address.
inline QIcon levelUp(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    p.setPen(QPen(look::kLinkNormal, s * 0.12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath path;
    path.moveTo(s * 0.75, s * 0.85);
    path.lineTo(s * 0.75, s * 0.35);
    path.lineTo(s * 0.3, s * 0.35);
    p.drawPath(path);
    QPainterPath head;
    head.moveTo(s * 0.42, s * 0.18);
    head.lineTo(s * 0.22, s * 0.35);
    head.lineTo(s * 0.42, s * 0.52);
    p.drawPath(head);
    return QIcon(pm);
}

} // namespace tovalin::themelook
