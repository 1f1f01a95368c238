#pragma once
// The HEAD request the navigation decision sends for video addresses.

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace tovalin {

struct HeadAnswer {
    bool ok = false;          ///< false on any failure or time-out
    QString contentType;      ///< empty when the server sent none or the request failed
    qint64 contentLength = -1; ///< -1 when unknown
};

class HeadProbe {
public:
    virtual ~HeadProbe() = default;
    /// Sends a HEAD request; blocks at most the probe's time-out.
    virtual HeadAnswer head(const QString &address) = 0;
    /// Sends a HEAD request in the background when the probe can: done is called on the calling
    /// thread with the answer, unless the returned request was deleted first (deleting it ends
    /// the request). Null when the probe can only ask with head().
    virtual std::unique_ptr<QObject> startHead(const QString &address, std::function<void(const HeadAnswer &)> done)
    {
        Q_UNUSED(address);
        Q_UNUSED(done);
        return nullptr;
    }
};

/// A probe that never touches the network: every answer is a failure.
class NoNetworkHeadProbe final : public HeadProbe {
public:
    HeadAnswer head(const QString &) override { return {}; }
};

} // namespace tovalin
