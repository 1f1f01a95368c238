#include "guard/site_lists.h"

#include "state/program_state.h"
#include "core/ini.h"
#include "core/text.h"
#include "guard/address_match.h"
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
    m_fragments.insert(row, fragmentFormOf(entry));
    remember(entry);
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
    m_fragments.removeAt(row);
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
    m_fragments.clear();
    m_exact.clear();
    m_keys.clear();
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

SortedList::FragmentForm SortedList::fragmentFormOf(const QString &entry)
{
    FragmentForm form;
    form.folded = foldCase(entry);
    form.foldedTwin = foldCase(otherWebScheme(entry));
    form.wholeAddress = entry.contains(u'?');
    return form;
}

void SortedList::rebuildCaches()
{
    m_fragments.clear();
    m_fragments.reserve(m_items.size());
    m_exact.clear();
    m_keys.clear();
    for (const QString &item : std::as_const(m_items)) {
        m_fragments.append(fragmentFormOf(item));
        remember(item);
    }
}

void SortedList::remember(const QString &entry)
{
    ++m_exact[entry];
    // Empty lines are inert: they never equal an address.
    if (!entry.isEmpty())
        ++m_keys[exactKey(entry)];
}

void SortedList::forget(const QString &entry)
{
    const auto drop = [](QHash<QString, int> &counts, const QString &key) {
        const auto it = counts.find(key);
        if (it == counts.end())
            return;
        if (--it.value() <= 0)
            counts.erase(it);
    };
    drop(m_exact, entry);
    if (!entry.isEmpty())
        drop(m_keys, exactKey(entry));
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
    m_shortenerFolded = foldCase(m_vendor.ShortenerHost);
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
    const QString theme = m_state.activeTheme();
    const bool sameTheme = theme == m_loadedTheme;
    m_loadedTheme = theme;
    for (const SiteList which : kAllLists) {
        const int i = indexOf(which);
        // A change whose save failed stays in force: reading the file again would undo it
        // behind the parent's back. Another theme's lists are its own.
        if (sameTheme && m_unsaved[i]) {
            qCDebug(lcGuard) << "kept unsaved list" << fileOf(which);
            continue;
        }
        m_unsaved[i] = false;
        const QString path = fileOf(which);
        m_unreadable[i] = false;
        m_loadProblem[i].clear();
        ReadResult r;
        // A folder under the list's name is no list, and it is not a missing one either.
        if (QFileInfo(path).isDir())
            r.error = ReadError::Unreadable;
        else
            r = readFileBytes(path);
        if (r.ok()) {
            list(which).setItems(splitLines(decodeText(r.bytes)));
            m_reportedFailure[i].clear();
            continue;
        }
        list(which).clear();
        if (r.error == ReadError::Missing) {
            m_reportedFailure[i].clear();
            continue;
        }
        // The file is there but cannot be used: keep it untouched, so a later save
        // cannot replace the parent's list with an empty one.
        m_unreadable[i] = true;
        QString reason;
        if (r.error == ReadError::TooLarge)
            reason = QCoreApplication::translate("SiteLists", "the file is too large");
        else if (QFileInfo(path).isDir())
            reason = QCoreApplication::translate("SiteLists", "a folder has its name");
        else
            reason = QCoreApplication::translate("SiteLists", "the file cannot be read");
        const QString message = QCoreApplication::translate("SiteLists", "The list file %1 could not be loaded: %2.")
                                    .arg(path, reason);
        m_loadProblem[i] = message;
        qCWarning(lcGuard) << message;
        // The lists are loaded again each time the window is activated, and closing the
        // message activates it: the same failure is told once, not in an endless row.
        if (m_reportedFailure[i] == message)
            continue;
        m_reportedFailure[i] = message;
        emit loadFailed(message + u' '
                        + QCoreApplication::translate("SiteLists", "Until it can be read, every site except the start "
                                                                   "page's is refused."));
    }
    QStringList problems;
    for (const QString &p : m_loadProblem)
        if (!p.isEmpty())
            problems.append(p);
    setListProblem(problems.join(u' '));
    qCDebug(lcGuard) << "site lists loaded for theme" << theme << "white" << m_white.size()
                     << "black" << m_black.size() << "popup" << m_popup.size()
                     << (failingClosed() ? "failing closed" : "");
    emit listsLoaded();
}

void SiteLists::setListProblem(const QString &problem)
{
    if (problem == m_listProblem)
        return;
    m_listProblem = problem;
    emit listProblemChanged(problem);
}

bool SiteLists::failingClosed() const
{
    return std::any_of(m_unreadable.cbegin(), m_unreadable.cend(), [](bool b) { return b; });
}

