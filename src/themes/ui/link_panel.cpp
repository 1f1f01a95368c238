#include "themes/ui/link_panel.h"

#include "state/program_state.h"
#include "platform/browser.h"
#include "platform/sound.h"
#include "themes/theme_model.h"
#include "themes/ui/hint_window.h"
#include "users/user_profile.h"

#include <QAbstractButton>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QStyle>

namespace tovalin {

namespace {

QColor colour(linkpanel::Rgb rgb)
{
    return QColor(rgb.r, rgb.g, rgb.b);
}

QPixmap toPixmap(const Bitmap &bitmap)
{
    if (bitmap.isNull())
        return {};
    const QImage view(reinterpret_cast<const uchar *>(bitmap.pixels.data()), bitmap.width, bitmap.height,
                      bitmap.width * 4, QImage::Format_ARGB32);
    return QPixmap::fromImage(view.copy()); // the copy owns its pixels; the model's may change
}

} // namespace

LinkFrame::LinkFrame(QWidget *parent)
    : QWidget(parent)
{
    setFixedSize(linkpanel::kFrameSize, linkpanel::kFrameSize);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void LinkFrame::setFill(linkpanel::Rgb fill)
{
    if (fill == m_fill)
        return;
    m_fill = fill;
    update();
}

void LinkFrame::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), colour(linkpanel::kFrameNormal));
    p.fillRect(rect().adjusted(1, 1, -1, -1), colour(m_fill));
}

LinkPicture::LinkPicture(int slot, QWidget *parent)
    : QLabel(parent)
    , m_slot(slot)
{
    setFixedSize(linkpanel::kPictureSize, linkpanel::kPictureSize);
    setAlignment(Qt::AlignCenter);
    setCursor(Qt::PointingHandCursor);
    setEnabled(false);
}

void LinkPicture::enterEvent(QEnterEvent *event)
{
    QLabel::enterEvent(event);
    if (isEnabled())
        emit entered(m_slot);
}

void LinkPicture::leaveEvent(QEvent *event)
{
    QLabel::leaveEvent(event);
    if (isEnabled())
        emit left(m_slot);
}

void LinkPicture::mousePressEvent(QMouseEvent *event)
{
    QLabel::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && isEnabled())
        emit clicked(m_slot);
}

void LinkPicture::paintEvent(QPaintEvent *)
{
    const QPixmap shown = pixmap();
    if (shown.isNull())
        return;
    // On a scaled screen the thumbnail covers more device pixels than it has: drawn smoothly,
    // not in blocks. Centred and unscaled in the window's own measure, as on a plain screen.
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(QStyle::alignedRect(layoutDirection(), Qt::AlignCenter,
                                     shown.deviceIndependentSize().toSize(), rect()),
                 shown);
}

LinkPanel::LinkPanel(ThemeModel &model, ProgramState &state, const UserProfile &profile, SoundPlayer &sound,
                     Browser &browser, QWidget *panel6, QObject *parent)
    : QObject(parent)
    , m_model(model)
    , m_state(state)
    , m_profile(profile)
    , m_sound(sound)
    , m_browser(browser)
    , m_area(panel6)
{
    m_hint = new HintWindow(m_area->window());

    connect(&m_model, &ThemeModel::themeLoaded, this, &LinkPanel::showAllSlots);
    connect(&m_model, &ThemeModel::slotChanged, this, &LinkPanel::showSlot);
    connect(&m_model, &ThemeModel::selectionChanged, this, &LinkPanel::onSelectionChanged);
    connect(&m_model, &ThemeModel::scrolled, this, &LinkPanel::placeSlots);
    showAllSlots();
}

LinkPanel::~LinkPanel()
{
    delete m_hint;
}

void LinkPanel::makeSlot(int n)
{
    if (m_frames[size_t(n)])
        return;
    const int offset = m_model.scrollOffset();
    auto *frame = new LinkFrame(m_area);
    frame->setObjectName(QStringLiteral("frame%1").arg(n));
    frame->hide();
    frame->move(linkpanel::frameRect(n, offset).topLeft());
    // Every picture lies over every frame, whichever slot was made first.
    frame->lower();
    m_frames[size_t(n)] = frame;

    auto *picture = new LinkPicture(n, m_area);
    picture->setObjectName(QStringLiteral("picture%1").arg(n));
    picture->hide();
    picture->move(linkpanel::pictureRect(n, offset).topLeft());
    connect(picture, &LinkPicture::entered, this, &LinkPanel::onEntered);
    connect(picture, &LinkPicture::left, this, &LinkPanel::onLeft);
    connect(picture, &LinkPicture::clicked, this, &LinkPanel::clickLink);
    m_pictures[size_t(n)] = picture;
}

