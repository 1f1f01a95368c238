#pragma once
// The three site lists of the active theme and the address tests.
//
// There is one set of lists, that of the active theme. Each list keeps its
// entries in case-insensitive sorted order, so an added entry takes its sorted
// place and the saved files are sorted. Changes are saved at once by the caller
// through SaveSiteLists.

#include "core/text_file.h"
#include "guard/address_match.h"
#include "guard/entry_store.h"
#include "guard/fragment_matcher.h"
#include "guard/site_matcher.h"

#include <QAbstractListModel>
#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <array>
#include <future>
#include <cstdint>
#include <optional>
#include <vector>

namespace tovalin {

class CategoryFilter;
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
    /// [Categories] Source: where category lists come from (category_update.h); UT1's download folder.
    QString CategorySource = QStringLiteral("https://dsi.ut-capitole.fr/blacklists/download/");

    /// Reads `[Vendor]` of the given file; a missing file or key keeps the default.
    static VendorSettings load(const QString &path);
    /// The file to read: $TOVALIN_VENDOR_INI, else programFolder + "resources/vendor.ini".
    static QString defaultPath(const QString &programFolder);
};

enum class SiteList { White, Black, Popup };

/// A sorted list's entries (UTF-8 in one buffer, entry_store.h) in their order, with the hash
/// table of exact-test keys (exactKey) of an exact list. Plain data: a worker builds one from
/// a file it read, and the list takes it over whole.
class SortedEntries {
public:
    /// Exact: the list answers containsKey (blacklist, pop-up list). Fragments: the entries
    /// only; the whitelist's test lives in its automaton (fragment_matcher.h).
    enum class Test { Exact, Fragments };

    explicit SortedEntries(Test test) : m_test(test) {}
    /// The entries read from a file (ids 0..n-1 in file order), sorted when inOrder is false,
    /// with their key table. Touches nothing shared: safe on any thread.
    static SortedEntries build(EntryStore entries, bool inOrder, Test test);
    Test test() const { return m_test; }

protected:
    using Id = EntryStore::Id;
    // How an entry's exact-test key relates to the entry itself.
    enum KeyForm : std::uint8_t {
        KeyIsEntry,      // the entry is its own key
        KeyIsHttpForm,   // an "https://" entry whose key is its "http://" form
        KeyElsewhere,    // kept in m_otherKeys
        NoKey,           // an empty line: inert
    };
    static constexpr std::uint32_t kFreeSlot = 0;
    static constexpr std::uint32_t kRemovedSlot = 0xFFFFFFFFu;

    void resetKeys();
    void remember(Id id);
    /// Sets the entry's key form; true when its key goes into the table.
    bool classify(Id id) { return classify(id, m_otherKeys); }
    /// Sets the entry's key form; a key kept elsewhere is counted in `otherKeys`.
    bool classify(Id id, QHash<QString, int> &otherKeys);
    void forget(Id id);
    size_t keyHash(Id id) const;
    bool keyEquals(Id id, QByteArrayView key) const;
    void insertSlot(Id id, size_t hash);
    void growSlots();

    Test m_test;
    EntryStore m_store;
    std::vector<Id> m_order;               // ids in the list's order
    std::vector<std::uint8_t> m_keyForm;   // per id
    std::vector<std::uint32_t> m_slots;    // open addressing over ids + 1 (KeyIsEntry, KeyIsHttpForm)
    // Beside each slot a byte of its key's hash (tagOf), 0 when the slot is free and 1 when its
    // entry left: a look-up walks these bytes, side by side in memory, and reads an entry only
    // when the byte is its key's.
    std::vector<std::uint8_t> m_tags;
    static constexpr std::uint8_t kFreeTag = 0;
    static constexpr std::uint8_t kRemovedTag = 1;
    static std::uint8_t tagOf(size_t hash) { return std::uint8_t(2 + (std::uint64_t(hash) >> 56) % 254); }
    qsizetype m_slotsTaken = 0;            // slots in use or removed
    QHash<QString, int> m_otherKeys;       // how often each other key occurs
};

