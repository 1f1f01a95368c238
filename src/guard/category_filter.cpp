#include "guard/category_filter.h"

#include "guard/category_text.h"
#include "guard/guard_log.h"
#include "state/program_state.h"
#include "users/user_profile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <cstring>

namespace tovalin {

CategoryFilter::CategoryFilter(const ProgramState &state, const UserProfile &profile, QObject *parent)
    : QObject(parent)
    , m_state(state)
    , m_profile(profile)
{
    // An update by the admin command while the program runs is in force as soon as it is written.
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] { reload(); });
}

CategoryFiles CategoryFilter::files() const
{
    return CategoryFiles(m_state.DataFolder);
}

CategoryFilter::Stamp CategoryFilter::stampOf(const QString &path) const
{
    const QFileInfo info(path);
    Stamp s;
    s.path = path;
    s.exists = info.exists();
    if (s.exists) {
        s.size = info.size();
        s.modified = info.lastModified();
        s.changed = info.fileTime(QFileDevice::FileMetadataChangeTime);
    }
    return s;
}

void CategoryFilter::reload()
{
    if (m_state.DataFolder.isEmpty())
        return;
    const CategoryFiles f = files();
    if (QFileInfo(f.folder).isDir() && !m_watcher.directories().contains(f.folder)) {
        if (!m_watcher.directories().isEmpty())
            m_watcher.removePaths(m_watcher.directories());
        m_watcher.addPath(f.folder);
    }
    const CategoryUpdateStatus status = CategoryUpdateStatus::read(f);
    const bool statusChanged = status.lastAttempt != m_status.lastAttempt || status.failure != m_status.failure;
    m_status = status;

    const Stamp now = stampOf(f.index);
    if (m_stamp && *m_stamp == now) {
        if (statusChanged)
            emit changed();
        return;
    }
    m_stamp = now;
    QString why;
    std::shared_ptr<const CategoryIndex> index;
    if (now.exists)
        index = CategoryIndex::open(f.index, &why);
    m_index = std::move(index);
    m_indexProblem = now.exists && !m_index ? why : QString();
    m_selectionValid = false;
    if (m_index)
        qCInfo(lcGuard) << "category index mapped:" << m_index->domainCount() << "domains," << m_index->urlCount()
                        << "urls," << m_index->categories().size() << "categories";
    else if (now.exists)
        qCWarning(lcGuard) << "category index cannot be used:" << f.index << why;
    m_lastState = state();
    m_lastMissing = missingCategories();
    emit changed();
}

void CategoryFilter::refresh()
{
    syncSelection();
    const State now = state();
    if (now != m_lastState || m_missing != m_lastMissing) {
        m_lastState = now;
        m_lastMissing = m_missing;
        emit changed();
    }
}

void CategoryFilter::syncSelection() const
{
    const CategoryIndex *index = m_index.get();
    if (m_selectionValid && m_selectionIndex == index && m_selectionText == m_profile.Categorieen)
        return;
    m_selectionText = m_profile.Categorieen;
    m_selectionIndex = index;
    m_selectionValid = true;
    m_chosen.reset();
    m_chosenNames = splitCategoryNames(m_selectionText);
    m_missing.clear();
    for (const QString &name : std::as_const(m_chosenNames)) {
        const int number = index ? index->categoryNumber(name) : -1;
        if (number >= 0)
            m_chosen.set(std::size_t(number));
        else
            m_missing.append(name);
    }
}

int CategoryFilter::refusingCategory(const QUrl &url) const
{
    syncSelection();
    if (m_chosen.none())
        return -1;
    HostBuffer host;
    if (!hostOf(url, host))
        return -1;
    const int byHost = m_index->matchHost(host.view(), m_chosen);
    if (byHost >= 0)
        return byHost;
    HostBuffer key;
    hostKeyFrom(host, url, key);
    if (!m_index->hasUrlsFor(key.view()))
        return -1;
    return m_index->matchUrl(key.view(), pathKeyOf(url), m_chosen);
}

