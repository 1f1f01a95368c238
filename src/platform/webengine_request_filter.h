#pragma once
// Every request a page of the program's profile makes (the page itself, pictures, scripts,
// style sheets, frames, fetches) passes this filter before it leaves the engine. The judge
// may block it (never a page's own request: the navigation guard has judged the documents the
// browser navigates to), send it to another address, or add a header.

#include <QByteArray>
#include <QUrl>
#include <QWebEngineUrlRequestInterceptor>
#include <functional>

namespace tovalin {

class WebEngineRequestFilter final : public QWebEngineUrlRequestInterceptor {
public:
    struct Answer {
        bool block = false;
        QUrl redirect;           ///< load this address instead; empty: none
        QByteArray headerName;   ///< a header to send with the request; empty: none
        QByteArray headerValue;
    };
    /// The answer for a request of `address`, asked for by the page at `page`; mainFrame for
    /// a page's own request.
    using Judge = std::function<Answer(const QUrl &address, const QUrl &page, bool mainFrame)>;

    /// Installs itself on the program's profile; the destructor takes it off again.
    explicit WebEngineRequestFilter(Judge judge, QObject *parent = nullptr);
    ~WebEngineRequestFilter() override;

    void interceptRequest(QWebEngineUrlRequestInfo &info) override;

private:
    Judge m_judge;
};

} // namespace tovalin
