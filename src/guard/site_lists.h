#pragma once
// The three site lists of the active theme and the address tests.
//
// There is one set of lists, that of the active theme. Each list keeps its
// entries in case-insensitive sorted order, so an added entry takes its sorted
// place and the saved files are sorted. Changes are saved at once by the caller
// through SaveSiteLists.

#include "core/text_file.h"
#include "guard/address_match.h"

#include <QAbstractListModel>
#include <QHash>
#include <QString>
#include <QStringList>
#include <array>

namespace tovalin {

class ProgramState;
struct UserProfile;

/// The always-passing texts and the URL-shortening host, from vendor.ini.
struct VendorSettings {
    QString WebHost = QStringLiteral("www.tovalin.example");
    QString SecondHost = QStringLiteral("tovalin.example");
    QString ShortenerHost = QStringLiteral("tinyurl.com");
    QString ThemePage;   ///< defaults to "http://" + WebHost + "/themas/themas.php"
    QString VersionFile; ///< defaults to "http://" + WebHost + "/thuisversie_eng.txt"
    QString UpdateKey;   ///< the vendor's Ed25519 public key (base64) that signs installers; none: no updates

    /// Reads `[Vendor]` of the given file; a missing file or key keeps the default.
    static VendorSettings load(const QString &path);
    /// The file to read: $TOVALIN_VENDOR_INI, else programFolder + "resources/vendor.ini".
    static QString defaultPath(const QString &programFolder);
};

enum class SiteList { White, Black, Popup };

/// One sorted list (case-insensitive order), shown as-is by the theme editor. Besides the
/// entries as written it keeps, row for row, what the address tests compare (address_match.h).
class SortedList : public QAbstractListModel {
    Q_OBJECT
public:
    explicit SortedList(QObject *parent = nullptr) : QAbstractListModel(parent) {}
    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    const QStringList &items() const { return m_items; }
    qsizetype size() const { return m_items.size(); }
    /// Exact (case-sensitive) membership of an entry as written.
    bool contains(const QString &entry) const { return m_exact.contains(entry); }
    /// True when an entry's exact-test key (exactKey) equals key.
    bool containsKey(const QString &key) const { return m_keys.contains(key); }

    /// What the fragment test compares, per row: the entry with ASCII case folded, its
    /// http/https twin folded (empty when it has none), and whether it is looked for in the
    /// whole address (it holds a "?") rather than before the query.
    struct FragmentForm {
        QString folded;
        QString foldedTwin;
        bool wholeAddress = false;
    };
    const QList<FragmentForm> &fragmentForms() const { return m_fragments; }
    /// Inserts at the sorted place (duplicates allowed, as a list box allows them); returns the row.
    int add(const QString &entry);
    /// Removes the entry at row.
    void removeAt(int row);
    /// Removes every entry equal (exactly) to entry; returns how many went.
    int removeAll(const QString &entry);
    void clear();
    /// Replaces the contents, sorting them.
    void setItems(const QStringList &items);

    /// The case-insensitive order the lists keep.
    static bool lessThan(const QString &a, const QString &b);

private:
    void rebuildCaches();
    void remember(const QString &entry);
    void forget(const QString &entry);

    static FragmentForm fragmentFormOf(const QString &entry);

    QStringList m_items;
    QList<FragmentForm> m_fragments; // row for row, so a test folds only the address
    QHash<QString, int> m_exact;     // how often each entry occurs as written
    QHash<QString, int> m_keys;      // how often each exact-test key occurs
};

class SiteLists : public QObject {
    Q_OBJECT
public:
    SiteLists(ProgramState &state, const UserProfile &profile, VendorSettings vendor, QObject *parent = nullptr);

    SortedList &list(SiteList which);
    const SortedList &list(SiteList which) const;
    SortedList &whitelist() { return m_white; }
    SortedList &blacklist() { return m_black; }
    SortedList &popuplist() { return m_popup; }

    /// The file of a list of the active theme: themes folder + theme + ".kvu"/".kou"/".kpu".
    QString fileOf(SiteList which) const;

    /// Fills the three lists from the active theme's files; a missing file is an empty list.
    /// A list whose last save failed keeps its unsaved entries while the theme stays the same,
    /// so the change stays in force until a save succeeds.
    void LoadSiteLists();
    /// Writes all three lists (all three are always attempted); the in-memory lists keep
    /// their contents when a write fails, and the next save writes them again. One failed save
    /// is told once (saveFailed), naming every file that failed; the result says the same.
    /// A list whose file existed but could not be read at the last load is not written,
    /// so its file is never replaced by an empty list.
    WriteResult SaveSiteLists();

    /// True when the whitelist does not allow the address. While a list file of the active
    /// theme cannot be read, every address fails except the start page's site, the vendor's
    /// hosts and "about:blank", whatever the user's settings say.
    bool IsNotWhitelisted(const QString &address) const;
    /// True when a blacklist entry equals the address (exact test, address_match.h).
    bool IsBlacklisted(const QString &address) const;
    /// True when a pop-up list entry equals the address (the blacklist's rules).
    bool IsPopupListed(const QString &address) const;
    /// Sorts the whitelist and drops every entry that contains the entry just before it
    /// (ASCII case folded, as the whitelist test compares).
    void CompactWhitelist();

    /// True when the address always passes (isAlwaysPassing of address_match.h).
    bool isAlwaysPassing(const QString &address) const;
    /// True when the engine may show the address at all (engineShowsAddress of address_match.h).
    bool engineShows(const QString &address) const;

    /// True while a list file of the active theme exists but cannot be read: the guard fails closed.
    bool failingClosed() const;
    /// Why the guard fails closed (which file, why), empty while every list could be read.
    const QString &listProblem() const { return m_listProblem; }

    const VendorSettings &vendor() const { return m_vendor; }

signals:
    void listsLoaded();
    /// A save failed; the message names every file that could not be saved and why.
    void saveFailed(const QString &message);
    /// A list file exists but could not be read (unreadable, too large, a folder in its place);
    /// the list stays empty and the guard fails closed. Told once per failure: loading the same
    /// unusable file again stays silent until it has loaded (or gone) in between.
    void loadFailed(const QString &message);
    /// listProblem() changed (empty: every list could be read again).
    void listProblemChanged(const QString &problem);

private:
    bool isListed(const SortedList &list, const QString &address) const;
    static int indexOf(SiteList which) { return static_cast<int>(which); }
    AlwaysPassing alwaysPassingTexts() const;
    bool startSiteMatches(const QString &normalAddress) const;
    void setListProblem(const QString &problem);

    ProgramState &m_state;
    const UserProfile &m_profile;
    VendorSettings m_vendor;
    QString m_shortenerFolded; // the shortener host, folded once for the per-navigation test
    SortedList m_white;
    SortedList m_black;
    SortedList m_popup;
    std::array<bool, 3> m_unreadable{}; // file existed but could not be read at the last load
    std::array<bool, 3> m_unsaved{};    // the last save of this list failed: it differs from its file
    QString m_loadedTheme;               // the theme the lists were last loaded for
    std::array<QString, 3> m_reportedFailure; // the load failure last told, per list
    std::array<QString, 3> m_loadProblem;     // why each list could not be read at the last load
    QString m_listProblem;
};

} // namespace tovalin
