#pragma once

#include "platform/head_probe.h"
#include "platform/transfer.h"

namespace tovalin {

/// HEAD through the program's transfer client, on the calling thread. The whole request, connection included, gives up after
/// kTimeoutMs: the decision waits for it, so the window never stalls longer.
class CurlHeadProbe final : public HeadProbe {
public:
    static constexpr long kTimeoutMs = 3000;
    static constexpr long kConnectTimeoutMs = 2000;
    explicit CurlHeadProbe(long timeoutMs = kTimeoutMs) : m_timeoutMs(timeoutMs) {}
    /// Redirects are followed only where the judge allows (the guard's decision); without a
    /// judge a redirect is a failed request.
    void setRedirectJudge(RedirectJudge judge) { m_redirectJudge = std::move(judge); }
    HeadAnswer head(const QString &address) override;
    /// The same request on a worker thread of its own (a Transfer).
    std::unique_ptr<QObject> startHead(const QString &address, std::function<void(const HeadAnswer &)> done) override;

private:
    TransferRequest requestFor(const QString &address) const;
    long m_timeoutMs;
    RedirectJudge m_redirectJudge;
};

} // namespace tovalin
