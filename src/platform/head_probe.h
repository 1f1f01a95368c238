#pragma once
// The HEAD request the navigation decision sends for video addresses.

#include <QString>

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
};

/// A probe that never touches the network: every answer is a failure.
class NoNetworkHeadProbe final : public HeadProbe {
public:
    HeadAnswer head(const QString &) override { return {}; }
};

} // namespace tovalin
