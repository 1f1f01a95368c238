#pragma once
// The 200 link slots of the picture-link column and the operations that fill
// them from the active theme's files. The column's widgets show this model and
// listen to its signals; they keep no link state of their own.

#include "themes/bmp_codec.h"
#include "themes/link_panel_layout.h"
#include "themes/theme_files.h"

#include <QObject>
#include <array>
#include <functional>

namespace tovalin {

class ProgramState;

/// Whether LoadTheme puts the strip back at its first position.
enum class Scroll { ToTop, Keep };

/// One slot: the link record and its thumbnail (the centre 70 × 70 of the picture file).
struct LinkSlot {
    ThemeLink link;
    Bitmap picture;
    bool enabled = false; ///< a filled slot: picture clickable, frame shown

    bool isEmpty() const { return !enabled; }
};

class ThemeModel : public QObject {
    Q_OBJECT
public:
    static constexpr int kSlotCount = linkpanel::kSlotCount;

    explicit ThemeModel(ProgramState &state, QObject *parent = nullptr);

    /// The themes folder of the state's data folder.
    QString themesFolder() const;

    /// Slot n, 1 to 200; an out-of-range n gives an empty slot.
    const LinkSlot &slot(int n) const;
    /// Number of slots filled by the last load.
    int LinkCount() const { return m_linkCount; }
    /// The selected slot, −1 for none.
    int SelectedLink() const { return m_selectedLink; }
    /// How far the strip is scrolled up, in pixels (0 = first position).
    int scrollOffset() const { return m_scrollOffset; }

    /// Empties all 200 slots (as at start-up); LinkCount becomes 0, the selection none.
    void clearSlots();

    /// Fills the slots from name.llt: each line whose .kld exists and whose thumbnail loads takes
    /// the next slot; the others are left out. Old-form lists are converted first. Links beyond
    /// the 200th are ignored. A missing .llt empties every slot. Emits themeLoaded.
    void LoadTheme(const QString &name, Scroll scroll);

    /// Re-reads line `line` (0-based) of name.llt into slot line + 1 (after two links changed
    /// places); nothing happens when the .llt, the line or its .kld is missing, or line ≥ 200.
    void ReloadLinkSlot(const QString &name, int line);

    /// Makes a theme the active one in the order every caller keeps: set ActiveTheme, LoadTheme
    /// (scroll to top), then the site-list loader when one is set.
    void activateTheme(const QString &name);

    /// Called after each theme switch to load the theme's site lists (SiteLists::LoadSiteLists).
    void setSiteListLoader(std::function<void()> loader) { m_loadSiteLists = std::move(loader); }

    /// Marks slot n as selected (−1 or any number outside the filled slots clears the selection).
    /// Returns false when n is not a filled slot.
    bool setSelectedLink(int n);

    /// Scrolls the strip a page down or up for a link panel (`Panel6`) of that height.
    void scrollDown(int panelHeight);
    void scrollUp(int panelHeight);
    /// Puts every slot back at its first position.
    void scrollToTop();
    /// Moves the strip so that it is scrolled up by `offset` pixels (0 = first position).
    void scrollTo(int offset);

    /// The 0-based line of the theme's .llt that filled slot n shows; −1 for an empty slot.
    int lineOfSlot(int n) const;

    /// "Remove": deletes the .llt line that slot n shows; every later slot moves up one place with
    /// its record and picture, the last filled slot is emptied, LinkCount drops by one and the
    /// selection is cleared. The link's own files stay. False, with nothing changed, when n is not a
    /// filled slot or name.llt is missing, no longer matches the slots, or cannot be written.
    bool removeLink(const QString &name, int n);

    /// Exchanges the .llt lines of the filled slots a and b and with them the slots' contents.
    /// False, with nothing changed, under the same conditions as removeLink.
    bool exchangeLinks(const QString &name, int a, int b);

signals:
    /// LoadTheme finished for that theme (the theme label shows it; every slot may have changed).
    void themeLoaded(const QString &name);
    /// One slot's contents changed outside a full load.
    void slotChanged(int slot);
    /// The selection moved; either may be −1.
    void selectionChanged(int previous, int current);
    /// The strip moved; every slot's place follows the offset.
    void scrolled(int scrollOffset);

private:
    bool fillSlot(int n, const QString &id);
    void emptySlot(int n);
    void setScrollOffset(int offset);
    /// The .llt lines when they still hold slot n's ID at slot n's line; nullopt otherwise.
    std::optional<QStringList> linesMatching(const QString &name, int n) const;

    ProgramState &m_state;
    std::array<LinkSlot, kSlotCount + 1> m_slots; // index 0 unused, so slot numbers stay 1-based
    // The .llt line each slot shows: lines whose link cannot load are left out, so slot n need
    // not show line n − 1, and editing the list must touch the line the parent sees.
    std::array<int, kSlotCount + 1> m_lines{};
    int m_linkCount = 0;
    int m_selectedLink = -1;
    int m_scrollOffset = 0;
    std::function<void()> m_loadSiteLists;
};

} // namespace tovalin
