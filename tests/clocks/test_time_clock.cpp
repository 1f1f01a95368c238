#include "clocks/time_clock.h"
#include "platform/tick_source.h"

#include <QSignalSpy>
#include <QtTest>

using namespace tovalin;

class TestTimeClock : public QObject {
    Q_OBJECT
private slots:
    void wholeNumberRule_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("starts");
        QTest::addColumn<int>("intervalMs");
        QTest::newRow("plainNumber") << "30" << true << 1800;
        QTest::newRow("leadingBlankIsSkipped") << " 10" << true << 600;
        QTest::newRow("plusSignAllowed") << "+1" << true << 60;
        QTest::newRow("zeroStarts") << "0" << true << 0;
        QTest::newRow("trailingBlankRefused") << "10 " << false << 0;
        QTest::newRow("wordRefused") << "ten" << false << 0;
        QTest::newRow("digitsThenWordRefused") << "10min" << false << 0;
        QTest::newRow("fractionRefused") << "1.5" << false << 0;
        QTest::newRow("signAloneRefused") << "-" << false << 0;
        QTest::newRow("negativeRefused") << "-5" << false << 0;
        QTest::newRow("beyondTimerRangeRefused") << "99999999" << false << 0;
        QTest::newRow("beyondIntRefused") << "99999999999999999999" << false << 0;
    }
    void wholeNumberRule()
    {
        QFETCH(QString, entry);
        QFETCH(bool, starts);
        QFETCH(int, intervalMs);
        FakeTickSource ticks;
        TimeClock clock(ticks);
        clock.setEntry(entry);
        const TimeClock::StartResult r = clock.start();
        QCOMPARE(r.outcome == TimeClock::StartOutcome::Started, starts);
        QCOMPARE(clock.running(), starts);
        QCOMPARE(clock.gaugeVisible(), starts);
        if (starts) {
            QVERIFY(r.message.isEmpty());
            QCOMPARE(clock.intervalMs(), intervalMs);
        } else {
            QCOMPARE(r.outcome, TimeClock::StartOutcome::NotWholeNumber);
            QCOMPARE(r.message, QStringLiteral("Only whole numbers are allowed"));
        }
    }

    void emptyEntryStartsNothing()
    {
        FakeTickSource ticks;
        TimeClock clock(ticks);
        clock.setEntry("   ");
        const TimeClock::StartResult r = clock.start();
        QCOMPARE(r.outcome, TimeClock::StartOutcome::EmptyEntry);
        QCOMPARE(r.message, QStringLiteral("You activated the clock, but did not enter a time span"));
        QVERIFY(!clock.running());
        QVERIFY(!clock.gaugeVisible());
        QVERIFY(!clock.startEnabled());
        QVERIFY(!clock.stopEnabled());
    }

    void expiresAfterThousandTicks()
    {
        FakeTickSource ticks;
        TimeClock clock(ticks);
        QSignalSpy timeUp(&clock, &TimeClock::timeUp);
        QSignalSpy browserPage(&clock, &TimeClock::browserPageRequested);
        clock.setEntry("1");
        QVERIFY(clock.start().message.isEmpty());
        QCOMPARE(browserPage.count(), 1);
        QCOMPARE(clock.intervalMs(), 60);

        QCOMPARE(ticks.tick(999), 999);
        QCOMPARE(clock.position(), 999);
        QVERIFY(!clock.timeIsUp());
        QCOMPARE(timeUp.count(), 0);

        QCOMPARE(ticks.tick(5), 1); // the last step disables the timer
        QCOMPARE(clock.position(), 1000);
        QVERIFY(clock.timeIsUp());
        QCOMPARE(timeUp.count(), 1);
        QVERIFY(!clock.running());
        QVERIFY(clock.gaugeVisible());
        // Expired: Stop is disabled, Start (with an entry) is enabled.
        QVERIFY(!clock.stopEnabled());
        QVERIFY(clock.startEnabled());

        // Start again releases the clock at 0 and brings the browser page back.
        QVERIFY(clock.start().message.isEmpty());
        QCOMPARE(clock.position(), 0);
        QVERIFY(!clock.timeIsUp());
        QCOMPARE(browserPage.count(), 2);
    }

    void zeroMinutesShowsGaugeButNeverMoves()
    {
        FakeTickSource ticks;
        TimeClock clock(ticks);
        clock.setEntry("0");
        QVERIFY(clock.start().message.isEmpty());
        QCOMPARE(ticks.tick(10), 0);
        QCOMPARE(clock.position(), 0);
        QVERIFY(clock.gaugeVisible());
        QVERIFY(clock.stopEnabled());
    }

    void stopHidesGaugeAndReleases()
    {
        FakeTickSource ticks;
        TimeClock clock(ticks);
        clock.setEntry("2");
        clock.start();
        ticks.tick(1000 * 1);
        QVERIFY(clock.timeIsUp());
        clock.stop();
        QCOMPARE(clock.position(), 0);
        QVERIFY(!clock.gaugeVisible());
        QVERIFY(!clock.running());
        QVERIFY(clock.startEnabled());
    }

    void restartWhileRunningBeginsAtZero()
    {
        FakeTickSource ticks;
        TimeClock clock(ticks);
        clock.setEntry("5");
        clock.start();
        ticks.tick(40);
        QCOMPARE(clock.position(), 40);
        QVERIFY(!clock.startEnabled());
        clock.setEntry("3");
        clock.start(); // Enter in the entry restarts even while Start is disabled
        QCOMPARE(clock.position(), 0);
        QCOMPARE(clock.intervalMs(), 180);
    }

    void refusedNumberLeavesRunningClockAlone()
    {
        FakeTickSource ticks;
        TimeClock clock(ticks);
        clock.setEntry("5");
        clock.start();
        ticks.tick(7);
        clock.setEntry("5 ");
        QCOMPARE(clock.start().outcome, TimeClock::StartOutcome::NotWholeNumber);
        QVERIFY(clock.running());
        QCOMPARE(clock.position(), 7);
        QCOMPARE(clock.intervalMs(), 300);
    }

    void realSourceTicksAndNeverFiresAtZero()
    {
        QtTickSource ticks;
        QSignalSpy spy(&ticks, &TickSource::ticked);
        ticks.start(0);
        QVERIFY(ticks.isActive());
        QTest::qWait(30);
        QCOMPARE(spy.count(), 0);
        ticks.setInterval(5);
        QTRY_VERIFY_WITH_TIMEOUT(spy.count() >= 2, 2000);
        ticks.stop();
        const int seen = int(spy.count());
        QTest::qWait(30);
        QCOMPARE(spy.count(), seen);
    }

    void userActivationRestartsOrStops()
    {
        FakeTickSource ticks;
        TimeClock clock(ticks);
        QVERIFY(clock.activateForUser(true, "30").message.isEmpty());
        QCOMPARE(clock.entry(), QStringLiteral("30"));
        ticks.tick(3);
        QVERIFY(clock.activateForUser(true, "30").message.isEmpty());
        QCOMPARE(clock.position(), 0);
        QCOMPARE(clock.activateForUser(true, "").message,
                 QStringLiteral("You activated the clock, but did not enter a time span"));
        clock.activateForUser(false, "30");
        QVERIFY(!clock.running());
        QVERIFY(!clock.gaugeVisible());
    }
};

QTEST_GUILESS_MAIN(TestTimeClock)
#include "test_time_clock.moc"
