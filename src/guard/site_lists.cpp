#include "guard/site_lists.h"

#include "state/program_state.h"
#include "core/ini.h"
#include "core/text.h"
#include "guard/address_match.h"
#include "guard/category_filter.h"
#include "guard/guard_log.h"
#include "users/user_profile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QVarLengthArray>

#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>

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
        v.CategorySource
            = ini->stringValue(QStringLiteral("Categories"), QStringLiteral("Source"), v.CategorySource).trimmed();
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
    return parent.isValid() ? 0 : int(m_order.size());
}

QVariant SortedList::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return at(index.row());
    return {};
}

QStringList SortedList::items() const
{
    QStringList out;
    out.reserve(size());
    for (const Id id : m_order)
        out.append(m_store.text(id));
    return out;
}

qsizetype SortedList::lowerRow(QByteArrayView utf8) const
{
    const auto it = std::lower_bound(m_order.cbegin(), m_order.cend(), utf8,
                                     [this](Id id, QByteArrayView v) { return lessThanUtf8(m_store.bytes(id), v); });
    return qsizetype(it - m_order.cbegin());
}

qsizetype SortedList::upperRow(QByteArrayView utf8) const
{
    const auto it = std::upper_bound(m_order.cbegin(), m_order.cend(), utf8,
                                     [this](QByteArrayView v, Id id) { return lessThanUtf8(v, m_store.bytes(id)); });
    return qsizetype(it - m_order.cbegin());
}

bool SortedList::contains(const QString &entry) const
{
    const QByteArray utf8 = entry.toUtf8();
    // Entries equal but for letter case sit together; the one written alike is among them.
    for (qsizetype row = lowerRow(utf8); row < size(); ++row) {
        const QByteArrayView have = m_store.bytes(m_order[std::size_t(row)]);
        if (have == QByteArrayView(utf8))
            return true;
        if (lessThanUtf8(utf8, have))
            break;
    }
    return false;
}

int SortedList::add(const QString &entry)
{
    const QByteArray utf8 = entry.toUtf8();
    // After every entry that sorts equal, so entries keep the order they were added in.
    const qsizetype row = upperRow(utf8);
    beginInsertRows({}, int(row), int(row));
    const Id id = m_store.append(utf8);
    m_order.insert(m_order.begin() + row, id);
    remember(id);
    endInsertRows();
    return int(row);
}

void SortedList::removeAt(int row)
{
    if (row < 0 || row >= size())
        return;
    beginRemoveRows({}, row, row);
    const Id id = m_order[std::size_t(row)];
    forget(id);
    m_store.release(id);
    m_order.erase(m_order.begin() + row);
    endRemoveRows();
    compactIfWasteful();
}

int SortedList::removeAll(const QString &entry)
{
    const QByteArray utf8 = entry.toUtf8();
    int removed = 0;
    for (qsizetype row = upperRow(utf8) - 1; row >= 0; --row) {
        const QByteArrayView have = m_store.bytes(m_order[std::size_t(row)]);
        if (lessThanUtf8(have, utf8))
            break;
        if (have == QByteArrayView(utf8)) {
            removeAt(int(row));
            ++removed;
        }
    }
    return removed;
}

void SortedList::clear()
{
    if (m_order.empty() && m_store.idCount() == 0)
        return;
    beginResetModel();
    m_store.clear();
    m_order = {};
    resetKeys();
    endResetModel();
}

void SortedList::setItems(const QStringList &items)
{
    EntryStore store;
    for (const QString &item : items)
        store.append(item.toUtf8());
    setEntries(std::move(store), false);
}

SortedEntries SortedEntries::build(EntryStore entries, bool inOrder, Test test)
{
    SortedEntries out(test);
    out.m_store = std::move(entries);
    out.m_order.resize(std::size_t(out.m_store.idCount()));
    for (std::size_t i = 0; i < out.m_order.size(); ++i)
        out.m_order[i] = Id(i);
    // A file saved by the program is in order already: checked while it was read, not sorted again.
    if (!inOrder) {
        const EntryStore &store = out.m_store;
        std::stable_sort(out.m_order.begin(), out.m_order.end(),
                         [&store](Id a, Id b) { return lessThanUtf8(store.bytes(a), store.bytes(b)); });
    }
    out.resetKeys();
    return out;
}

