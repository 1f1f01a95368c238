#pragma once
// A watchdog that records what it is asked, for logic tests.

#include "platform/restart_watchdog.h"

#include <QList>

namespace tovalin {

class FakeRestartWatchdog final : public RestartWatchdog {
public:
    QList<WatchRequest> requests;
    int stops = 0;
    StartResult answer = StartResult::Watching;

    StartResult watch(const WatchRequest &request) override
    {
        requests << request;
        return answer;
    }
    void stop() override { ++stops; }
};

} // namespace tovalin