/// One sorted list (case-insensitive order), shown as-is by the theme editor. The entries are
/// kept as UTF-8 in one buffer and become text only when asked for; an exact list (blacklist,
/// pop-up list) also keeps a hash table of its exact-test keys, so the test is one look-up
/// whatever the size of the list.
class SortedList : public QAbstractListModel, private SortedEntries {
    Q_OBJECT
public:
    using Test = SortedEntries::Test;
    using SortedEntries::test;

    explicit SortedList(QObject *parent = nullptr) : SortedList(Test::Exact, parent) {}
    explicit SortedList(Test test, QObject *parent = nullptr) : QAbstractListModel(parent), SortedEntries(test) {}
    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    /// A copy of the entries in order.
    QStringList items() const;
    QString at(qsizetype row) const { return m_store.text(m_order[std::size_t(row)]); }
    qsizetype size() const { return qsizetype(m_order.size()); }
    /// Exact (case-sensitive) membership of an entry as written.
    bool contains(const QString &entry) const;
    /// True when an entry's exact-test key (exactKey) equals key. Always false for a
    /// Fragments list.
    bool containsKey(const QString &key) const;

    /// Inserts at the sorted place (duplicates allowed, as a list box allows them); returns the row.
    int add(const QString &entry);
    /// Removes the entry at row.
    void removeAt(int row);
    /// Removes every entry equal (exactly) to entry; returns how many went.
    int removeAll(const QString &entry);
    void clear();
    /// Replaces the contents, sorting them.
    void setItems(const QStringList &items);
    /// Replaces the contents with entries read from a file (ids 0..n-1 in file order); they
    /// are sorted only when inOrder is false.
    void setEntries(EntryStore entries, bool inOrder);
    /// Replaces the contents with entries built for a list of the same test (SortedEntries::build).
    void adopt(SortedEntries built);

    /// The case-insensitive order the lists keep.
    static bool lessThan(const QString &a, const QString &b);
    /// Bytes the list takes (entries, order, key table).
    qsizetype memoryBytes() const;

private:
    qsizetype lowerRow(QByteArrayView utf8) const;
    qsizetype upperRow(QByteArrayView utf8) const;
    void compactIfWasteful();
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
    /// A list whose last save failed keeps its unsaved entries, also over a switch to another
    /// theme and back, until a save succeeds or Tovalin closes.
    void LoadSiteLists();
    /// Starts reading a theme's list files on a worker thread. The next LoadSiteLists takes a
    /// file's result from there when the file is still as it was (size and times); otherwise it
    /// reads the file itself. The worker also builds the list's order and key table, so that the
    /// load only takes it over. The start-up uses it to read a large list while the web engine
    /// starts.
    void readAhead(const QString &theme);
    /// Writes all three lists (all three are always attempted); the in-memory lists keep
    /// their contents when a write fails, and the next save writes them again. One failed save
    /// is told once (saveFailed), naming every file that failed; the result says the same.
    /// A list whose file existed but could not be read at the last load is not written,
    /// so its file is never replaced by an empty list.
    WriteResult SaveSiteLists();

