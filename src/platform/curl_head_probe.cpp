#include "platform/curl_head_probe.h"

#include "platform/transfer.h"

namespace tovalin {

HeadAnswer CurlHeadProbe::head(const QString &address)
{
    TransferRequest request;
    request.address = address;
    request.method = TransferMethod::Head;
    request.totalTimeoutMs = m_timeoutMs;
    request.silenceTimeoutSeconds = int(std::max(1L, std::min(m_timeoutMs, kConnectTimeoutMs) / 1000));
    // The guard asks about the address itself, not where it leads.
    request.maxRedirects = 0;
    const TransferResult result = runTransfer(request);
    HeadAnswer answer;
    // A HEAD that reached the server counts, whatever its status: the guard only reads the type and size.
    answer.ok = result.ok();
    if (answer.ok) {
        answer.contentType = result.contentType;
        answer.contentLength = result.contentLength;
    }
    return answer;
}

} // namespace tovalin
