#include "platform/fake_browser.h"

namespace tovalin {

bool FakeBrowser::load(const QString &address, FrameId frame, bool translate, NavigationKind kind)
{
    if (translate)
        askTranslateUrl(address);
    if (askBeforeNavigate(address, frame, kind) || !engineHandlesScheme(address)) {
        cancelled.append(address);
        return false;
    }
    if (frame == kMainFrame) {
        m_location = address;
        m_history = m_history.mid(0, m_index + 1);
        m_history.append(address);
        m_index = m_history.size() - 1;
        emit commandStateChanged(BrowserCommand::Back, canGoBack());
        emit commandStateChanged(BrowserCommand::Forward, canGoForward());
    }
    emit navigateComplete(frame, address);
    return true;
}

Browser *FakeBrowser::requestNewWindow(const QString &address)
{
    askTranslateUrl(address);
    Browser *target = askNewWindowTarget(address);
    if (target)
        target->navigate(address);
    return target;
}

void FakeBrowser::goBack()
{
    if (!canGoBack())
        return;
    if (askBeforeNavigate(m_history.at(m_index - 1), kMainFrame, NavigationKind::BackForward))
        return;
    --m_index;
    m_location = m_history.at(m_index);
    emit commandStateChanged(BrowserCommand::Back, canGoBack());
    emit commandStateChanged(BrowserCommand::Forward, canGoForward());
    emit navigateComplete(kMainFrame, m_location);
}

void FakeBrowser::goForward()
{
    if (!canGoForward())
        return;
    if (askBeforeNavigate(m_history.at(m_index + 1), kMainFrame, NavigationKind::BackForward))
        return;
    ++m_index;
    m_location = m_history.at(m_index);
    emit commandStateChanged(BrowserCommand::Back, canGoBack());
    emit commandStateChanged(BrowserCommand::Forward, canGoForward());
    emit navigateComplete(kMainFrame, m_location);
}

} // namespace tovalin
