#include "clocks/ui/clock_views.h"

#include "clocks/switch_clock.h"
#include "clocks/time_clock.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <QtMath>

namespace tovalin {

namespace {

// The strip's green, RGB 71, 211, 82.
const QColor kStripColour(71, 211, 82);

} // namespace

void bindTimeClock(TimeClock &clock, QProgressBar *gauge, QStackedWidget *pages, QWidget *browserPage,
                   QWidget *timeupPage)
{
    gauge->setRange(0, TimeClock::kFull);
    gauge->setTextVisible(false);
    gauge->setValue(clock.position());
    gauge->setVisible(clock.gaugeVisible());
    QObject::connect(&clock, &TimeClock::positionChanged, gauge, &QProgressBar::setValue);
    QObject::connect(&clock, &TimeClock::gaugeVisibleChanged, gauge, &QWidget::setVisible);
    QObject::connect(&clock, &TimeClock::timeUp, pages, [pages, timeupPage] { pages->setCurrentWidget(timeupPage); });
    QObject::connect(&clock, &TimeClock::browserPageRequested, pages,
                     [pages, browserPage] { pages->setCurrentWidget(browserPage); });
}

// ---------------------------------------------------------------- time's up

namespace {

// An hourglass whose sand has all run down: the picture of the "Time's up!" page.
QPixmap emptyHourglass(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    const QColor wood(150, 95, 45);
    const QColor glass(225, 240, 255);
    const QColor sand(240, 190, 70);
    // The two glass bulbs, meeting in a narrow neck.
    QPainterPath bulbs;
    bulbs.moveTo(s * 0.25, s * 0.14);
    bulbs.lineTo(s * 0.75, s * 0.14);
    bulbs.cubicTo(s * 0.75, s * 0.36, s * 0.53, s * 0.42, s * 0.53, s * 0.5);
    bulbs.cubicTo(s * 0.53, s * 0.58, s * 0.75, s * 0.64, s * 0.75, s * 0.86);
    bulbs.lineTo(s * 0.25, s * 0.86);
    bulbs.cubicTo(s * 0.25, s * 0.64, s * 0.47, s * 0.58, s * 0.47, s * 0.5);
    bulbs.cubicTo(s * 0.47, s * 0.42, s * 0.25, s * 0.36, s * 0.25, s * 0.14);
    bulbs.closeSubpath();
    p.setPen(QPen(QColor(120, 150, 190), s * 0.015));
    p.setBrush(glass);
    p.drawPath(bulbs);
    // All the sand lies in the lower bulb.
    p.save();
    p.setClipPath(bulbs);
    p.setPen(Qt::NoPen);
    p.setBrush(sand);
    QPainterPath heap;
    heap.moveTo(s * 0.2, s * 0.87);
    heap.quadTo(s * 0.5, s * 0.56, s * 0.8, s * 0.87);
    heap.closeSubpath();
    p.drawPath(heap);
    p.restore();
    // Top and bottom boards and the two posts.
    p.setPen(Qt::NoPen);
    p.setBrush(wood);
    p.drawRoundedRect(QRectF(s * 0.16, s * 0.06, s * 0.68, s * 0.08), s * 0.03, s * 0.03);
    p.drawRoundedRect(QRectF(s * 0.16, s * 0.86, s * 0.68, s * 0.08), s * 0.03, s * 0.03);
    p.drawRect(QRectF(s * 0.18, s * 0.14, s * 0.04, s * 0.72));
    p.drawRect(QRectF(s * 0.78, s * 0.14, s * 0.04, s * 0.72));
    return pm;
}

} // namespace

void fillTimeUpPage(QWidget *page)
{
    auto *lay = new QVBoxLayout(page);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);

    auto *picture = new QLabel(page);
    picture->setObjectName(QStringLiteral("Image11"));
    picture->setPixmap(emptyHourglass(220));
    picture->setAlignment(Qt::AlignCenter);
    lay->addWidget(picture, 1);

    // A panel with a caption: a label that fills its own yellow background.
    auto *panel = new QLabel(TimeClock::timeUpText(), page);
    panel->setObjectName(QStringLiteral("Panel47"));
    panel->setAlignment(Qt::AlignCenter);
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, Qt::yellow);
    pal.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(pal);
    QFont font = panel->font();
    font.setPixelSize(32);
    font.setBold(true);
    panel->setFont(font);
    panel->setContentsMargins(0, 12, 0, 12);
    lay->addWidget(panel);
}

// ---------------------------------------------------------------- figures

WalkingFigure::WalkingFigure(Direction direction, QWidget *parent) : QWidget(parent), m_direction(direction)
{
    setObjectName(direction == Direction::Right ? QStringLiteral("Image8") : QStringLiteral("Image10"));
    setCursor(Qt::PointingHandCursor);
    setToolTip(tr("Click to pause, double-click to start again"));
    setAttribute(Qt::WA_TranslucentBackground);
}

void WalkingFigure::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    update(); // the pose follows the place
}

void WalkingFigure::mouseReleaseEvent(QMouseEvent *event)
{
    // The release that ends a double click is not a second click.
    if (event->button() == Qt::LeftButton && !m_afterDoubleClick)
        emit clicked();
    m_afterDoubleClick = false;
    QWidget::mouseReleaseEvent(event);
}

