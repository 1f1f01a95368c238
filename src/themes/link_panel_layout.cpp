#include "themes/link_panel_layout.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

namespace tovalin::linkpanel {

int roundHalfEven(int numerator, int denominator)
{
    if (denominator == 0)
        return 0;
    const double v = double(numerator) / double(denominator);
    const double f = std::floor(v);
    const double diff = v - f;
    if (diff < 0.5)
        return int(f);
    if (diff > 0.5)
        return int(f) + 1;
    return std::fmod(f, 2.0) == 0.0 ? int(f) : int(f) + 1;
}

// C++ integer division truncates toward zero, as Trunc does.
int frameLeft(int columnWidth)
{
    return (columnWidth - kFrameSize) / 2 + 2;
}

int pictureLeft(int columnWidth)
{
    return (columnWidth - 76) / 2 + kPictureInset;
}

QRect frameRect(int slot, int scrollOffset, int columnWidth)
{
    return QRect(frameLeft(columnWidth), (slot - 1) * kSlotPitch - scrollOffset, kFrameSize, kFrameSize);
}

QRect pictureRect(int slot, int scrollOffset, int columnWidth)
{
    return QRect(pictureLeft(columnWidth), slot * kSlotPitch - 75 - scrollOffset, kPictureSize, kPictureSize);
}

int pageHeight(int panelHeight)
{
    return panelHeight <= 0 ? 0 : (panelHeight / kSlotPitch) * kSlotPitch;
}

int scrollDown(int scrollOffset, int panelHeight, int linkCount)
{
    if (linkCount <= 0)
        return scrollOffset;
    if (frameRect(linkCount, scrollOffset).top() <= panelHeight)
        return scrollOffset;
    return scrollOffset + pageHeight(panelHeight);
}

int scrollUp(int scrollOffset, int panelHeight)
{
    // T, the top of picture 1; the strip is scrolled at all when T < 5.
    const int t = pictureRect(1, scrollOffset).top();
    if (panelHeight + t < kPictureInset)
        return std::max(0, scrollOffset - pageHeight(panelHeight));
    if (t < kPictureInset)
        return 0;
    return scrollOffset;
}

PanelGeometry resizeBrowserPanel(QSize requested, QSize page)
{
    PanelGeometry g;
    int w = requested.width();
    int h = requested.height();
    g.fillsPage = !(w < page.width() || h < page.height());
    w = std::max(std::min(w, page.width()), kMinPanelWidth);
    h = std::max(std::min(h, page.height()), kMinPanelHeight);
    g.rect = QRect(roundHalfEven(page.width() - w, 2), roundHalfEven(page.height() - h, 2), w, h);
    return g;
}

QSize requestedPanelSize(int hoogte, int breedte, QSize page, QSize currentPanel)
{
    auto pick = [](int wanted, int pageSize, int panelSize) {
        if (wanted <= -1)
            return pageSize;
        return pageSize < panelSize ? pageSize : wanted;
    };
    return QSize(pick(breedte, page.width(), currentPanel.width()),
                 pick(hoogte, page.height(), currentPanel.height()));
}

PanelGeometry panelForLink(int hoogte, int breedte, QSize page, QSize currentPanel)
{
    return resizeBrowserPanel(requestedPanelSize(hoogte, breedte, page, currentPanel), page);
}

int panelGap(int pageHeight, int panelTop, int panelHeight)
{
    return pageHeight - panelTop - panelHeight;
}

QSize panelSizeAfterPageResize(QSize panel, bool fillsPage, int panelGap, QSize page)
{
    if (fillsPage)
        return page;
    if (panelGap == 0)
        return QSize(panel.width(), page.height());
    if (page.height() < panel.height())
        return QSize(panel.width(), page.height() - 1);
    return panel;
}

QSize linkSizeFromPanel(QSize panel, QSize page)
{
    return QSize(panel.width() == page.width() ? -1 : panel.width(),
                 panel.height() == page.height() ? -1 : panel.height());
}

Rgb frameFill(int slot, int hoveredSlot, int selectedSlot)
{
    if (slot == hoveredSlot)
        return kFrameMouseOver;
    if (slot == selectedSlot)
        return kFrameSelected;
    return kFrameNormal;
}

bool showsHint(bool toonHint, const QString &hint)
{
    return toonHint && !hint.trimmed().isEmpty();
}

QPoint hintPosition(const QRect &frame, QPoint panelScreenTopLeft)
{
    return QPoint(frame.left() + panelScreenTopLeft.x() + frame.width(),
                  roundHalfEven(frame.height(), 2) + frame.top() + panelScreenTopLeft.y() - 12);
}

QString themeTitle(const QString &activeTheme)
{
    return QCoreApplication::translate("LinkPanel", "Theme") + QStringLiteral(": ") + activeTheme;
}

QStringList chooserEntries(const QStringList &themeNames, const QStringList &allowedThemes)
{
    QStringList out;
    for (const QString &name : themeNames) {
        const QString upper = name.toUpper();
        const bool allowed = std::any_of(allowedThemes.begin(), allowedThemes.end(),
                                         [&](const QString &a) { return a.toUpper() == upper; });
        if (allowed)
            out.append(name);
    }
    return out;
}

ChooserView chooserAfterFill(ChooserView view, const QStringList &entries, const QString &activeTheme)
{
    view.dropDownOpen = false;
    if (entries.isEmpty()) {
        // Nothing to choose from: an arrow would open an empty list.
        view.openArrowVisible = false;
        view.closeArrowVisible = false;
        return view;
    }
    view.openArrowVisible = entries.size() > 1 || entries.first() != activeTheme;
    view.closeArrowVisible = false;
    return view;
}

QString defaultActiveTheme(const QString &activeTheme, const QStringList &entries)
{
    if (activeTheme.isEmpty() && !entries.isEmpty())
        return entries.first();
    return activeTheme;
}

std::optional<ChooserView> chooserTitleClicked(ChooserView view, int entryCount)
{
    if (entryCount <= 1)
        return std::nullopt;
    return view.dropDownOpen ? chooserClosed(view) : chooserOpened(view);
}

ChooserView chooserOpened(ChooserView view)
{
    view.dropDownOpen = true;
    view.openArrowVisible = false;
    view.closeArrowVisible = true;
    return view;
}

ChooserView chooserClosed(ChooserView view)
{
    view.dropDownOpen = false;
    view.openArrowVisible = true;
    view.closeArrowVisible = false;
    return view;
}

ChooserView chooserAfterPick(const QStringList &entries, const QString &activeTheme)
{
    ChooserView view = chooserClosed(ChooserView{});
    if (entries.size() < 2)
        view.openArrowVisible = !entries.isEmpty() && entries.first() != activeTheme;
    return view;
}

bool pickChangesTheme(const QString &picked, const QString &shownTheme)
{
    return picked != shownTheme;
}

QRect dropDownRect(QPoint image2ScreenTopLeft, int entryCount, int width)
{
    const int height = std::min(std::max(entryCount, 0) * kChooserItemHeight + 12, kChooserMaxHeight);
    return QRect(image2ScreenTopLeft.x() - 70, image2ScreenTopLeft.y() + 29, width, height);
}

} // namespace tovalin::linkpanel
