#pragma once
// The update check's timer `updatetimer`: the first time in a run that the
// parents' menu opens, it is enabled, and the version check follows when it
// fires. Opening the menu only asks for that through this interface.

namespace tovalin {

class UpdateTimerStarter {
public:
    virtual ~UpdateTimerStarter() = default;
    /// Enables `updatetimer`. Called at most once per run of the program.
    virtual void enableUpdateTimer() = 0;
};

/// Remembers whether the timer has been enabled in this run; the first call enables it.
class FirstOpenUpdate {
public:
    explicit FirstOpenUpdate(UpdateTimerStarter *starter) : m_starter(starter) {}
    /// The parents' menu has opened: enables the timer the first time only.
    void menuOpened()
    {
        if (m_done || !m_starter)
            return;
        m_done = true;
        m_starter->enableUpdateTimer();
    }
    bool done() const { return m_done; }

private:
    UpdateTimerStarter *m_starter = nullptr;
    bool m_done = false;
};

} // namespace tovalin
