#include "guard/block_accept.h"

#include "guard/address_match.h"
#include "guard/navigation_model.h"
#include "guard/site_lists.h"
#include "platform/browser.h"

#include <QCoreApplication>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcBlockAccept, "tovalin.guard")

namespace tovalin {

namespace {

enum class Which { First, Last };

// Removes the first or last entry of the (sorted) list that matches the address; true when one went.
bool removeOneMatch(SortedList &list, const QString &address, Which which)
{
    const QStringList &items = list.items();
    const int n = int(items.size());
    for (int k = 0; k < n; ++k) {
        const int row = which == Which::First ? k : n - 1 - k;
        if (entryMatches(items.at(row), address)) {
            list.removeAt(row);
            return true;
        }
    }
    return false;
}

int removeEveryMatch(SortedList &list, const QString &address)
{
    int removed = 0;
    for (int row = int(list.size()) - 1; row >= 0; --row) {
        if (entryMatches(list.at(row), address)) {
            list.removeAt(row);
            ++removed;
        }
    }
    return removed;
}

std::optional<QString> firstMatch(const SortedList &list, const QString &address)
{
    for (const QString &entry : list.items()) {
        if (entryMatches(entry, address))
            return entry;
    }
    return std::nullopt;
}

// True when the blacklist entry refuses the address by the blacklist's own test (exactKey).
bool blacklistEntryRefuses(const QString &entry, const QStringList &candidateKeys)
{
    const QString key = exactKey(entry);
    return !key.isEmpty() && candidateKeys.contains(key);
}

// The entries of before that after no longer holds, as often as they went.
QStringList dropped(QStringList before, const QStringList &after)
{
    for (const QString &entry : after)
        before.removeOne(entry);
    return before;
}

} // namespace

AllowChange allowInLists(SiteLists &lists, const QString &entry, const QString &address)
{
    AllowChange change;
    SortedList &white = lists.whitelist();
    if (!entry.trimmed().isEmpty() && !white.contains(entry)) {
        const QStringList before = white.items();
        white.add(entry);
        lists.CompactWhitelist();
        change.whitelistAdded = white.contains(entry);
        change.whitelistCompacted = dropped(before, white.items());
    }
    // The entry that refused the address is found as the blacklist test finds it: an entry
    // written as https, in capitals or with a final "/" refuses the address all the same.
    QStringList keys;
    const QStringList candidates = exactCandidates(normalizedAddress(address));
    for (const QString &candidate : candidates)
        keys.append(webSchemeKey(candidate));
    SortedList &black = lists.blacklist();
    for (int row = int(black.size()) - 1; row >= 0; --row) {
        const QString listed = black.at(row);
        if (blacklistEntryRefuses(listed, keys)) {
            change.blacklistRemoved.prepend(listed);
            black.removeAt(row);
        }
    }
    return change;
}

void undoAllowInLists(SiteLists &lists, const QString &entry, const AllowChange &change)
{
    SortedList &white = lists.whitelist();
    if (change.whitelistAdded) {
        for (int row = 0; row < white.size(); ++row) {
            if (white.at(row) == entry) {
                white.removeAt(row);
                break;
            }
        }
    }
    // No compaction here: the entries put back were redundant only beside the one taken off.
    for (const QString &restored : change.whitelistCompacted) {
        if (!white.contains(restored))
            white.add(restored);
    }
    for (const QString &restored : change.blacklistRemoved) {
        if (!lists.blacklist().contains(restored))
            lists.blacklist().add(restored);
    }
}

ListEditResult blockInLists(SiteLists &lists, const QString &address)
{
    // Blocking nothing (no page shown, empty field) would store an empty, inert entry.
    if (address.trimmed().isEmpty())
        return {};
    if (const std::optional<QString> entry = firstMatch(lists.blacklist(), address))
        return {false, false, {alreadyBlacklistedText(*entry)}};
    removeEveryMatch(lists.whitelist(), address);
    lists.blacklist().add(withoutFinalSlash(address));
    return {true, false, {}};
}

BrowserActions BrowserActions::of(Browser &browser, std::function<QString()> childAddress)
{
    Browser *b = &browser;
    return {[b](const QString &address) { b->navigate(address); }, [b] { b->goBack(); },
            [b] { return b->location(); }, std::move(childAddress)};
}

bool entryMatches(const QString &entry, const QString &address)
{
    return entry == address
        || (address.size() == entry.size() + 1 && address.endsWith(QLatin1Char('/')) && address.startsWith(entry));
}

QString withoutFinalSlash(const QString &address)
{
    return address.endsWith(QLatin1Char('/')) ? address.chopped(1) : address;
}

std::optional<QString> oneLevelUp(const QString &text)
{
    // Positions count from 1. The cut never lands at or before the eighth character, nor inside
    // the scheme: "https://" is eight characters long, so its second "/" would otherwise qualify
    // and leave the bare scheme behind.
    qsizetype lowest = 8;
    const qsizetype scheme = text.indexOf(QLatin1String("://"));
    if (scheme >= 0)
        lowest = std::max<qsizetype>(lowest, scheme + 3 + 1);
    for (qsizetype p = text.size() - 1; p >= lowest; --p) {
        if (text.at(p - 1) == QLatin1Char('/'))
            return text.left(p);
    }
    return std::nullopt;
}

QString alreadyBlacklistedText(const QString &entry)
{
    return entry + QCoreApplication::translate("BlockAccept", " has already been added to the blacklist. ");
}

BlockAccept::BlockAccept(SiteLists &lists, NavigationModel &navigation, BrowserActions browser, QObject *parent)
    : QObject(parent), m_lists(lists), m_navigation(navigation), m_browser(std::move(browser))
{
}

bool BlockAccept::passes(const QString &address) const
{
    return !m_lists.IsNotWhitelisted(address) && !m_lists.IsBlacklisted(address)
        && m_lists.refusingCategory(address).isEmpty();
}

void BlockAccept::save()
{
    m_lists.SaveSiteLists();
    emit listsEdited();
}

ListEditResult BlockAccept::accepteerblokkeer()
{
    if (m_navigation.acceptBlockCaption() == NavigationModel::allowBlockedSiteText())
        return allowRefused();
    return blockActiveSite();
}

ListEditResult BlockAccept::allowRefused()
{
    // A copy: navigating may run the guard again, which edits the refused list.
    const QStringList refused = m_navigation.refusedList();
    if (refused.size() > 1) {
        emit acceptWindowRequested();
        return {false, true, {}};
    }
    if (refused.size() == 1)
        m_lists.whitelist().add(refused.first());
    for (const QString &address : refused)
        removeOneMatch(m_lists.blacklist(), address, Which::First);
    save();
    qCDebug(lcBlockAccept) << "accepted" << refused;
    m_browser.navigate(refused.isEmpty() ? m_browser.childAddress() : refused.first());
    m_navigation.clearRefused();
    m_navigation.SetNavState(NavState::Ready);
    return {true, false, {}};
}

ListEditResult BlockAccept::blockActiveSite()
{
    return blockAddress(m_browser.location(), AfterBlock::GoBack);
}

ListEditResult BlockAccept::addToWhitelist(const QString &text)
{
    // A blank entry would only clutter the list: the whitelist test ignores it.
    if (text.trimmed().isEmpty() || firstMatch(m_lists.whitelist(), text))
        return {};
    m_lists.whitelist().add(text);
    removeOneMatch(m_lists.blacklist(), text, Which::Last);
    save();
    m_navigation.clearRefused();
    return {true, false, {}};
}

ListEditResult BlockAccept::addToBlacklist(const QString &text)
{
    return blockAddress(text, AfterBlock::Stay);
}

ListEditResult BlockAccept::allowAddress(const QString &address, AfterAllow after)
{
    const bool blank = address.trimmed().isEmpty();
    if (!blank)
        m_lists.whitelist().add(address);
    removeOneMatch(m_lists.blacklist(), address, Which::First);
    save();
    m_browser.navigate(blank ? m_browser.childAddress() : address);
    m_navigation.clearRefused();
    if (after == AfterAllow::SetReady)
        m_navigation.SetNavState(NavState::Ready);
    return {true, false, {}};
}

ListEditResult BlockAccept::blockAddress(const QString &address, AfterBlock after)
{
    const ListEditResult r = blockInLists(m_lists, address);
    if (!r.changed)
        return r;
    save();
    qCDebug(lcBlockAccept) << "blocked" << address;
    if (after == AfterBlock::GoBack)
        m_browser.goBack();
    return r;
}

// ---------------------------------------------------------------- accept window

AcceptListModel::AcceptListModel(BlockAccept &commands, QObject *parent)
    : QAbstractListModel(parent), m_commands(commands), m_caption(allowText())
{
    NavigationModel &navigation = m_commands.navigation();
    connect(&navigation, &NavigationModel::navlijstChanged, this, [this] {
        beginResetModel();
        m_selected = -1;
        endResetModel();
        emit selectionChanged(m_selected);
    });
    connect(&m_commands, &BlockAccept::listsEdited, this, &AcceptListModel::repaint);
}

QString AcceptListModel::allowText()
{
    return QCoreApplication::translate("AcceptListModel", "Allow");
}

QString AcceptListModel::blockText()
{
    return QCoreApplication::translate("AcceptListModel", "Block");
}

int AcceptListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_commands.navigation().navlijst().size());
}