    /// True when the whitelist does not allow the address. Its entries are fragments, or sites
    /// when the user's "Whitelist entries are sites" (WitSites) is on. While a list file of the active
    /// theme cannot be read, every address fails except the start page's site, the vendor's
    /// hosts and "about:blank", whatever the user's settings say. While the user's category
    /// lists cannot be applied (CategoryFilter::forcesWhitelist) the test is on whatever
    /// `Kindvriendelijk` says.
    bool IsNotWhitelisted(const QString &address) const;
    /// The name of the user's category list that refuses the address, empty when none does.
    /// The parent's own choices win over a maintained list: an address a whitelist entry
    /// allows, the start page's site and the always-passing addresses are never refused by it.
    QString refusingCategory(const QString &address) const;
    /// True when the parent allowed the address: a whitelist entry, the start page's site or an
    /// always-passing address (whatever `Kindvriendelijk` says).
    bool parentAllows(const QString &address) const;
    /// The user's category lists (null: none); they must outlive the lists.
    void setCategoryFilter(const CategoryFilter *categories) { m_categories = categories; }
    const CategoryFilter *categoryFilter() const { return m_categories; }
    /// True when a blacklist entry equals the address (exact test, address_match.h).
    bool IsBlacklisted(const QString &address) const;
    /// What a page loads: IsBlacklisted(address) || IsBlacklisted(its site root), with the
    /// address read once and no whitelist work (loads are not judged by the whitelist).
    bool IsBlacklistedLoad(const QString &address) const;
    /// True when a pop-up list entry equals the address (the blacklist's rules).
    bool IsPopupListed(const QString &address) const;
    /// Sorts the whitelist and drops every entry that allows nothing the entry just before it
    /// does not (each of its forms contains one of the other's, ASCII case folded, as the fragment
    /// test compares; as sites the same holds, a host that holds another being below it or the same).
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
    void listChanged();
    // What a list file looked like on disk when it was read or written.
    struct FileStamp {
        QString path;
        bool exists = false;
        bool folder = false;
        qint64 size = -1;
        QDateTime modified;
        QDateTime changed;
        bool operator==(const FileStamp &) const = default;
    };
    static FileStamp stampOf(const QString &path);
    struct ListWork;
    const ListWork &listWork(const QString &address) const;

    ProgramState &m_state;
    const UserProfile &m_profile;
    const CategoryFilter *m_categories = nullptr;
    VendorSettings m_vendor;
    QString m_shortenerFolded; // the shortener host, folded once for the per-navigation test
    SortedList m_white;
    SortedList m_black;
    SortedList m_popup;
    std::array<std::optional<FileStamp>, 3> m_stamps; // per list, as last read or written
    struct ReadAheadResult {
        ListFileRead read;
        std::optional<SortedEntries> built; // order and key table, when the read worked
        qint64 readMs = 0, buildMs = 0;     // for the log's timing marks
    };
    struct ReadAhead {
        FileStamp stamp; // the file as it was when the reading began
        std::future<ReadAheadResult> result;
    };
    std::array<std::optional<ReadAhead>, 3> m_readAhead;
    bool m_loading = false;                           // a change of a list comes from its file
    std::array<bool, 3> m_unreadable{}; // file existed but could not be read at the last load
    std::array<bool, 3> m_unsaved{};    // the last save of this list failed: it differs from its file
    QHash<QString, QStringList> m_unsavedOfOtherThemes; // theme + extension -> entries not yet saved
    QString m_loadedTheme;               // the theme the lists were last loaded for
    std::array<QString, 3> m_reportedFailure; // the load failure last told, per list
    std::array<QString, 3> m_loadProblem;     // why each list could not be read at the last load
    QString m_listProblem;

    // The whitelist's automaton (fragments) and site table (sites), each built again on the
    // first test after a change that needs it.
    mutable FragmentMatcher m_matcher;
    mutable bool m_matcherStale = true;
    mutable SiteMatcher m_siteMatcher;
    mutable bool m_siteMatcherStale = true;
    // The list work for the last address asked about: the pre-test and the decision of one
    // click ask about the same address, and only the first one does the work.
    struct ListWork {
        QString address;
        QString normal;
        QString folded;
        bool sites = false;      ///< the whitelist was read as sites
        bool whiteMatch = false; ///< an entry of the whitelist allows it
        bool blackKey = false;   ///< a blacklist entry equals it (exact test)
        bool popupKey = false;   ///< a pop-up list entry equals it
        quint64 generation = 0;
    };
    mutable ListWork m_work;
    // The start page's site read as an entry, kept while the start page stays the same.
    struct StartSite {
        QString startUrl; ///< the start page it was read from
        bool known = false;
        SiteEntry site;     ///< as a site entry
        QString fragment;   ///< as a fragment entry
        QStringList forms;  ///< the fragment's forms (whitelistEntryForms)
    };
    const StartSite &startSite() const;
    mutable StartSite m_startSite;
    quint64 m_generation = 1; // changes with every change of any list
};

} // namespace tovalin
