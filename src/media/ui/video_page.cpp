#include "media/ui/video_page.h"

#include "media/letterbox.h"
#include "media/ui/player_pictures.h"
#include "media/ui/video_players.h"
#include "media/ui/video_screen.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>

namespace tovalin {

namespace {

constexpr QPoint kScreenAt{32, 32};
constexpr QRect kGaugeRect{32, 373, 441, 16};
constexpr QSize kButtonSize{46, 50};
constexpr QPoint kPlayAt{40, 390};
constexpr QPoint kPauseAt{92, 390};
constexpr QPoint kStopAt{144, 390};
constexpr QRect kTitleRect{200, 405, 281, 20};
constexpr QSize kMovieSize{442, 344};

PictureButton *pictureButton(playerpictures::Button which, const QString &name, const QString &tip, QPoint at, QWidget *parent)
{
    using playerpictures::Look;
    auto *button = new PictureButton(playerpictures::button(which, Look::Normal, kButtonSize),
                                     playerpictures::button(which, Look::Pressed, kButtonSize),
                                     playerpictures::button(which, Look::Hover, kButtonSize), parent);
    button->setObjectName(name);
    button->setToolTip(tip);
    button->setGeometry(QRect(at, kButtonSize));
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

} // namespace

// --- PictureButton -------------------------------------------------------------------

PictureButton::PictureButton(QPixmap normal, QPixmap pressed, QPixmap hover, QWidget *parent)
    : QAbstractButton(parent)
    , m_normal(std::move(normal))
    , m_pressed(std::move(pressed))
    , m_hover(std::move(hover))
{
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::NoFocus);
}

void PictureButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawPixmap(0, 0, isDown() ? m_pressed : m_hovered ? m_hover : m_normal);
}

void PictureButton::enterEvent(QEnterEvent *event)
{
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void PictureButton::leaveEvent(QEvent *event)
{
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}

// --- VideoPage ------------------------------------------------------------------------

VideoPage::VideoPage(QWidget *page, QObject *parent) : QObject(parent), m_page(page)
{
    m_panel19 = new QWidget(page);
    m_panel19->setObjectName(QStringLiteral("Panel19"));
    m_panel19->setFixedSize(kPanelSize);
    auto *background = new QLabel(m_panel19);
    background->setObjectName(QStringLiteral("Image18"));
    background->setGeometry(QRect(QPoint(0, 0), kPanelSize));
    background->setPixmap(playerpictures::frame(kPanelSize));

    m_panel17 = new QWidget(m_panel19);
    m_panel17->setObjectName(QStringLiteral("Panel17"));
    m_panel17->setGeometry(QRect(kScreenAt, kScreenSize));
    m_panel17->setAutoFillBackground(true);
    QPalette screenPalette = m_panel17->palette();
    screenPalette.setColor(QPalette::Window, QColor::fromRgb(kScreenColour));
    m_panel17->setPalette(screenPalette);

    m_graphScreen = new VideoScreen(Qt::black, m_panel17);
    m_graphScreen->setObjectName(QStringLiteral("DSVideoWindowEx21"));
    m_graphScreen->setGeometry(QRect(QPoint(0, 0), kScreenSize));
    m_movieScreen = new VideoScreen(Qt::black, m_panel17);
    m_movieScreen->setObjectName(QStringLiteral("QTMovie1"));
    m_movieScreen->setGeometry(QRect(QPoint(0, 0), kMovieSize));
    m_movieScreen->hide();
    // The placeholder lies over the players while it shows.
    m_placeholder = new QLabel(m_panel17);
    m_placeholder->setObjectName(QStringLiteral("Image19"));
    m_placeholder->setGeometry(QRect(QPoint(0, 0), kScreenSize));
    m_placeholder->setPixmap(playerpictures::placeholder(kScreenSize));
    m_placeholder->raise();

    m_graph = new GraphPlayer(m_graphScreen, this);
    m_graph->setObjectName(QStringLiteral("FilterGraph1"));
    m_movie = new MoviePlayer(m_movieScreen, this);
    m_movie->setObjectName(QStringLiteral("QTMovie1"));
    connect(m_graph, &PlayerAdapter::failed, this, [this] { playerFailed(m_graphScreen); });
    connect(m_movie, &PlayerAdapter::failed, this, [this] { playerFailed(m_movieScreen); });

    m_gauge = new QProgressBar(m_panel19);
    m_gauge->setObjectName(QStringLiteral("Gauge1"));
    m_gauge->setGeometry(kGaugeRect);
    m_gauge->setTextVisible(false);
    m_gauge->setStyleSheet(QStringLiteral("QProgressBar { background: #d01010; border: 1px solid #700000; }"
                                          "QProgressBar::chunk { background: #ffe000; }"));
    m_gauge->hide();

    auto *play = pictureButton(playerpictures::Button::Play, QStringLiteral("ImgBtn10"), tr("Play"), kPlayAt, m_panel19);
    auto *pauseButton = pictureButton(playerpictures::Button::Pause, QStringLiteral("ImgBtn11"), tr("Pause"), kPauseAt, m_panel19);
    auto *stopButton = pictureButton(playerpictures::Button::Stop, QStringLiteral("ImgBtn12"), tr("Stop"), kStopAt, m_panel19);
    connect(play, &QAbstractButton::clicked, this, &VideoPage::play);
    connect(pauseButton, &QAbstractButton::clicked, this, &VideoPage::pause);
    connect(stopButton, &QAbstractButton::clicked, this, &VideoPage::stop);

    m_title = new QLabel(m_panel19);
    m_title->setObjectName(QStringLiteral("Label5"));
    m_title->setGeometry(kTitleRect);
    m_title->setStyleSheet(QStringLiteral("QLabel { color: #ffff00; background: #d01010; font-weight: bold; padding-left: 4px; }"));

    page->installEventFilter(this);
    centre();
}

VideoPage::~VideoPage()
{
    if (m_page)
        m_page->removeEventFilter(this);
}

bool VideoPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_page) {
        if (event->type() == QEvent::Show)
            videoShow();
        else if (event->type() == QEvent::Resize)
            centre();
    }
    return false;
}

