#pragma once
// The three site lists of the active theme and the address tests.
//
// There is one set of lists, that of the active theme. Each list keeps its
// entries in case-insensitive sorted order, so an added entry takes its sorted
// place and the saved files are sorted. Changes are saved at once by the caller
// through SaveSiteLists.

#include "core/text_file.h"

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

/// One sorted list (case-insensitive order), shown as-is by the theme editor.
class SortedList : public QAbstractListModel {
    Q_OBJECT
public:
    explicit SortedList(QObject *parent = nullptr) : QAbstractListModel(parent) {}
    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    const QStringList &items() const { return m_items; }
    qsizetype size() const { return m_items.size(); }
    /// Exact (case-sensitive) membership.
    bool contains(const QString &entry) const { return m_exact.contains(entry); }
    /// The upper-cased entries, row for row, for the fragment test.
    const QStringList &upperItems() const { return m_upper; }
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
    void forget(const QString &entry);

    QStringList m_items;
    QStringList m_upper;          // m_items upper-cased, so a test upper-cases only the address
    QHash<QString, int> m_exact;  // how often each exact entry occurs, for the equality tests
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
    void LoadSiteLists();
    /// Writes all three lists (all three are always attempted); the in-memory lists keep
    /// their contents when a write fails. The result names the first failure.
    /// A list whose file existed but could not be read at the last load is not written,
    /// so its file is never replaced by an empty list.
    WriteResult SaveSiteLists();

    bool IsNotWhitelisted(const QString &address) const;
    bool IsBlacklisted(const QString &address) const;
    bool IsPopupListed(const QString &address) const;
    /// Sorts the whitelist and drops every entry that contains the entry just before it.
    void CompactWhitelist();

    /// True when the address contains one of the always-passing texts.
    bool isAlwaysPassing(const QString &address) const;

    const VendorSettings &vendor() const { return m_vendor; }

signals:
    void listsLoaded();
    /// A save failed; the message says which file and why.
    void saveFailed(const QString &message);
    /// A list file exists but could not be read (unreadable, too large); the list stays empty.
    /// Told once per failure: loading the same unusable file again stays silent until it
    /// has loaded (or gone) in between.
    void loadFailed(const QString &message);

private:
    bool isListed(const SortedList &list, const QString &address) const;
    static int indexOf(SiteList which) { return static_cast<int>(which); }
    bool isAlwaysPassingUpper(const QString &upperAddress) const;

    ProgramState &m_state;
    const UserProfile &m_profile;
    VendorSettings m_vendor;
    struct {
        QString webHost, secondHost, shortener;
    } m_vendorUpper; // the vendor's texts upper-cased once, for the per-navigation tests
    SortedList m_white;
    SortedList m_black;
    SortedList m_popup;
    std::array<bool, 3> m_unreadable{}; // file existed but could not be read at the last load
    std::array<QString, 3> m_reportedFailure; // the load failure last told, per list
};

} // namespace tovalin
