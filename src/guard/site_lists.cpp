#include "guard/site_lists.h"

#include "state/program_state.h"
#include "core/ini.h"
#include "core/text.h"
#include "guard/guard_log.h"
#include "users/user_profile.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>

namespace tovalin {

// ---------------------------------------------------------------- vendor

VendorSettings VendorSettings::load(const QString &path)
{
    VendorSettings v;
    const std::optional<IniDocument> ini = IniDocument::load(path);
    if (ini) {
        const QString section = QStringLiteral("Vendor");
        v.WebHost = ini->stringValue(section, QStringLiteral("WebHost"), v.WebHost);
        v.SecondHost = ini->stringValue(section, QStringLiteral("SecondHost"), v.SecondHost);
        v.ShortenerHost = ini->stringValue(section, QStringLiteral("ShortenerHost"), v.ShortenerHost);
        v.ThemePage = ini->stringValue(section, QStringLiteral("ThemePage"));
        v.VersionFile = ini->stringValue(section, QStringLiteral("VersionFile"));
        v.UpdateKey = ini->stringValue(section, QStringLiteral("UpdateKey")).trimmed();
    } else {
        qCWarning(lcGuard) << "vendor settings unreadable, using defaults:" << path;
    }
    // The two addresses follow the web host unless the file names them.
    if (v.ThemePage.isEmpty())
        v.ThemePage = QStringLiteral("http://") + v.WebHost + QStringLiteral("/themas/themas.php");
    if (v.VersionFile.isEmpty())
        v.VersionFile = QStringLiteral("http://") + v.WebHost + QStringLiteral("/thuisversie_eng.txt");
    return v;
}

QString VendorSettings::defaultPath(const QString &programFolder)
{
    const QString env = qEnvironmentVariable("TOVALIN_VENDOR_INI");
    if (!env.isEmpty())
        return env;
    return programFolder + QStringLiteral("resources/vendor.ini");
}

// ---------------------------------------------------------------- sorted list

bool SortedList::lessThan(const QString &a, const QString &b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

int SortedList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_items.size());
}

QVariant SortedList::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_items.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return m_items.at(index.row());
    return {};
}

int SortedList::add(const QString &entry)
{
    // After every entry that sorts equal, so entries keep the order they were added in.
    const auto it = std::upper_bound(m_items.cbegin(), m_items.cend(), entry, &SortedList::lessThan);
    const int row = int(it - m_items.cbegin());
    beginInsertRows({}, row, row);
    m_items.insert(row, entry);
    m_upper.insert(row, entry.toUpper());
    ++m_exact[entry];
    endInsertRows();
    return row;
}

void SortedList::removeAt(int row)
{
    if (row < 0 || row >= m_items.size())
        return;
    beginRemoveRows({}, row, row);
    forget(m_items.at(row));
    m_items.removeAt(row);
    m_upper.removeAt(row);
    endRemoveRows();
}

int SortedList::removeAll(const QString &entry)
{
    int removed = 0;
    for (int row = int(m_items.size()) - 1; row >= 0; --row) {
        if (m_items.at(row) == entry) {
            removeAt(row);
            ++removed;
        }
    }
    return removed;
}

void SortedList::clear()
{
    if (m_items.isEmpty())
        return;
    beginResetModel();
    m_items.clear();
    m_upper.clear();
    m_exact.clear();
    endResetModel();
}

void SortedList::setItems(const QStringList &items)
{
    QStringList sorted = items;
    std::stable_sort(sorted.begin(), sorted.end(), &SortedList::lessThan);
    beginResetModel();
    m_items = std::move(sorted);
    rebuildCaches();
    endResetModel();
}

void SortedList::rebuildCaches()
{
    m_upper.clear();
    m_upper.reserve(m_items.size());
    m_exact.clear();
    for (const QString &item : std::as_const(m_items)) {
        m_upper.append(item.toUpper());
        ++m_exact[item];
    }
}

void SortedList::forget(const QString &entry)
{
    const auto it = m_exact.find(entry);
    if (it == m_exact.end())
        return;
    if (--it.value() <= 0)
        m_exact.erase(it);
}

// ---------------------------------------------------------------- site lists

namespace {

QString extensionOf(SiteList which)
{
    switch (which) {
    case SiteList::White: return QStringLiteral(".kvu");
    case SiteList::Black: return QStringLiteral(".kou");
    case SiteList::Popup: return QStringLiteral(".kpu");
    }
    return {};
}

constexpr SiteList kAllLists[] = {SiteList::White, SiteList::Black, SiteList::Popup};

} // namespace

SiteLists::SiteLists(ProgramState &state, const UserProfile &profile, VendorSettings vendor, QObject *parent)
    : QObject(parent)
    , m_state(state)
    , m_profile(profile)
    , m_vendor(std::move(vendor))
{
    m_white.setObjectName(QStringLiteral("ListBox2"));
    m_black.setObjectName(QStringLiteral("ListBox3"));
    m_popup.setObjectName(QStringLiteral("ListBox4"));
    m_vendorUpper.webHost = m_vendor.WebHost.toUpper();
    m_vendorUpper.secondHost = m_vendor.SecondHost.toUpper();
    m_vendorUpper.shortener = m_vendor.ShortenerHost.toUpper();
}

SortedList &SiteLists::list(SiteList which)
{
    switch (which) {
    case SiteList::White: return m_white;
    case SiteList::Black: return m_black;
    case SiteList::Popup: return m_popup;
    }
    return m_white;
}

const SortedList &SiteLists::list(SiteList which) const
{
    return const_cast<SiteLists *>(this)->list(which);
}