void VideoPage::centre()
{
    m_panel19->move(letterbox::centred(m_page->size(), kPanelSize));
}

void VideoPage::videoShow()
{
    m_movieScreen->setVisible(m_mov);
    m_graphScreen->setVisible(!m_mov);
    if (m_placeholder->isVisible())
        m_placeholder->raise();
    centre();
}

void VideoPage::setMovFlag(bool mov)
{
    m_mov = mov;
    if (m_page->isVisible())
        videoShow();
}

void VideoPage::beginFetch()
{
    m_placeholder->show();
    m_placeholder->raise();
}

void VideoPage::setTitle(const QString &title)
{
    m_title->setText(title);
}

void VideoPage::startGauge(qint64 maximum)
{
    // The bar counts in thousandths, so a video of any size fits its integer range;
    // with no size announced it shows that something is under way.
    m_gaugeMaximum = maximum;
    m_gauge->setRange(0, maximum > 0 ? 1000 : 0);
    m_gauge->setValue(0);
    m_gauge->show();
}

void VideoPage::setGauge(qint64 value)
{
    if (!m_gauge->isVisible())
        startGauge(m_gaugeMaximum);
    if (m_gaugeMaximum > 0)
        m_gauge->setValue(int(std::min<qint64>(1000, value * 1000 / m_gaugeMaximum)));
    m_gauge->repaint();
}

void VideoPage::hideGauge()
{
    m_gauge->hide();
}

void VideoPage::hidePlaceholder()
{
    m_placeholder->hide();
}

void VideoPage::startPlayback(const QString &path, bool mov)
{
    setMovFlag(mov);
    if (mov) {
        m_graph->stop();
        m_movieScreen->show();
        m_movie->openAndPlay(path);
    } else {
        m_movie->reset();
        m_graphScreen->show();
        m_graph->startPlayback(path);
    }
}

void VideoPage::stopFromElsewhere()
{
    m_graph->stop();
    m_movie->reset();
    hideGauge();
}

void VideoPage::play()
{
    if (m_mov)
        m_movie->play();
    else
        m_graph->play();
}

void VideoPage::pause()
{
    if (m_mov)
        m_movie->pause();
    else
        m_graph->pause();
}

void VideoPage::stop()
{
    if (m_mov)
        m_movie->stop();
    else
        m_graph->stop();
}

void VideoPage::playerFailed(QWidget *playerScreen)
{
    // A file the player cannot play leaves the placeholder, without a message.
    playerScreen->hide();
    m_placeholder->show();
    m_placeholder->raise();
}

} // namespace tovalin