QString CategoryFilter::refusingCategoryName(const QString &address) const
{
    syncSelection();
    if (m_chosen.none())
        return {};
    return categoryName(refusingCategory(QUrl(address, QUrl::TolerantMode)));
}

QString CategoryFilter::refusingCategoryOfNormal(const QString &normal) const
{
    syncSelection();
    if (m_chosen.none())
        return {};
    // "scheme://host[:port]/...": a normalised address holds no user-info, its host is in
    // small letters and a port it shows is not the scheme's default.
    const qsizetype scheme = normal.indexOf(u"://");
    if (scheme <= 0)
        return {};
    const qsizetype from = scheme + 3;
    qsizetype end = from;
    while (end < normal.size() && normal.at(end) != u'/' && normal.at(end) != u'?' && normal.at(end) != u'#')
        ++end;
    QStringView authority = QStringView(normal).sliced(from, end - from);
    if (authority.startsWith(u'['))
        return refusingCategoryName(normal); // an IPv6 address: the parser knows its brackets
    QStringView port;
    if (const qsizetype colon = authority.lastIndexOf(u':'); colon >= 0) {
        port = authority.sliced(colon + 1);
        authority = authority.first(colon);
    }
    HostBuffer host;
    if (!canonicalHostInto(authority, host))
        return {};
    const int byHost = m_index->matchHost(host.view(), m_chosen);
    if (byHost >= 0)
        return categoryName(byHost);
    HostBuffer key = host;
    if (key.size > 4 && std::string_view(key.data, 4) == "www.") {
        std::memmove(key.data, key.data + 4, std::size_t(key.size - 4));
        key.size -= 4;
    }
    if (!port.isEmpty() && key.size + 1 + port.size() <= HostBuffer::kCapacity) {
        key.data[key.size++] = ':';
        for (const QChar c : port)
            key.data[key.size++] = char(c.unicode());
    }
    if (!m_index->hasUrlsFor(key.view()))
        return {};
    const QUrl url(normal, QUrl::TolerantMode);
    return categoryName(m_index->matchUrl(key.view(), pathKeyOf(url), m_chosen));
}

QString CategoryFilter::categoryName(int number) const
{
    if (!m_index || number < 0 || std::size_t(number) >= m_index->categories().size())
        return {};
    return m_index->categories()[std::size_t(number)].name;
}

CategoryFilter::State CategoryFilter::state() const
{
    syncSelection();
    if (m_chosenNames.isEmpty())
        return State::Off;
    if (!m_indexProblem.isEmpty())
        return State::Unreadable;
    if (!m_index)
        return State::NeverFetched;
    return m_missing.isEmpty() ? State::InForce : State::Incomplete;
}

bool CategoryFilter::forcesWhitelist() const
{
    const State s = state();
    return s == State::NeverFetched || s == State::Unreadable || s == State::Incomplete;
}

QStringList CategoryFilter::missingCategories() const
{
    syncSelection();
    return m_missing;
}

QString CategoryFilter::problemText() const
{
    const QString until = QCoreApplication::translate(
        "CategoryFilter", "Until they are there, only the theme's whitelist and the start page can be visited.");
    QString text;
    switch (state()) {
    case State::Off:
    case State::InForce:
        break;
    case State::NeverFetched:
        text = QCoreApplication::translate("CategoryFilter", "The category lists have never been fetched.") + u' ' + until;
        break;
    case State::Unreadable:
        text = QCoreApplication::translate("CategoryFilter", "The category lists cannot be read (%1).").arg(m_indexProblem) + u' ' + until;
        break;
    case State::Incomplete:
        text = QCoreApplication::translate("CategoryFilter", "These category lists have not been fetched yet: %1.")
                   .arg(m_missing.join(QStringLiteral(", ")))
            + u' ' + until;
        break;
    }
    if (!m_status.failure.isEmpty() && state() != State::Off) {
        const QString failed
            = QCoreApplication::translate("CategoryFilter", "The last update of the category lists failed: %1")
                  .arg(m_status.failureText());
        text = text.isEmpty() ? failed : text + u' ' + failed;
    }
    return text;
}

} // namespace tovalin
