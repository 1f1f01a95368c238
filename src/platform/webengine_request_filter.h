#pragma once
// Every request a page of the program's profile makes (pictures, scripts, style sheets,
// frames, fetches) passes this filter before it leaves the engine; the documents the
// browser navigates to are left to the navigation guard, which has judged them already.

#include <QWebEngineUrlRequestInterceptor>
#include <functional>

namespace tovalin {

class WebEngineRequestFilter final : public QWebEngineUrlRequestInterceptor {
public:
    /// Answers true to block the load of `address` asked for by the page at `pageAddress`.
    using Judge = std::function<bool(const QString &address, const QString &pageAddress)>;

    /// Installs itself on the program's profile; the destructor takes it off again.
    explicit WebEngineRequestFilter(Judge judge, QObject *parent = nullptr);
    ~WebEngineRequestFilter() override;

    void interceptRequest(QWebEngineUrlRequestInfo &info) override;

private:
    Judge m_judge;
};

} // namespace tovalin