void WalkingFigure::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_afterDoubleClick = true;
        emit doubleClicked();
    }
    QWidget::mouseDoubleClickEvent(event);
}

void WalkingFigure::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal h = height();
    const qreal w = width();
    const bool right = m_direction == Direction::Right;
    // Mirror the left walker so both look where they go.
    if (!right) {
        p.translate(w, 0);
        p.scale(-1, 1);
    }
    // One stride every 16 pixels walked.
    const qreal phase = (x() % 16) / 16.0 * 2 * M_PI;
    const qreal swing = qSin(phase) * 0.45;

    const qreal cx = w * 0.5;
    const qreal headR = h * 0.16;
    const qreal headY = h * 0.2;
    const qreal hipY = h * 0.64;
    const qreal footY = h * 0.95;
    const qreal legLen = footY - hipY;
    const QColor skin(255, 214, 170);
    const QColor shirt = right ? QColor(255, 140, 30) : QColor(40, 120, 235);
    const QColor trousers = right ? QColor(60, 70, 160) : QColor(200, 50, 90);

    auto limb = [&](QPointF from, qreal length, qreal angle, const QColor &colour, qreal width) {
        p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(from, from + QPointF(qSin(angle) * length, qCos(angle) * length));
    };
    // Back leg and arm first, then body, then the front ones.
    limb(QPointF(cx, hipY), legLen, -swing, trousers.darker(120), h * 0.09);
    limb(QPointF(cx, h * 0.42), h * 0.22, swing, skin.darker(110), h * 0.065);
    QPainterPath body;
    body.addRoundedRect(QRectF(cx - h * 0.12, h * 0.36, h * 0.24, h * 0.32), h * 0.08, h * 0.08);
    p.setPen(Qt::NoPen);
    p.setBrush(shirt);
    p.drawPath(body);
    limb(QPointF(cx, hipY), legLen, swing, trousers, h * 0.09);
    limb(QPointF(cx, h * 0.42), h * 0.22, -swing, skin, h * 0.065);
    // Head, hair, eye, smile.
    p.setPen(Qt::NoPen);
    p.setBrush(skin);
    p.drawEllipse(QPointF(cx, headY), headR, headR);
    p.setBrush(right ? QColor(120, 70, 30) : QColor(240, 190, 60));
    p.drawChord(QRectF(cx - headR, headY - headR, 2 * headR, 2 * headR), 20 * 16, 160 * 16);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(cx + headR * 0.45, headY - headR * 0.05), headR * 0.13, headR * 0.13);
    p.setPen(QPen(QColor(200, 60, 60), h * 0.025, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(cx, headY - headR * 0.1, headR * 0.8, headR * 0.7), 200 * 16, 120 * 16);
}

// ---------------------------------------------------------------- strip

SwitchStripView::SwitchStripView(SwitchClock &clock, QWidget *strip) : QWidget(strip), m_clock(clock), m_strip(strip)
{
    setObjectName(QStringLiteral("switchStripView"));
    auto *lay = new QVBoxLayout(strip);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(this);
    m_right = new WalkingFigure(WalkingFigure::Direction::Right, this);
    m_left = new WalkingFigure(WalkingFigure::Direction::Left, this);
    connect(m_right, &WalkingFigure::clicked, &m_clock, &SwitchClock::figureClicked);
    connect(m_left, &WalkingFigure::clicked, &m_clock, &SwitchClock::figureClicked);
    // A double click's first click has paused (or resumed) the clock: undo that, so a double click
    // only starts the walk again and leaves the clock running as it was.
    connect(m_right, &WalkingFigure::doubleClicked, &m_clock, [this] {
        m_clock.figureClicked();
        m_clock.rightWalkerDoubleClicked();
    });
    connect(m_left, &WalkingFigure::doubleClicked, &m_clock, [this] {
        m_clock.figureClicked();
        m_clock.leftWalkerDoubleClicked();
    });
    connect(&m_clock, &SwitchClock::stripChanged, this, &SwitchStripView::follow);
    follow();
}

void SwitchStripView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_clock.setStripWidth(width());
    follow();
}

void SwitchStripView::follow()
{
    m_strip->setVisible(m_clock.stripVisible());
    const int h = height();
    m_right->setGeometry(m_clock.rightWalkerLeft(), 0, WalkingFigure::kWidth, h);
    m_left->setGeometry(m_clock.leftWalkerLeft(), 0, WalkingFigure::kWidth, h);
    m_right->setVisible(m_clock.rightWalkerVisible());
    m_left->setVisible(m_clock.leftWalkerVisible());
}

void SwitchStripView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), kStripColour);
    p.setRenderHint(QPainter::Antialiasing);
    // A sandy path to walk on, with a flag at each end.
    const int pathY = height() - 6;
    p.fillRect(QRect(0, pathY, width(), 6), QColor(236, 214, 150));
    auto flag = [&](int x, const QColor &colour) {
        p.setPen(QPen(QColor(90, 60, 30), 2));
        p.drawLine(x, pathY, x, 6);
        QPainterPath cloth;
        cloth.moveTo(x, 6);
        cloth.lineTo(x + (x < width() / 2 ? 14 : -14), 11);
        cloth.lineTo(x, 16);
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawPath(cloth);
    };
    flag(4, QColor(255, 140, 30));
    flag(width() - 5, QColor(40, 120, 235));
}

} // namespace tovalin
