#pragma once
// The parents' commands that edit the active theme's lists while surfing:
// accept the addresses the guard just refused, block the page on show, put
// the parents' address on the whitelist or the blacklist, and the accept
// window `Ttoevoeger` that lists every address of the last navigation
// sequence with the guard's verdict.
//
// Match rule of every command here: a list entry matches an address when it
// equals the address, or the entry followed by "/" equals it (exact case).
// Every change is saved at once through SaveSiteLists; a failed save is told
// by SiteLists::saveFailed and the in-memory lists keep the change.

#include <QAbstractListModel>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace tovalin {

class Browser;
class NavigationModel;
class SiteLists;
class SortedList;

/// What the commands do to the visible browser and read from the main window.
struct BrowserActions {
    std::function<void(const QString &address)> navigate;
    std::function<void()> goBack;
    /// The visible browser's location.
    std::function<QString()> location;
    /// The child's address field `Edit1`: where an accept with no address goes.
    std::function<QString()> childAddress;

    /// Actions on a real browser, with the child's address field read through childAddress.
    static BrowserActions of(Browser &browser, std::function<QString()> childAddress);
};

/// True when entry equals address or entry + "/" equals address (exact, case-sensitive).
bool entryMatches(const QString &entry, const QString &address);
/// The address less one final "/", as blocked addresses are stored.
QString withoutFinalSlash(const QString &address);
/// One level up (`XiButton1`): the text cut after its last "/" that lies after the scheme
/// ("http://", "https://", ...) and past the eighth character, never at the very end;
/// nullopt when there is no such "/" (the text stays and the list commands stay hidden).
std::optional<QString> oneLevelUp(const QString &text);
/// entry + " has already been added to the blacklist. "
QString alreadyBlacklistedText(const QString &entry);

/// The outcome of a command: what changed and what to show.
struct ListEditResult {
    bool changed = false;          ///< the lists changed (and were saved)
    bool showAcceptWindow = false; ///< several refusals: the accept window is to be shown, nothing changed
    QStringList messages;          ///< texts to show, in order
};

/// What an allow changed in one theme's lists, so that an allow for today only can be undone.
struct AllowChange {
    bool whitelistAdded = false;    ///< the entry was added (no equal entry was listed)
    QStringList whitelistCompacted; ///< entries the whitelist's compaction dropped
    QStringList blacklistRemoved;   ///< the blacklist entries that refused the address
};
/// Allows an address through a whitelist entry (the address itself, or its site): the entry is
/// added unless an equal one is listed, the whitelist compacted as the list page does, and every
/// blacklist entry that refuses the address (the blacklist's own test) taken off. Saves nothing.
AllowChange allowInLists(SiteLists &lists, const QString &entry, const QString &address);
/// Undoes an allow: the entry taken off once, the entries it dropped put back where missing.
/// Saves nothing.
void undoAllowInLists(SiteLists &lists, const QString &entry, const AllowChange &change);
/// The list change of "Block": reported when a blacklist entry matches; else every matching
/// whitelist entry is removed and the address less a final "/" added to the blacklist. Saves nothing.
ListEditResult blockInLists(SiteLists &lists, const QString &address);

class BlockAccept : public QObject {
    Q_OBJECT
public:
    /// After allowing: whether the navigation indicator returns to "ready".
    enum class AfterAllow { KeepNavState, SetReady };
    /// After blocking: whether the visible browser goes back one page.
    enum class AfterBlock { Stay, GoBack };

    BlockAccept(SiteLists &lists, NavigationModel &navigation, BrowserActions browser, QObject *parent = nullptr);

    /// `accepteerblokkeer`: "Allow blocked site" accepts the refused addresses, "Block active site"
    /// blocks the page shown; chosen by the navigation model's caption.
    ListEditResult accepteerblokkeer();
    /// "Allow blocked site": several refusals open the accept window; one is whitelisted; each loses
    /// its first matching blacklist entry; saved; the browser reloads the first (or `Edit1`);
    /// refused list emptied; "ready".
    ListEditResult allowRefused();
    /// "Block active site": the browser's location is blocked and the browser goes back.
    ListEditResult blockActiveSite();
    /// "Add to whitelist" (`Label41`) with the parents' address field: ignored when a whitelist entry
    /// matches or the text is blank; else added, the last matching blacklist entry removed, saved,
    /// refused list emptied.
    ListEditResult addToWhitelist(const QString &text);
    /// "Add to blacklist" (`Label37`) with the parents' address field: blocks it, staying on the page.
    ListEditResult addToBlacklist(const QString &text);

    /// Allow one address (accept window and quick menu): a non-blank address is added to the whitelist
    /// (duplicates and all), its first matching blacklist entry removed, saved; the browser goes to it
    /// (to `Edit1` when blank); the refused list is emptied.
    ListEditResult allowAddress(const QString &address, AfterAllow after);
    /// Block one address: reported when a blacklist entry matches; else every matching whitelist
    /// entry is removed, the address less a final "/" added to the blacklist, saved.
    ListEditResult blockAddress(const QString &address, AfterBlock after);

    /// The guard's verdict on an address: neither the whitelist test nor the blacklist test refuses it.
    bool passes(const QString &address) const;

    SiteLists &lists() { return m_lists; }
    const BrowserActions &browser() const { return m_browser; }
    NavigationModel &navigation() { return m_navigation; }

signals:
    /// Several refusals: show the accept window.
    void acceptWindowRequested();
    /// The lists changed: views that colour addresses by verdict repaint.
    void listsEdited();

private:
    void save();

    SiteLists &m_lists;
    NavigationModel &m_navigation;
    BrowserActions m_browser;
};

/// The accept window's list `navlijst`: the addresses of the current navigation sequence with their
/// verdicts, the selection and the button `btnAccept` ("Allow" or "Block").
class AcceptListModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role { PassesRole = Qt::UserRole + 1 };

    AcceptListModel(BlockAccept &commands, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    /// DisplayRole: the address; PassesRole: true when the guard lets it pass (drawn green, else red).
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    /// `navlijstClick`: selects a row; the button reads "Block" when its address passes, "Allow" otherwise.
    void select(int row);
    int selectedRow() const { return m_selected; }
    /// `btnAccept`'s caption; "Allow" at start.
    const QString &buttonCaption() const { return m_caption; }

    /// `btnAcceptClick` on the selected address (nothing without a selection). "Allow" allows it and
    /// turns the button to "Block"; "Block" blocks it, goes back and turns the button to "Allow".
    ListEditResult activate();

    static QString allowText();
    static QString blockText();

signals:
    void buttonCaptionChanged(const QString &caption);
    void selectionChanged(int row);

private:
    void setCaption(const QString &caption);
    void repaint();

    BlockAccept &m_commands;
    int m_selected = -1;
    QString m_caption;
};

} // namespace tovalin