QVariant AcceptListModel::data(const QModelIndex &index, int role) const
{
    const QStringList &items = m_commands.navigation().navlijst();
    if (!index.isValid() || index.row() < 0 || index.row() >= items.size())
        return {};
    const QString &address = items.at(index.row());
    if (role == Qt::DisplayRole)
        return address;
    if (role == PassesRole)
        return m_commands.passes(address);
    return {};
}

void AcceptListModel::select(int row)
{
    if (row < 0 || row >= rowCount())
        return;
    m_selected = row;
    emit selectionChanged(row);
    setCaption(m_commands.passes(m_commands.navigation().navlijst().at(row)) ? blockText() : allowText());
}

ListEditResult AcceptListModel::activate()
{
    if (m_selected < 0 || m_selected >= rowCount())
        return {};
    const QString address = m_commands.navigation().navlijst().at(m_selected);
    if (m_caption == allowText()) {
        const ListEditResult r = m_commands.allowAddress(address, BlockAccept::AfterAllow::KeepNavState);
        setCaption(blockText());
        return r;
    }
    const ListEditResult r = m_commands.blockAddress(address, BlockAccept::AfterBlock::GoBack);
    // A refused block changes nothing and repaints nothing.
    if (r.changed)
        setCaption(allowText());
    return r;
}

void AcceptListModel::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    emit buttonCaptionChanged(caption);
}

void AcceptListModel::repaint()
{
    if (rowCount() > 0)
        emit dataChanged(index(0), index(rowCount() - 1), {PassesRole});
}

} // namespace tovalin