QString SiteLists::fileOf(SiteList which) const
{
    return m_state.themesFolder() + u'/' + m_state.activeTheme() + extensionOf(which);
}

void SiteLists::LoadSiteLists()
{
    for (const SiteList which : kAllLists) {
        const QString path = fileOf(which);
        m_unreadable[indexOf(which)] = false;
        const ReadResult r = readFileBytes(path);
        if (r.ok()) {
            list(which).setItems(splitLines(decodeText(r.bytes)));
            m_reportedFailure[indexOf(which)].clear();
            continue;
        }
        list(which).clear();
        if (r.error == ReadError::Missing) {
            m_reportedFailure[indexOf(which)].clear();
            continue;
        }
        // The file is there but cannot be used: keep it untouched, so a later save
        // cannot replace the parent's list with an empty one.
        m_unreadable[indexOf(which)] = true;
        const QString reason = r.error == ReadError::TooLarge
            ? QCoreApplication::translate("SiteLists", "the file is too large")
            : QCoreApplication::translate("SiteLists", "the file cannot be read");
        const QString message = QCoreApplication::translate("SiteLists", "The list file %1 could not be loaded: %2.")
                                    .arg(path, reason);
        qCWarning(lcGuard) << message;
        // The lists are loaded again each time the window is activated, and closing the
        // message activates it: the same failure is told once, not in an endless row.
        if (m_reportedFailure[indexOf(which)] == message)
            continue;
        m_reportedFailure[indexOf(which)] = message;
        emit loadFailed(message);
    }
    qCDebug(lcGuard) << "site lists loaded for theme" << m_state.activeTheme() << "white" << m_white.size()
                     << "black" << m_black.size() << "popup" << m_popup.size();
    emit listsLoaded();
}

WriteResult SiteLists::SaveSiteLists()
{
    WriteResult first;
    for (const SiteList which : kAllLists) {
        const QString path = fileOf(which);
        WriteResult r;
        if (m_unreadable[indexOf(which)])
            r = {false, QCoreApplication::translate("SiteLists", "the file could not be read when the lists were loaded, so it is left unchanged")};
        else
            r = writeLines(path, list(which).items());
        if (r.ok)
            continue;
        const QString message = QCoreApplication::translate("SiteLists", "The list file %1 could not be saved: %2.")
                                    .arg(path, r.error);
        qCWarning(lcGuard) << message;
        emit saveFailed(message);
        if (first.ok)
            first = {false, message};
    }
    return first;
}

bool SiteLists::isAlwaysPassing(const QString &address) const
{
    return isAlwaysPassingUpper(address.toUpper());
}

bool SiteLists::isAlwaysPassingUpper(const QString &upperAddress) const
{
    // Every navigation asks this, so the fixed texts are upper-cased once, here.
    static const QString aboutBlank = QStringLiteral("ABOUT:BLANK");
    static const QString javascript = QStringLiteral("JAVASCRIPT");
    const auto has = [&upperAddress](const QString &upperFragment) {
        return !upperFragment.isEmpty() && upperAddress.contains(upperFragment);
    };
    return has(m_vendorUpper.webHost) || has(m_vendorUpper.secondHost) || has(aboutBlank) || has(javascript)
        || has(m_state.localHomePage().toUpper());
}

bool SiteLists::IsNotWhitelisted(const QString &address) const
{
    if (!m_profile.Kindvriendelijk)
        return false;

    bool missing = true;
    // Entries are fragments found anywhere in the address, in any letter case. The
    // entries are kept upper-cased, so only the address is upper-cased per test; the
    // walk may stop at the first match because a match only ever clears `missing`.
    const QString upper = address.toUpper();
    for (const QString &entry : m_white.upperItems()) {
        if (!entry.isEmpty() && upper.contains(entry)) {
            missing = false;
            break;
        }
    }
    // The start page's own site always passes. siteOf understands "https://" too, so a
    // secure start page lets its site through instead of contributing an empty fragment.
    if (missing) {
        const QString startSite = siteOf(m_profile.StartURL).toUpper();
        if (!startSite.isEmpty() && upper.contains(startSite))
            missing = false;
    }
    if (missing && isAlwaysPassingUpper(upper))
        missing = false;
    // The shortener hides where a link leads, so it never passes, whatever else matched.
    if (!m_vendorUpper.shortener.isEmpty() && upper.contains(m_vendorUpper.shortener))
        missing = true;
    return missing;
}

bool SiteLists::isListed(const SortedList &list, const QString &address) const
{
    if (!m_profile.Kindonvriendelijk)
        return false;
    // An entry matches the address exactly or with one "/" added. Empty lines are inert.
    bool found = !address.isEmpty() && list.contains(address);
    if (!found && address.size() > 1 && address.endsWith(u'/'))
        found = list.contains(address.chopped(1));
    if (found && isAlwaysPassing(address))
        found = false;
    return found;
}

bool SiteLists::IsBlacklisted(const QString &address) const
{
    return isListed(m_black, address);
}

bool SiteLists::IsPopupListed(const QString &address) const
{
    return isListed(m_popup, address);
}

void SiteLists::CompactWhitelist()
{
    QStringList items = m_white.items();
    std::stable_sort(items.begin(), items.end(), &SortedList::lessThan);
    // From the end down, so each entry is compared with its sorted predecessor as the
    // list stands after the removals behind it.
    for (qsizetype i = items.size() - 1; i >= 1; --i) {
        if (ContainsText(items.at(i), items.at(i - 1)))
            items.removeAt(i);
    }
    if (items != m_white.items())
        m_white.setItems(items);
}

} // namespace tovalin