LinkFrame *LinkPanel::frame(int n)
{
    if (n < 1 || n > linkpanel::kSlotCount)
        return nullptr;
    makeSlot(n);
    return m_frames[size_t(n)];
}

LinkPicture *LinkPanel::picture(int n)
{
    if (n < 1 || n > linkpanel::kSlotCount)
        return nullptr;
    makeSlot(n);
    return m_pictures[size_t(n)];
}

void LinkPanel::setScrollButtons(QAbstractButton *up, QAbstractButton *down)
{
    // Mouse-down scrolls: a child may press and not let go where it pressed.
    if (up)
        connect(up, &QAbstractButton::pressed, this, &LinkPanel::scrollUp);
    if (down)
        connect(down, &QAbstractButton::pressed, this, &LinkPanel::scrollDown);
}

void LinkPanel::placeSlots()
{
    const int offset = m_model.scrollOffset();
    for (int n = 1; n <= linkpanel::kSlotCount; ++n) {
        if (!m_frames[size_t(n)])
            continue;
        m_frames[size_t(n)]->move(linkpanel::frameRect(n, offset).topLeft());
        m_pictures[size_t(n)]->move(linkpanel::pictureRect(n, offset).topLeft());
    }
}

void LinkPanel::showSlot(int n)
{
    const LinkSlot &slot = m_model.slot(n);
    if (slot.isEmpty() && !m_frames[size_t(n)])
        return; // never held a link: nothing to hide
    makeSlot(n);
    LinkFrame *frame = m_frames[size_t(n)];
    LinkPicture *picture = m_pictures[size_t(n)];
    if (slot.isEmpty()) {
        picture->clear();
        picture->setEnabled(false);
        picture->hide();
        frame->hide();
        return;
    }
    picture->setPixmap(toPixmap(slot.picture));
    picture->setEnabled(true);
    frame->setFill(n == m_model.SelectedLink() ? linkpanel::kFrameSelected : linkpanel::kFrameNormal);
    frame->show();
    picture->show();
}

void LinkPanel::showAllSlots()
{
    m_hint->hide();
    for (int n = 1; n <= linkpanel::kSlotCount; ++n)
        showSlot(n);
    placeSlots();
}

void LinkPanel::onSelectionChanged(int previous, int current)
{
    // A slot without widgets is empty: it has no frame to mark.
    auto made = [this](int n) { return n >= 1 && n <= linkpanel::kSlotCount ? m_frames[size_t(n)] : nullptr; };
    if (LinkFrame *f = made(previous))
        f->setFill(linkpanel::kFrameNormal);
    if (LinkFrame *f = made(current))
        f->setFill(linkpanel::kFrameSelected);
}

void LinkPanel::onEntered(int n)
{
    m_frames[size_t(n)]->setFill(linkpanel::kFrameMouseOver);
    const QString &hint = m_model.slot(n).link.Hint;
    if (!linkpanel::showsHint(m_profile.ToonHint, hint))
        return;
    const QRect frameRect = m_frames[size_t(n)]->geometry();
    m_hint->showHint(hint, linkpanel::hintPosition(frameRect, m_area->mapToGlobal(QPoint(0, 0))));
}

void LinkPanel::onLeft(int n)
{
    m_frames[size_t(n)]->setFill(n == m_model.SelectedLink() ? linkpanel::kFrameSelected
                                                              : linkpanel::kFrameNormal);
    // Hidden whatever ToonHint says now: the setting may have changed while the mouse was on the picture.
    m_hint->hide();
}

void LinkPanel::playClick()
{
    m_sound.play(m_state.soundPath(QStringLiteral("klik.wav")));
}

void LinkPanel::clickLink(int n)
{
    if (m_model.slot(n).isEmpty())
        return;
    playClick();
    emit transfersCancelRequested();
    m_model.setSelectedLink(n); // the previous frame turns normal, this one yellow
    const ThemeLink link = m_model.slot(n).link;
    emit linkOpened(n);
    // The link's own navigation opens the new sequence, however long the engine takes to start it.
    m_state.openHostNavigation();
    m_browser.navigate(link.URL);
    emit browserPanelSizeRequested(link.hoogte, link.breedte);
}

bool LinkPanel::SelectLink(int n)
{
    if (!m_model.setSelectedLink(n))
        return false;
    emit linkSelected(n);
    m_browser.navigate(m_model.slot(n).link.URL);
    return true;
}

void LinkPanel::scrollDown()
{
    playClick();
    m_model.scrollDown(m_area->height());
}

void LinkPanel::scrollUp()
{
    playClick();
    m_model.scrollUp(m_area->height());
}

} // namespace tovalin