void SortedList::setEntries(EntryStore entries, bool inOrder)
{
    adopt(SortedEntries::build(std::move(entries), inOrder, m_test));
}

void SortedList::adopt(SortedEntries built)
{
    // A list built for the other test would answer the wrong questions: its key table is built anew.
    const bool sameTest = built.test() == m_test;
    const Test test = m_test;
    beginResetModel();
    static_cast<SortedEntries &>(*this) = std::move(built);
    m_test = test;
    if (!sameTest)
        resetKeys();
    endResetModel();
}

qsizetype SortedList::memoryBytes() const
{
    return m_store.memoryBytes() + qsizetype(m_order.capacity() * sizeof(Id) + m_keyForm.capacity()
                                             + m_slots.capacity() * sizeof(std::uint32_t) + m_tags.capacity());
}

void SortedEntries::resetKeys()
{
    m_keyForm = {};
    m_slots = {};
    m_tags = {};
    m_slotsTaken = 0;
    m_otherKeys.clear();
    if (m_test != Test::Exact)
        return;
    const qsizetype n = m_store.idCount();
    m_keyForm.assign(std::size_t(n), NoKey);
    std::size_t slotCount = 16;
    while (slotCount < std::size_t(n) * 2)
        slotCount *= 2;
    m_slots.assign(slotCount, kFreeSlot);
    m_tags.assign(slotCount, kFreeTag);
    // The table of a large list is far larger than the processor's caches, and every insertion
    // lands at a random place in it: the slot of each key is fetched some keys ahead, so that
    // the waits for memory overlap instead of following one another.
    constexpr std::size_t kAhead = 16;
    std::array<std::pair<Id, size_t>, kAhead> pending;
    std::size_t queued = 0;
    const std::size_t mask = m_slots.size() - 1;
    // The entries are classified and hashed first, each on its own (a large list's on two
    // threads at once); the insertions then follow the list's order, as they always have.
    std::unique_ptr<size_t[]> hashes(new size_t[std::size_t(n)]); // written before it is read
    const auto work = [this, &hashes](Id from, Id to, QHash<QString, int> &otherKeys) {
        for (Id id = from; id < to; ++id) {
            if (classify(id, otherKeys))
                hashes[id] = keyHash(id);
        }
    };
    constexpr qsizetype kTwoThreadsFrom = 100000;
    if (n >= kTwoThreadsFrom) {
        QHash<QString, int> secondOtherKeys;
        std::thread second(work, Id(n / 2), Id(n), std::ref(secondOtherKeys));
        work(0, Id(n / 2), m_otherKeys);
        second.join();
        for (auto it = secondOtherKeys.cbegin(); it != secondOtherKeys.cend(); ++it)
            m_otherKeys[it.key()] += it.value();
    } else {
        work(0, Id(n), m_otherKeys);
    }
    for (const Id id : m_order) {
        if (m_keyForm[id] != KeyIsEntry && m_keyForm[id] != KeyIsHttpForm)
            continue; // no key, or one kept in m_otherKeys
        const size_t hash = hashes[id];
        __builtin_prefetch(&m_slots[hash & mask], 1);
        __builtin_prefetch(&m_tags[hash & mask], 1);
        std::pair<Id, size_t> &at = pending[queued % kAhead];
        if (queued >= kAhead)
            insertSlot(at.first, at.second);
        at = {id, hash};
        ++queued;
    }
    for (std::size_t i = queued > kAhead ? queued - kAhead : 0; i < queued; ++i)
        insertSlot(pending[i % kAhead].first, pending[i % kAhead].second);
}

