#pragma once
// The picture-link column's arithmetic, free of widgets: slot geometry,
// scrolling a page at a time, browser-panel sizing for a link, frame colours,
// the hint window's place and the theme chooser's arrows.
//
// Slots are numbered 1 to 200 and stacked 80 pixels apart with no gap: frame i
// (80 × 80) starts at (i − 1) × 80, its 70 × 70 picture 5 pixels inside. The
// strip scrolls by moving every slot by the same amount; `scrollOffset` is how
// far the strip has moved up (0 = every slot at its first position).

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

namespace tovalin::linkpanel {

inline constexpr int kSlotCount = 200;
inline constexpr int kSlotPitch = 80;     ///< distance between two slots
inline constexpr int kFrameSize = 80;
inline constexpr int kPictureSize = 70;
inline constexpr int kPictureInset = 5;   ///< the frame's border around the picture
inline constexpr int kColumnWidth = 81;   ///< `Panel2`
inline constexpr int kButtonPanelHeight = 58; ///< `Panel4` (scroll up) and `Panel5` (scroll down)
inline constexpr int kMiniMenuHeight = 41;
inline constexpr int kMinPanelWidth = 80;  ///< smallest browser panel
inline constexpr int kMinPanelHeight = 60;
inline constexpr int kHintHeight = 22;
inline constexpr int kHintTextPadding = 20; ///< hint window width = text width + this
inline constexpr int kHintLabelLeft = 10;

/// Round as the panel arithmetic does: to the nearest integer, an exact half to the even neighbour.
int roundHalfEven(int numerator, int denominator);

/// Left of every frame in a column of that width: Trunc((width − 80) / 2) + 2.
int frameLeft(int columnWidth = kColumnWidth);
/// Left of every picture: Trunc((width − 76) / 2) + 5.
int pictureLeft(int columnWidth = kColumnWidth);

/// Frame i's rectangle (i from 1) inside `Panel6` at a scroll offset.
QRect frameRect(int slot, int scrollOffset = 0, int columnWidth = kColumnWidth);
/// Picture i's rectangle (i from 1) inside `Panel6` at a scroll offset: top i × 80 − 75 − offset.
QRect pictureRect(int slot, int scrollOffset = 0, int columnWidth = kColumnWidth);

/// One scroll step: Trunc(panel height / 80) × 80 (0 for a panel lower than one slot).
int pageHeight(int panelHeight);

/// The offset after a press on scroll-down: unchanged when the frame of slot `linkCount` starts
/// within the panel (the last link is at least partly visible) or there are no links; otherwise
/// one page further.
int scrollDown(int scrollOffset, int panelHeight, int linkCount);

/// The offset after a press on scroll-up: one page back while more than a page is hidden above,
/// otherwise back to 0 (every slot at its first position).
int scrollUp(int scrollOffset, int panelHeight);

/// The browser panel's place on the browser page after a resize.
struct PanelGeometry {
    QRect rect;             ///< in the page's coordinates, centred
    bool fillsPage = true;  ///< false once the requested size is smaller than the page
};

/// The resize rule of the browser panel: the requested size is bounded by the page and by
/// 80 × 60 at the least, and the panel is centred (Round, half to even).
PanelGeometry resizeBrowserPanel(QSize requested, QSize page);

/// The size a link asks for (before the resize rule): a dimension ≤ −1 takes the page's; otherwise
/// the page's when the page is smaller than the panel is now, else the link's own.
QSize requestedPanelSize(int hoogte, int breedte, QSize page, QSize currentPanel);

/// Both steps: the browser panel for a link.
PanelGeometry panelForLink(int hoogte, int breedte, QSize page, QSize currentPanel);

/// `PanelGap`: the space left below the panel, page height − panel top − panel height.
int panelGap(int pageHeight, int panelTop, int panelHeight);

/// The size the panel asks for (before the resize rule) after the browser page changed size: the
/// page's while the panel fills the page; otherwise, with a gap below it, page height − 1 when the
/// page became lower than the panel (else its own height), and without a gap the page's height.
/// The width stays; the resize rule bounds it by the page.
QSize panelSizeAfterPageResize(QSize panel, bool fillsPage, int panelGap, QSize page);

/// The size a link records for the panel as it is now: −1 for a dimension equal to the page's.
QSize linkSizeFromPanel(QSize panel, QSize page);

/// An RGB colour; `colorRef()` gives the 0x00BBGGRR integer the profile files use.
struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    constexpr quint32 colorRef() const { return quint32(b) << 16 | quint32(g) << 8 | quint32(r); }
    constexpr quint32 argb() const { return 0xFF000000u | quint32(r) << 16 | quint32(g) << 8 | quint32(b); }
    friend constexpr bool operator==(const Rgb &, const Rgb &) = default;
};

