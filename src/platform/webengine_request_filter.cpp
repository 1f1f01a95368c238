#include "platform/webengine_request_filter.h"

#include "platform/webengine_browser.h"

#include <QCoreApplication>
#include <QThread>
#include <QWebEngineProfile>

namespace tovalin {

WebEngineRequestFilter::WebEngineRequestFilter(Judge judge, QObject *parent)
    : QWebEngineUrlRequestInterceptor(parent)
    , m_judge(std::move(judge))
{
    WebEngineBrowser::programProfile()->setUrlRequestInterceptor(this);
}

WebEngineRequestFilter::~WebEngineRequestFilter()
{
    // The profile lives until the application ends; it must not call a filter that is gone.
    if (QWebEngineProfile *profile = WebEngineBrowser::programProfile())
        profile->setUrlRequestInterceptor(nullptr);
}

void WebEngineRequestFilter::interceptRequest(QWebEngineUrlRequestInfo &info)
{
    // The engine asks on the window's thread, where the lists live and change; should it ever
    // ask from another thread, the lists cannot be read safely there and the load is blocked.
    if (QThread::currentThread() != QCoreApplication::instance()->thread()) {
        info.block(true);
        return;
    }
    if (!m_judge)
        return;
    const bool mainFrame = info.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeMainFrame;
    const Answer answer = m_judge(info.requestUrl(), info.firstPartyUrl(), mainFrame);
    if (answer.block && !mainFrame) {
        info.block(true);
        return;
    }
    if (!answer.headerName.isEmpty())
        info.setHttpHeader(answer.headerName, answer.headerValue);
    if (!answer.redirect.isEmpty() && answer.redirect != info.requestUrl())
        info.redirect(answer.redirect);
}

} // namespace tovalin
