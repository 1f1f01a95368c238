#pragma once
// The picture-link column's slots: 200 frames and 200 pictures in `Panel6`,
// placed by the link panel arithmetic and filled from the ThemeModel. The panel
// handles hover (frame colour, hint window), the link click, `SelectLink` and
// scrolling; what a click means for the window around it (address fields,
// browser panel size) goes out through signals.

#include "themes/link_panel_layout.h"

#include <QLabel>
#include <QObject>
#include <QWidget>
#include <array>

class QAbstractButton;

namespace tovalin {

class Browser;
class HintWindow;
class ProgramState;
class SoundPlayer;
class ThemeModel;
struct UserProfile;

/// Frame i (`TShape`): a square filled in the state's colour with a 1-pixel outline in the normal colour.
class LinkFrame : public QWidget {
    Q_OBJECT
public:
    explicit LinkFrame(QWidget *parent);
    void setFill(linkpanel::Rgb fill);
    linkpanel::Rgb fill() const { return m_fill; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    linkpanel::Rgb m_fill = linkpanel::kFrameNormal;
};

/// Picture i (`TMyImage`): the thumbnail, centred and unscaled, with enter, leave and click.
class LinkPicture : public QLabel {
    Q_OBJECT
public:
    LinkPicture(int slot, QWidget *parent);
    int slot() const { return m_slot; }

signals:
    void entered(int slot);
    void left(int slot);
    void clicked(int slot);

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    int m_slot;
};

class LinkPanel : public QObject {
    Q_OBJECT
public:
    /// Creates the 200 frames, then the 200 pictures (so each picture lies above its frame) in
    /// `panel6`, all empty, and the hint window.
    LinkPanel(ThemeModel &model, ProgramState &state, const UserProfile &profile, SoundPlayer &sound,
              Browser &browser, QWidget *panel6, QObject *parent = nullptr);
    ~LinkPanel() override;

    /// Mouse-down on these buttons scrolls the strip a page up or down.
    void setScrollButtons(QAbstractButton *up, QAbstractButton *down);

    /// Marks slot n as selected and opens its address, without the click's sound and click
    /// window. False (only the selection cleared) when n is not a filled slot.
    bool SelectLink(int n);

    /// The link click on picture n (as the mouse does it).
    void clickLink(int n);
    void scrollUp();
    void scrollDown();

    /// Slot n's frame and picture (hidden when the slot is empty), made on the first call; a
    /// slot's widgets are made when it first holds a link, so a theme of a few links costs a few.
    LinkFrame *frame(int n);
    LinkPicture *picture(int n);
    HintWindow *hintWindow() const { return m_hint; }
    QWidget *area() const { return m_area; }

signals:
    /// A link click is beginning: a running video transfer is to be cancelled.
    void transfersCancelRequested();
    /// Slot n was opened by a click: the address fields are to show its URL.
    void linkOpened(int slot);
    /// `SelectLink` marked slot n and opened it: the link editor shows its picture and URL.
    void linkSelected(int slot);
    /// The browser panel is to take a link's size (−1 for a side: the page's).
    void browserPanelSizeRequested(int hoogte, int breedte);

private:
    /// Makes slot n's frame and picture if they do not exist yet (1 <= n <= kSlotCount).
    void makeSlot(int n);
    void showSlot(int n);
    void showAllSlots();
    void placeSlots();
    void onSelectionChanged(int previous, int current);
    void onEntered(int n);
    void onLeft(int n);
    void playClick();

    ThemeModel &m_model;
    ProgramState &m_state;
    const UserProfile &m_profile;
    SoundPlayer &m_sound;
    Browser &m_browser;
    QWidget *m_area;
    HintWindow *m_hint = nullptr;
    std::array<LinkFrame *, linkpanel::kSlotCount + 1> m_frames{};
    std::array<LinkPicture *, linkpanel::kSlotCount + 1> m_pictures{};
};

} // namespace tovalin