WriteResult SiteLists::SaveSiteLists()
{
    QStringList failures;
    for (const SiteList which : kAllLists) {
        const int i = indexOf(which);
        const QString path = fileOf(which);
        WriteResult r;
        if (m_unreadable[i])
            r = {false, QCoreApplication::translate("SiteLists", "the file could not be read when the lists were loaded, so it is left unchanged")};
        else
            r = writeLines(path, list(which).items());
        m_unsaved[i] = !r.ok && !m_unreadable[i];
        if (r.ok)
            continue;
        failures.append(QCoreApplication::translate("SiteLists", "The list file %1 could not be saved: %2.").arg(path, r.error));
    }
    if (failures.isEmpty())
        return {};
    // One message for the whole save: the parent did one thing.
    const QString message = failures.join(u'\n')
        + (std::any_of(m_unsaved.cbegin(), m_unsaved.cend(), [](bool b) { return b; })
               ? u'\n' + QCoreApplication::translate("SiteLists", "The change stays in force until Tovalin closes; it is saved again with the next change.")
               : QString());
    qCWarning(lcGuard) << message;
    emit saveFailed(message);
    return {false, message};
}

AlwaysPassing SiteLists::alwaysPassingTexts() const
{
    return {m_vendor.WebHost, m_vendor.SecondHost, m_state.localHomePage()};
}

bool SiteLists::isAlwaysPassing(const QString &address) const
{
    return tovalin::isAlwaysPassing(normalizedAddress(address), alwaysPassingTexts());
}

bool SiteLists::engineShows(const QString &address) const
{
    return engineShowsAddress(normalizedAddress(address), m_state.localHomePage());
}

bool SiteLists::startSiteMatches(const QString &normalAddress) const
{
    // The start page's site is an entry of its own: looked for where an entry without a query
    // is looked for. siteOf understands "https://" too, so a secure start page lets its site
    // through instead of contributing an empty fragment.
    const QString startSite = siteOf(normalizedAddress(m_profile.StartURL));
    return whitelistEntryMatches(startSite, normalAddress);
}

bool SiteLists::IsNotWhitelisted(const QString &address) const
{
    const bool closed = failingClosed();
    if (!m_profile.Kindvriendelijk && !closed)
        return false;

    const QString normal = normalizedAddress(address);
    const QString folded = foldCase(normal);
    bool missing = true;
    if (closed) {
        // A list that cannot be read might have refused anything: only the start page's
        // site and the vendor's own pages are known to be safe.
        const AlwaysPassing texts = alwaysPassingTexts();
        if (startSiteMatches(normal) || normal == u"about:blank" || hostIsOrIsBelow(normal, texts.webHost)
            || hostIsOrIsBelow(normal, texts.secondHost))
            missing = false;
    } else {
        // Entries are fragments, looked for (ASCII case folded, and in their http/https twin)
        // in the address before its query, or in the whole address when the entry holds a "?".
        // The walk may stop at the first match because a match only ever clears `missing`.
        const QStringView foldedBase = whitelistSearchPart(folded, u"");
        for (const SortedList::FragmentForm &entry : m_white.fragmentForms()) {
            if (entry.folded.isEmpty())
                continue;
            const QStringView part = entry.wholeAddress ? QStringView(folded) : foldedBase;
            if (part.contains(entry.folded) || (!entry.foldedTwin.isEmpty() && part.contains(entry.foldedTwin))) {
                missing = false;
                break;
            }
        }
        if (missing && startSiteMatches(normal))
            missing = false;
        if (missing && tovalin::isAlwaysPassing(normal, alwaysPassingTexts()))
            missing = false;
    }
    // The shortener hides where a link leads, so it never passes, whatever else matched.
    if (!m_shortenerFolded.isEmpty() && folded.contains(m_shortenerFolded))
        missing = true;
    return missing;
}

bool SiteLists::isListed(const SortedList &list, const QString &address) const
{
    if (!m_profile.Kindonvriendelijk)
        return false;
    const QString normal = normalizedAddress(address);
    bool found = false;
    // An entry matches the address, the address with one "/" more, and the same without the
    // query; http and https forms of an entry are one key.
    for (const QString &candidate : exactCandidates(normal)) {
        if (list.containsKey(webSchemeKey(candidate))) {
            found = true;
            break;
        }
    }
    if (found && tovalin::isAlwaysPassing(normal, alwaysPassingTexts()))
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
    // list stands after the removals behind it. An entry goes only when it allows nothing its
    // predecessor does not: every address the whitelist test finds it in (as written or as its
    // http/https twin, in its search part) also holds the predecessor.
    const auto redundant = [](const QString &entry, const QString &before) {
        const QString beforeTwin = otherWebScheme(before);
        const auto covers = [&](const QString &text) {
            return containsFolded(text, before) || (!beforeTwin.isEmpty() && containsFolded(text, beforeTwin));
        };
        // An entry with a query is looked for in the whole address, one without only before it.
        if (entry.contains(u'?') && !before.contains(u'?'))
            return false;
        const QString twin = otherWebScheme(entry);
        return covers(entry) && (twin.isEmpty() || covers(twin));
    };
    for (qsizetype i = items.size() - 1; i >= 1; --i) {
        if (redundant(items.at(i), items.at(i - 1)))
            items.removeAt(i);
    }
    if (items != m_white.items())
        m_white.setItems(items);
}

} // namespace tovalin