size_t SortedEntries::keyHash(Id id) const
{
    const QByteArrayView entry = m_store.bytes(id);
    if (m_keyForm[id] != KeyIsHttpForm)
        return qHash(entry);
    // "https://rest" has the key "http://rest".
    QVarLengthArray<char, 256> key;
    key.append("http://", 7);
    key.append(entry.data() + 8, entry.size() - 8);
    return qHash(QByteArrayView(key.data(), key.size()));
}

bool SortedEntries::keyEquals(Id id, QByteArrayView key) const
{
    const QByteArrayView entry = m_store.bytes(id);
    if (m_keyForm[id] == KeyIsEntry)
        return entry == key;
    return key.size() == entry.size() - 1 && key.startsWith("http://") && key.sliced(7) == entry.sliced(8);
}

void SortedEntries::insertSlot(Id id, size_t hash)
{
    if (std::size_t(m_slotsTaken + 1) * 2 > m_slots.size())
        growSlots();
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        if (m_slots[i] == kFreeSlot || m_slots[i] == kRemovedSlot) {
            if (m_slots[i] == kFreeSlot)
                ++m_slotsTaken;
            m_slots[i] = id + 1;
            m_tags[i] = tagOf(hash);
            return;
        }
    }
}

void SortedEntries::growSlots()
{
    std::vector<std::uint32_t> old = std::move(m_slots);
    m_slots.assign(std::max<std::size_t>(16, old.size() * 2), kFreeSlot);
    m_tags.assign(m_slots.size(), kFreeTag);
    m_slotsTaken = 0;
    for (const std::uint32_t slot : old) {
        if (slot != kFreeSlot && slot != kRemovedSlot)
            insertSlot(slot - 1, keyHash(slot - 1));
    }
}

void SortedEntries::remember(Id id)
{
    if (m_test != Test::Exact)
        return;
    if (std::size_t(id) >= m_keyForm.size())
        m_keyForm.resize(std::size_t(id) + 1, NoKey);
    if (classify(id))
        insertSlot(id, keyHash(id));
}

bool SortedEntries::classify(Id id, QHash<QString, int> &otherKeys)
{
    const QByteArrayView entry = m_store.bytes(id);
    // Empty lines are inert: they never equal an address.
    if (entry.isEmpty()) {
        m_keyForm[id] = NoKey;
        return false;
    }
    // Nearly every entry of a large list is a plain web address that is its own key; only the
    // others are parsed.
    if (isNormalWebAddress(entry)) {
        m_keyForm[id] = entry.startsWith("https://") ? KeyIsHttpForm : KeyIsEntry;
    } else {
        const QString text = m_store.text(id);
        const QString key = exactKey(text);
        if (key == text) {
            m_keyForm[id] = KeyIsEntry;
        } else if (text.startsWith(u"https://") && key.size() == text.size() - 1 && key.startsWith(u"http://")
                   && QStringView(key).mid(7) == QStringView(text).mid(8)) {
            m_keyForm[id] = KeyIsHttpForm;
        } else {
            m_keyForm[id] = KeyElsewhere;
            ++otherKeys[key];
            return false;
        }
    }
    return true;
}

void SortedEntries::forget(Id id)
{
    if (m_test != Test::Exact || std::size_t(id) >= m_keyForm.size())
        return;
    switch (m_keyForm[id]) {
    case NoKey:
        return;
    case KeyElsewhere: {
        const auto it = m_otherKeys.find(exactKey(m_store.text(id)));
        if (it != m_otherKeys.end() && --it.value() <= 0)
            m_otherKeys.erase(it);
        return;
    }
    default:
        break;
    }
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = keyHash(id) & mask; m_slots[i] != kFreeSlot; i = (i + 1) & mask) {
        if (m_slots[i] == id + 1) {
            m_slots[i] = kRemovedSlot;
            m_tags[i] = kRemovedTag;
            return;
        }
    }
}