inline constexpr Rgb kFrameNormal{71, 211, 82};
inline constexpr Rgb kFrameMouseOver{205, 243, 208};
inline constexpr Rgb kFrameSelected{255, 255, 0};
inline constexpr Rgb kHintBorder{0, 113, 192};       ///< hint border and text; drop-down inside
inline constexpr Rgb kLinkLabelHover{100, 149, 230};
inline constexpr Rgb kLinkLabelNormal{33, 93, 198};
inline constexpr Rgb kThemeTabBackground{7, 99, 232}; ///< `Panel9` while the theme tab shows

/// The fill of frame `slot`: mouse-over while the mouse is on it, else yellow when selected, else
/// normal. Its 1-pixel outline always keeps the normal colour.
Rgb frameFill(int slot, int hoveredSlot, int selectedSlot);

/// Whether the hint window shows for a link: `ToonHint` on and the hint not blank.
bool showsHint(bool toonHint, const QString &hint);

/// The hint window's top-left on screen: right of frame `slot`, vertically centred on it less 12.
QPoint hintPosition(const QRect &frame, QPoint panelScreenTopLeft);

/// "Theme: " + the active theme, the theme tab's title.
QString themeTitle(const QString &activeTheme);

// --- Theme chooser ------------------------------------------------------

inline constexpr int kChooserItemHeight = 13;
inline constexpr int kChooserMaxHeight = 300;

/// The themes the chooser lists: the theme names (enumeration order) that are allowed
/// (compared case-insensitively).
QStringList chooserEntries(const QStringList &themeNames, const QStringList &allowedThemes);

/// The chooser's visible parts.
struct ChooserView {
    bool dropDownOpen = false;
    bool openArrowVisible = true;
    bool closeArrowVisible = false;
    friend bool operator==(const ChooserView &, const ChooserView &) = default;
};

/// After the chooser is filled: one entry shows the open arrow only when it is not the active
/// theme; several show it always; none hides both arrows. The drop-down closes.
ChooserView chooserAfterFill(ChooserView view, const QStringList &entries, const QString &activeTheme);

/// The theme to make active when none is: the first entry (nothing is loaded by this).
QString defaultActiveTheme(const QString &activeTheme, const QStringList &entries);

/// A click on the theme title (`Image2` or `Label3`) toggles the drop-down only with more than one
/// entry; nullopt when it does nothing (and no sound plays).
std::optional<ChooserView> chooserTitleClicked(ChooserView view, int entryCount);

/// The opened drop-down's view.
ChooserView chooserOpened(ChooserView view);
/// The closed drop-down's view (open arrow shown, close arrow hidden).
ChooserView chooserClosed(ChooserView view);

/// After a pick: closed; with fewer than two entries the open arrow shows only when the first
/// entry is not the active theme.
ChooserView chooserAfterPick(const QStringList &entries, const QString &activeTheme);

/// Whether a pick loads a theme: the name differs (case-sensitively) from the one shown.
bool pickChangesTheme(const QString &picked, const QString &shownTheme);

/// The drop-down's rectangle for `Image2`'s screen position and the number of entries:
/// left X − 70, top Y + 29, height entries × 13 + 12 but at most 300.
QRect dropDownRect(QPoint image2ScreenTopLeft, int entryCount, int width);

} // namespace tovalin::linkpanel
