#include "platform/curl_head_probe.h"

#include "platform/transfer.h"

namespace tovalin {

namespace {

HeadAnswer answerOf(const TransferResult &result)
{
    HeadAnswer answer;
    // A HEAD that reached the server counts, whatever its status: the guard only reads the type and size.
    answer.ok = result.ok();
    if (answer.ok) {
        answer.contentType = result.contentType;
        answer.contentLength = result.contentLength;
    }
    return answer;
}

} // namespace

TransferRequest CurlHeadProbe::requestFor(const QString &address) const
{
    TransferRequest request;
    request.address = address;
    request.method = TransferMethod::Head;
    request.totalTimeoutMs = m_timeoutMs;
    request.silenceTimeoutSeconds = int(std::max(1L, std::min(m_timeoutMs, kConnectTimeoutMs) / 1000));
    // Where a redirect leads is asked about only when the guard allows going there; otherwise
    // the redirect is no answer at all.
    request.redirectJudge = m_redirectJudge;
    return request;
}

HeadAnswer CurlHeadProbe::head(const QString &address)
{
    return answerOf(runJudgedTransfer(requestFor(address)));
}

std::unique_ptr<QObject> CurlHeadProbe::startHead(const QString &address, std::function<void(const HeadAnswer &)> done)
{
    auto transfer = std::make_unique<Transfer>(requestFor(address));
    // The transfer is the receiver: once deleted, its answer is never delivered.
    QObject::connect(transfer.get(), &Transfer::finished, transfer.get(),
                     [done = std::move(done)](const TransferResult &result) { done(answerOf(result)); });
    transfer->start();
    return transfer;
}

} // namespace tovalin
