#pragma once
// A repeating tick for the clocks: the window timer of the design, behind an
// interface so the clocks can be driven tick by tick in tests instead of
// waiting minutes.
//
// Like the window timer it stands for, a source with an interval of 0 (or
// less) counts as enabled but never fires.

#include <QObject>
#include <QTimer>

namespace tovalin {

class TickSource : public QObject {
    Q_OBJECT
public:
    explicit TickSource(QObject *parent = nullptr) : QObject(parent) {}
    ~TickSource() override = default;

    /// Enables the source with this interval; a running source restarts its period.
    virtual void start(int intervalMs) = 0;
    /// Disables the source; no tick follows.
    virtual void stop() = 0;
    /// Changes the interval; a running source goes on with the new period (the next tick waits a full new period).
    virtual void setInterval(int intervalMs) = 0;
    virtual bool isActive() const = 0;
    virtual int interval() const = 0;

signals:
    /// One period has passed while the source was enabled.
    void ticked();
};

/// The real source: a QTimer on the thread that owns it.
class QtTickSource final : public TickSource {
    Q_OBJECT
public:
    explicit QtTickSource(QObject *parent = nullptr);

    void start(int intervalMs) override;
    void stop() override;
    void setInterval(int intervalMs) override;
    bool isActive() const override { return m_enabled; }
    int interval() const override { return m_interval; }

private:
    void arm();

    QTimer m_timer;
    int m_interval = 0;
    bool m_enabled = false;
};

/// A source that ticks only when a test says so.
class FakeTickSource final : public TickSource {
    Q_OBJECT
public:
    explicit FakeTickSource(QObject *parent = nullptr) : TickSource(parent) {}

    void start(int intervalMs) override
    {
        m_interval = intervalMs;
        m_enabled = true;
    }
    void stop() override { m_enabled = false; }
    void setInterval(int intervalMs) override { m_interval = intervalMs; }
    bool isActive() const override { return m_enabled; }
    int interval() const override { return m_interval; }

    /// Fires up to count ticks, as the real source would: none while disabled or with an interval
    /// below 1, and none after a tick handler disabled it. Returns how many fired.
    int tick(int count = 1);

private:
    int m_interval = 0;
    bool m_enabled = false;
};

} // namespace tovalin