bool SortedList::containsKey(const QString &key) const
{
    if (m_test != Test::Exact || m_slots.empty())
        return false;
    if (!m_otherKeys.isEmpty() && m_otherKeys.contains(key))
        return true;
    const QByteArray utf8 = key.toUtf8();
    const std::size_t mask = m_slots.size() - 1;
    const size_t hash = qHash(utf8);
    const std::uint8_t tag = tagOf(hash);
    for (std::size_t i = hash & mask; m_tags[i] != kFreeTag; i = (i + 1) & mask) {
        if (m_tags[i] != tag)
            continue;
        const std::uint32_t slot = m_slots[i];
        if (slot != kRemovedSlot && keyEquals(slot - 1, utf8))
            return true;
    }
    return false;
}

void SortedList::compactIfWasteful()
{
    // Removed entries leave their bytes behind; when they outweigh the living ones, start afresh.
    if (m_store.deadBytes() < (1 << 20) || m_store.deadBytes() < m_store.byteCount() / 2)
        return;
    EntryStore fresh;
    fresh.reserve(m_store.byteCount() - m_store.deadBytes());
    for (const Id id : m_order)
        fresh.append(m_store.bytes(id));
    // Ids change but rows do not: the view sees no change.
    m_store = std::move(fresh);
    for (std::size_t i = 0; i < m_order.size(); ++i)
        m_order[i] = Id(i);
    resetKeys();
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
    , m_white(SortedList::Test::Fragments)
{
    m_white.setObjectName(QStringLiteral("ListBox2"));
    m_black.setObjectName(QStringLiteral("ListBox3"));
    m_popup.setObjectName(QStringLiteral("ListBox4"));
    m_shortenerFolded = foldCase(m_vendor.ShortenerHost);
    for (SortedList *l : {&m_white, &m_black, &m_popup}) {
        connect(l, &QAbstractItemModel::rowsInserted, this, &SiteLists::listChanged);
        connect(l, &QAbstractItemModel::rowsRemoved, this, &SiteLists::listChanged);
        connect(l, &QAbstractItemModel::modelReset, this, &SiteLists::listChanged);
    }
}

void SiteLists::listChanged()
{
    ++m_generation;
    if (sender() == &m_white) {
        m_matcherStale = true;
        m_siteMatcherStale = true;
    }
    // A list changed in memory differs from its file until it is saved: the next load reads it.
    if (!m_loading) {
        for (const SiteList which : kAllLists) {
            if (sender() == &list(which))
                m_stamps[indexOf(which)].reset();
        }
    }
}

const SiteLists::ListWork &SiteLists::listWork(const QString &address) const
{
    const bool sites = m_profile.WitSites;
    if (m_work.generation == m_generation && m_work.address == address && m_work.sites == sites)
        return m_work;
    if (!sites && m_matcherStale) {
        m_matcher.clear();
        for (qsizetype row = 0; row < m_white.size(); ++row)
            m_matcher.addEntry(m_white.at(row));
        m_matcher.build();
        m_matcherStale = false;
    }
    if (sites && m_siteMatcherStale) {
        m_siteMatcher.clear();
        m_siteMatcher.reserve(m_white.size());
        for (qsizetype row = 0; row < m_white.size(); ++row)
            m_siteMatcher.addEntry(m_white.at(row));
        m_siteMatcherStale = false;
    }
    ListWork work;
    work.address = address;
    work.sites = sites;
    work.normal = normalizedAddress(address);
    work.folded = foldCase(work.normal);
    work.whiteMatch = sites ? m_siteMatcher.matches(work.normal) : m_matcher.matches(work.normal);
    // An entry matches the address, the address with one "/" more, and the same without the
    // query; http and https forms of an entry are one key.
    for (const QString &candidate : exactCandidates(work.normal)) {
        const QString key = webSchemeKey(candidate);
        work.blackKey = work.blackKey || m_black.containsKey(key);
        work.popupKey = work.popupKey || m_popup.containsKey(key);
    }
    work.generation = m_generation;
    m_work = std::move(work);
    return m_work;
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

SiteLists::FileStamp SiteLists::stampOf(const QString &path)
{
    const QFileInfo info(path);
    FileStamp stamp;
    stamp.path = path;
    stamp.exists = info.exists();
    if (stamp.exists) {
        stamp.size = info.size();
        stamp.modified = info.lastModified();
        stamp.changed = info.metadataChangeTime();
        stamp.folder = info.isDir();
    }
    return stamp;
}

void SiteLists::readAhead(const QString &theme)
{
    for (const SiteList which : kAllLists) {
        const QString path = m_state.themesFolder() + u'/' + theme + extensionOf(which);
        const FileStamp stamp = stampOf(path);
        m_readAhead[indexOf(which)].reset();
        if (!stamp.exists || stamp.folder)
            continue;
        const SortedEntries::Test test = list(which).test();
        m_readAhead[indexOf(which)] = ReadAhead{stamp, std::async(std::launch::async, [path, test] {
            QElapsedTimer clock;
            clock.start();
            ReadAheadResult out;
            out.read = readListFile(path);
            out.readMs = clock.restart();
            if (out.read.ok())
                out.built = SortedEntries::build(std::move(out.read.entries), out.read.inOrder, test);
            out.buildMs = clock.elapsed();
            return out;
        })};
    }
}

void SiteLists::LoadSiteLists()
{
    const QString theme = m_state.activeTheme();
    const bool sameTheme = theme == m_loadedTheme;
    bool anyRead = false;
    for (const SiteList which : kAllLists) {
        const int i = indexOf(which);
        // A change whose save failed stays in force: reading the file again would undo it
        // behind the parent's back. Another theme's lists are its own, so the change waits
        // for its theme to come back.
        if (sameTheme && m_unsaved[i]) {
            qCDebug(lcGuard) << "kept unsaved list" << fileOf(which);
            continue;
        }
        if (m_unsaved[i])
            m_unsavedOfOtherThemes.insert(m_loadedTheme + extensionOf(which), list(which).items());
        m_unsaved[i] = false;
        if (const auto kept = m_unsavedOfOtherThemes.constFind(theme + extensionOf(which));
            kept != m_unsavedOfOtherThemes.cend()) {
            qCDebug(lcGuard) << "unsaved list back in force" << fileOf(which);
            list(which).setItems(*kept); // differs from its file: its stamp goes
            m_unsavedOfOtherThemes.erase(kept);
            m_unsaved[i] = true;
            m_unreadable[i] = false;
            m_loadProblem[i].clear();
            anyRead = true;
            continue;
        }
        const QString path = fileOf(which);
        // A file that did not change on disk since it was read gives the same list: the window
        // is activated often, and a list may hold a million entries.
        const FileStamp stamp = stampOf(path);
        if (m_stamps[i] && *m_stamps[i] == stamp)
            continue;
        m_stamps[i] = stamp;
        anyRead = true;
        m_unreadable[i] = false;
        m_loadProblem[i].clear();
        ListFileRead r;
        std::optional<SortedEntries> built;
        QElapsedTimer took;
        took.start();
        // A folder under the list's name is no list, and it is not a missing one either.
        if (stamp.folder) {
            r.error = ReadError::Unreadable;
        } else if (m_readAhead[i] && m_readAhead[i]->stamp == stamp) {
            ReadAheadResult ahead = m_readAhead[i]->result.get();
            m_readAhead[i].reset();
            r = std::move(ahead.read);
            built = std::move(ahead.built);
            qCDebug(lcGuard) << "read ahead of" << path << "waited for" << took.elapsed() << "ms; read in"
                             << ahead.readMs << "ms, built in" << ahead.buildMs << "ms on a worker";
        } else {
            r = readListFile(path);
        }
        if (r.ok()) {
            m_loading = true;
            if (built)
                list(which).adopt(std::move(*built));
            else
                list(which).setEntries(std::move(r.entries), r.inOrder);
            m_loading = false;
            qCDebug(lcGuard) << "list" << path << "in force after" << took.elapsed() << "ms";
            m_reportedFailure[i].clear();
            continue;
        }
        m_loading = true;
        list(which).clear();
        m_loading = false;
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
        else if (stamp.folder)
            reason = QCoreApplication::translate("SiteLists", "a folder has its name");
        else
            reason = QCoreApplication::translate("SiteLists", "the file cannot be read");
        const QString message = QCoreApplication::translate("SiteLists", "The list file %1 could not be loaded: %2.")
                                    .arg(path, reason);
        m_loadProblem[i] = message;
        qCWarning(lcGuard) << message;
        // The same failure is told once, not each time the window is activated again.
        if (m_reportedFailure[i] == message)
            continue;
        m_reportedFailure[i] = message;
        emit loadFailed(message + u' '
                        + QCoreApplication::translate("SiteLists", "Until it can be read, every site except the start "
                                                                   "page's is refused."));
    }
    m_loadedTheme = theme;
    // A reading ahead that did not serve (another theme came first) goes once it has ended;
    // waiting for it here would hold the window.
    for (std::optional<ReadAhead> &ahead : m_readAhead) {
        if (ahead && ahead->result.wait_for(std::chrono::seconds(0)) == std::future_status::ready)
            ahead.reset();
    }
    if (!anyRead)
        return;
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
        if (r.ok) {
            // The file now holds what the list holds: no need to read it back.
            m_stamps[i] = stampOf(path);
            continue;
        }
        m_stamps[i].reset();
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

const SiteLists::StartSite &SiteLists::startSite() const
{
    if (m_startSite.known && m_startSite.startUrl == m_profile.StartURL)
        return m_startSite;
    // siteOf understands "https://" too, so a secure start page lets its site through instead
    // of contributing an empty fragment.
    const QString site = siteOf(normalizedAddress(m_profile.StartURL));
    m_startSite.startUrl = m_profile.StartURL;
    m_startSite.site = siteEntryOf(site);
    m_startSite.forms = whitelistEntryForms(site);
    m_startSite.fragment = site;
    m_startSite.known = true;
    return m_startSite;
}

bool SiteLists::startSiteMatches(const QString &normalAddress) const
{
    // The start page's site is an entry of its own: looked for where an entry without a query
    // is looked for.
    const StartSite &start = startSite();
    if (m_profile.WitSites)
        return siteEntryMatches(start.site, addressSiteOf(normalAddress));
    const QStringView part = whitelistSearchPart(normalAddress, start.fragment);
    return std::any_of(start.forms.cbegin(), start.forms.cend(),
                       [&](const QString &form) { return containsFolded(part, form); });
}

bool SiteLists::IsNotWhitelisted(const QString &address) const
{
    const bool closed = failingClosed();
    if (!m_profile.Kindvriendelijk && !closed && !(m_categories && m_categories->forcesWhitelist()))
        return false;

    const ListWork &work = listWork(address);
    const QString &normal = work.normal;
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
        if (work.whiteMatch)
            missing = false;
        if (missing && startSiteMatches(normal))
            missing = false;
        if (missing && tovalin::isAlwaysPassing(normal, alwaysPassingTexts()))
            missing = false;
    }
    // The shortener hides where a link leads, so it never passes, whatever else matched.
    if (!m_shortenerFolded.isEmpty() && work.folded.contains(m_shortenerFolded))
        missing = true;
    return missing;
}

bool SiteLists::parentAllows(const QString &address) const
{
    const ListWork &work = listWork(address);
    return work.whiteMatch || startSiteMatches(work.normal) || tovalin::isAlwaysPassing(work.normal, alwaysPassingTexts());
}

QString SiteLists::refusingCategory(const QString &address) const
{
    if (!m_categories)
        return {};
    // The decision has read the address already (listWork keeps it): its host is taken from there.
    const QString category = m_categories->refusingCategoryOfNormal(listWork(address).normal);
    if (category.isEmpty() || parentAllows(address))
        return {};
    return category;
}

bool SiteLists::isListed(const SortedList &list, const QString &address) const
{
    if (!m_profile.Kindonvriendelijk)
        return false;
    const ListWork &work = listWork(address);
    bool found = &list == &m_popup ? work.popupKey : work.blackKey;
    if (found && tovalin::isAlwaysPassing(work.normal, alwaysPassingTexts()))
        found = false;
    return found;
}

bool SiteLists::IsBlacklisted(const QString &address) const
{
    return isListed(m_black, address);
}

bool SiteLists::IsBlacklistedLoad(const QString &address) const
{
    if (!m_profile.Kindonvriendelijk || m_black.size() == 0)
        return false;
    const QString normal = normalizedAddress(address);
    bool found = false;
    for (const QString &candidate : exactCandidates(normal))
        found = found || m_black.containsKey(webSchemeKey(candidate));
    // The site root, "scheme://host[:port]/", cut from the address as the engine loads it.
    const qsizetype scheme = normal.indexOf(u"://");
    if (!found && scheme > 0 && scheme + 3 < normal.size()) {
        qsizetype end = scheme + 3;
        while (end < normal.size() && normal.at(end) != u'/' && normal.at(end) != u'?' && normal.at(end) != u'#')
            ++end;
        const QString root = normal.left(end) + u'/';
        for (const QString &candidate : exactCandidates(root))
            found = found || m_black.containsKey(webSchemeKey(candidate));
    }
    return found && !tovalin::isAlwaysPassing(normal, alwaysPassingTexts());
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
    // predecessor does not, by the rule in force for the user.
    // As fragments: every address the whitelist test finds it in (in any of its forms, in its
    // search part) also holds a form of the predecessor.
    const auto fragmentRedundant = [](const QString &entry, const QString &before) {
        const QStringList beforeForms = whitelistEntryForms(before);
        const auto covered = [&](const QString &form) {
            return std::any_of(beforeForms.cbegin(), beforeForms.cend(),
                               [&](const QString &b) { return containsFolded(form, b); });
        };
        // An entry with a query is looked for in the whole address, one without only before it.
        if (entry.contains(u'?') && !before.contains(u'?'))
            return false;
        const QStringList forms = whitelistEntryForms(entry);
        return std::all_of(forms.cbegin(), forms.cend(), covered);
    };
    // As sites: the entry's site lies within the predecessor's.
    const auto siteRedundant = [](const QString &entry, const QString &before) {
        const SiteEntry e = siteEntryOf(entry);
        const SiteEntry b = siteEntryOf(before);
        // An entry that names no site allows nothing as a site, but it is the parent's: it stays.
        if (e.host.isEmpty() || b.host.isEmpty() || (b.port >= 0 && b.port != e.port))
            return false;
        if (b.path.isEmpty()) {
            AddressSite site;
            site.host = e.host;
            site.port = e.port;
            site.ipHost = e.host.contains(u':') || std::all_of(e.host.cbegin(), e.host.cend(), [](QChar c) {
                              return c == u'.' || (c >= u'0' && c <= u'9');
                          });
            return siteEntryMatches(SiteEntry{b.host, -1, {}}, site);
        }
        // A path is looked for before the query unless it holds a "?"; one with a "#" but no "?"
        // is never found, and covers nothing.
        return e.host == b.host && !e.path.isEmpty() && e.path.startsWith(b.path)
            && (!b.path.contains(u'#') || b.path.contains(u'?'));
    };
    const bool sites = m_profile.WitSites;
    const auto redundant = [&](const QString &entry, const QString &before) {
        return sites ? siteRedundant(entry, before) : fragmentRedundant(entry, before);
    };
    for (qsizetype i = items.size() - 1; i >= 1; --i) {
        if (redundant(items.at(i), items.at(i - 1)))
            items.removeAt(i);
    }
    if (items != m_white.items())
        m_white.setItems(items);
}

} // namespace tovalin
