#include "guard/popup_guard.h"

#include "state/program_state.h"
#include "guard/navigation_guard.h"
#include "guard/navigation_model.h"
#include "guard/site_lists.h"
#include "platform/browser.h"

#include "guard/address_match.h"
#include "guard/guard_log.h"

#include <QCoreApplication>
#include <QSet>

namespace tovalin {

PopupGuard::PopupGuard(ProgramState &state, SiteLists &lists, NavigationModel &nav, NavigationGuard &guard,
                       Browser &visible, HiddenBrowserFactory factory, QObject *parent)
    : QObject(parent)
    , m_state(state)
    , m_lists(lists)
    , m_nav(nav)
    , m_guard(guard)
    , m_visible(visible)
    , m_factory(std::move(factory))
    , m_caption(blockPopupText())
{
    m_vertrager.setObjectName(QStringLiteral("vertrager"));
    m_vertrager.setSingleShot(true);
    m_vertrager.setInterval(kLateClearMs);
    connect(&m_vertrager, &QTimer::timeout, this, [this] { m_state.PopupShown = false; });
}

QString PopupGuard::blockPopupText()
{
    return QCoreApplication::translate("PopupGuard", "Block popup");
}

QString PopupGuard::allowPopupText()
{
    return QCoreApplication::translate("PopupGuard", "Allow popup");
}

Browser *PopupGuard::newWindowRequested()
{
    Browser *target = nullptr;
    const QString opener = m_state.LastURL;
    if (m_state.PageComplete) {
        // A pop-up after a completed page starts a new sequence of refusals.
        m_state.PageComplete = false;
        m_nav.clearRefused();
    }
    if (!m_state.FilterOn) {
        target = makeHiddenBrowser(false);
    } else if (m_lists.IsPopupListed(opener)) {
        m_caption = allowPopupText();
        qCDebug(lcGuard) << "pop-up refused, opener on the popup list:" << opener;
    } else {
        m_caption = blockPopupText();
        if (!m_lists.IsNotWhitelisted(opener) && !m_lists.IsBlacklisted(opener)) {
            target = makeHiddenBrowser(true);
        } else {
            qCDebug(lcGuard) << "pop-up refused by the lists:" << opener;
            m_nav.addRefused(opener);
            m_nav.SetNavState(NavState::Forbidden);
        }
    }
    m_state.PageComplete = true;
    m_opener = opener;
    setLabel30(m_caption, true);
    emit popupMarkerShown(m_state.PopupShown);
    return target;
}

Browser *PopupGuard::makeHiddenBrowser(bool withSizeHandler)
{
    m_hidden = m_factory ? m_factory() : nullptr;
    m_sizeReported = false;
    if (!m_hidden)
        return nullptr;
    Browser *hidden = m_hidden;
    // The hidden browser loads no pictures, videos or sounds, runs no plug-ins and shows no dialogs.
    DownloadControls flags = m_visible.downloadControl();
    flags &= ~DownloadControls(DownloadControl::Images | DownloadControl::Videos | DownloadControl::BgSounds
                               | DownloadControl::NoScripts);
    flags |= DownloadControl::NoJava | DownloadControl::NoRunActiveXCtls | DownloadControl::NoDlActiveXCtls
             | DownloadControl::Silent;
    hidden->setDownloadControl(flags);
    hidden->setNewWindowPolicy(NewWindowPolicy::Refuse);
    hidden->setBeforeNavigateHandler([this, hidden](const QString &address, FrameId frame, NavigationKind kind) {
        hidden->setSilent(true);
        DownloadControls f = hidden->downloadControl();
        f &= ~DownloadControls(DownloadControl::BgSounds | DownloadControl::NoScripts);
        hidden->setDownloadControl(f);
        // The pop-up's frames are never shown: its address is loaded again, frames and all, by
        // the visible browser, whose guard judges them there. Its own page and every redirect
        // of it are judged here, before the hidden browser loads or hands on anything.
        if (frame != Browser::kMainFrame)
            return false;
        const bool cancel = m_guard.beforeNavigate(address, {true, kind}).cancel;
        if (cancel)
            qCDebug(lcGuard) << "hidden browser: refused" << address;
        return cancel;
    });
    connect(hidden, &Browser::documentComplete, this, [this, hidden](FrameId frame, const QString &) {
        if (frame != Browser::kMainFrame || hidden != m_hidden)
            return;
        const QString location = hidden->location();
        m_state.LastURL = location;
        // The engine reports the pop-up's size as soon as it makes the window,
        // often before the opener's own page completes, and that completion
        // clears PopupShown. The pop-up's page must still show without scroll
        // bars, so the flag holds again for the page handed over now.
        if (m_sizeReported)
            m_state.PopupShown = true;
        m_visible.navigate(location);
    });
    connect(hidden, &Browser::downloadCompleted, &m_visible, &Browser::downloadCompleted);
    if (withSizeHandler) {
        connect(hidden, &Browser::clientSizeRequested, this, [this, hidden](int width, int height) {
            if (hidden != m_hidden)
                return;
            emit panelSizeRequested(width > kMinPopupSize ? width + kPanelMargin : -1,
                                    height > kMinPopupSize ? height + kPanelMargin : -1);
            m_state.PopupShown = true;
            m_sizeReported = true;
        });
    }
    return hidden;
}

void PopupGuard::label30Click()
{
    if (!m_opener.isEmpty()) {
        if (m_caption == blockPopupText()) {
            m_lists.popuplist().add(m_opener);
        } else {
            // Allowing takes off the entry written as the opener and every entry that refused it
            // (its http/https twin, the form with one "/" more or without the query), so the
            // pop-up really comes when the page is loaded again.
            QSet<QString> keys;
            for (const QString &candidate : exactCandidates(normalizedAddress(m_opener)))
                keys.insert(webSchemeKey(candidate));
            SortedList &popups = m_lists.popuplist();
            for (qsizetype i = popups.size() - 1; i >= 0; --i) {
                const QString entry = popups.at(i);
                if (entry.compare(m_opener, Qt::CaseInsensitive) == 0 || keys.contains(exactKey(entry)))
                    popups.removeAt(int(i));
            }
            m_visible.navigate(m_opener);
        }
        m_lists.SaveSiteLists();
    }
    setLabel30(m_caption, false);
}

void PopupGuard::setLabel30(const QString &caption, bool visible)
{
    m_caption = caption;
    m_label30Visible = visible;
    emit label30Changed(caption, visible);
}

} // namespace tovalin
