#pragma once
// A desktop whose front window a test sets, recording each take-back.

#include "platform/desktop_windows.h"

namespace tovalin {

class FakeDesktopWindows final : public DesktopWindows {
public:
    ForegroundWindow front;
    int takeBacks = 0;

    ForegroundWindow foregroundWindow() override { return front; }
    void takeForeground() override
    {
        ++takeBacks;
        // The main window is in front again.
        front = ForegroundWindow{};
        front.exists = true;
        front.ownProcess = true;
    }
};

} // namespace tovalin
