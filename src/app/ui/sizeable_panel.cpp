#include "app/ui/sizeable_panel.h"

#include "themes/link_panel_layout.h"

#include <QMouseEvent>
#include <QPainter>

namespace tovalin {

namespace {

constexpr int kGripSize = 16;

// The grip in the panel's bottom-right corner: three diagonal strokes, the
// usual sign that a corner can be dragged.
class Grip : public QWidget {
public:
    explicit Grip(QWidget *parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("panelgrip"));
        setFixedSize(kGripSize, kGripSize);
        setCursor(Qt::SizeFDiagCursor);
        setToolTip(QObject::tr("Drag to change the size of the page; double-click for the full size"));
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(rect(), QColor(255, 255, 255, 170));
        p.setPen(QPen(QColor(90, 90, 90), 1.5));
        for (int i = 1; i <= 3; ++i) {
            const int d = i * 4;
            p.drawLine(QPointF(width() - d, height() - 1.5), QPointF(width() - 1.5, height() - d));
        }
    }
};

} // namespace

SizeablePanel::SizeablePanel(QWidget *page)
    : QWidget(page)
{
    setObjectName(QStringLiteral("JvSizeablePanel1"));
    m_grip = new Grip(this);
    m_grip->installEventFilter(this);
    m_grip->raise();
    if (page)
        setGeometry(QRect(QPoint(0, 0), page->size()));
}

QSize SizeablePanel::pageSize() const
{
    return parentWidget() ? parentWidget()->size() : size();
}

void SizeablePanel::requestSize(QSize size)
{
    const QSize page = pageSize();
    const linkpanel::PanelGeometry g = linkpanel::resizeBrowserPanel(size, page);
    m_fillsPage = g.fillsPage;
    // The gap is measured at the panel's place before it is centred again.
    m_gap = linkpanel::panelGap(page.height(), y(), g.rect.height());
    setGeometry(g.rect);
}

void SizeablePanel::fillPage()
{
    requestSize(pageSize());
}

void SizeablePanel::pageResized()
{
    // Re-centred every time, also when the panel's own size stays: a panel
    // left at its old place on a larger page would no longer sit in the middle.
    requestSize(linkpanel::panelSizeAfterPageResize(size(), m_fillsPage, m_gap, pageSize()));
}

void SizeablePanel::placeGrip()
{
    m_grip->move(width() - kGripSize, height() - kGripSize);
    m_grip->raise();
}

void SizeablePanel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeGrip();
}

void SizeablePanel::mouseDoubleClickEvent(QMouseEvent *event)
{
    fillPage();
    emit doubleClicked();
    event->accept();
}

bool SizeablePanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_grip)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton)
            break;
        m_dragging = true;
        m_dragStart = mouse->globalPosition().toPoint();
        m_sizeAtDragStart = size();
        return true;
    }
    case QEvent::MouseMove:
        if (m_dragging) {
            // The panel stays centred, so the corner follows the mouse when the
            // size changes by twice the distance moved.
            const QPoint delta = static_cast<QMouseEvent *>(event)->globalPosition().toPoint() - m_dragStart;
            requestSize(m_sizeAtDragStart + QSize(2 * delta.x(), 2 * delta.y()));
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (m_dragging) {
            m_dragging = false;
            return true;
        }
        break;
    case QEvent::MouseButtonDblClick:
        m_dragging = false;
        fillPage();
        emit doubleClicked();
        return true;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tovalin
