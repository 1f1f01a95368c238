#pragma once

#include "platform/head_probe.h"

namespace tovalin {

/// HEAD through the program's transfer client, on the calling thread. The whole request, connection included, gives up after
/// kTimeoutMs: the decision waits for it, so the window never stalls longer.
class CurlHeadProbe final : public HeadProbe {
public:
    static constexpr long kTimeoutMs = 3000;
    static constexpr long kConnectTimeoutMs = 2000;
    explicit CurlHeadProbe(long timeoutMs = kTimeoutMs) : m_timeoutMs(timeoutMs) {}
    HeadAnswer head(const QString &address) override;

private:
    long m_timeoutMs;
};

} // namespace tovalin
