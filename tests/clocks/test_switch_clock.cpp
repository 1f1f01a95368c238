#include "clocks/switch_clock.h"
#include "clocks/time_clock.h"
#include "clocks/user_clocks.h"
#include "platform/tick_source.h"
#include "support_recording_sound.h"
#include "users/user_profile.h"

#include <QtTest>

using namespace tovalin;

namespace {
const QString kWhistle = QStringLiteral("/prog/resources/sounds/fluit.wav");
}

class TestSwitchClock : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    void intervalFollowsStripWidth_data()
    {
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("intervalMs");
        QTest::newRow("850pxAt5Minutes") << "5" << 850 << 375;
        QTest::newRow("truncatedNotRounded") << "1" << 750 << 85;     // 60000/700 = 85.7
        QTest::newRow("fractionalMinutes") << "1.5" << 650 << 150;    // 90000/600
        QTest::newRow("tinySpanWalksAtOneMs") << "0.00001" << 2000 << 1;
    }
    void intervalFollowsStripWidth()
    {
        QFETCH(QString, minutes);
        QFETCH(int, width);
        QFETCH(int, intervalMs);
        FakeTickSource ticks;
        RecordingSound sound;
        SwitchClock clock(ticks, sound, kWhistle);
        clock.setStripWidth(width);
        clock.setEntry(minutes);
        QVERIFY(clock.start().started);
        QCOMPARE(clock.intervalMs(), SwitchClock::kDesignIntervalMs);
        ticks.tick();
        QCOMPARE(clock.intervalMs(), intervalMs);
        QCOMPARE(clock.rightWalkerLeft(), SwitchClock::kStartLeft + 1);
    }

    void decimalSeparatorOfTheSystem()
    {
        QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
        QCOMPARE(SwitchClock::parseMinutes("1,5"), std::optional<double>(1.5));
        QVERIFY(!SwitchClock::parseMinutes("1.500,5"));
        QLocale::setDefault(QLocale::c());
        QCOMPARE(SwitchClock::parseMinutes("1.5"), std::optional<double>(1.5));
        QVERIFY(!SwitchClock::parseMinutes("0"));
        QVERIFY(!SwitchClock::parseMinutes("-2"));
        QVERIFY(!SwitchClock::parseMinutes("inf"));
        QVERIFY(!SwitchClock::parseMinutes("nan"));
    }

    void figuresTurnAtTheFarEndWithAWhistle()
    {
        FakeTickSource ticks;
        RecordingSound sound;
        SwitchClock clock(ticks, sound, kWhistle);
        clock.setStripWidth(60); // far end 10
        QCOMPARE(clock.leftWalkerLeft(), 10);
        clock.setEntry("1");
        clock.start();
        QCOMPARE(clock.rightWalkerLeft(), 3);

        ticks.tick(7); // 3 -> 10
        QCOMPARE(clock.rightWalkerLeft(), 10);
        QVERIFY(sound.played.isEmpty());
        ticks.tick(); // at the far end: turn
        QVERIFY(!clock.rightWalkerVisible());
        QVERIFY(clock.leftWalkerVisible());
        QCOMPARE(clock.rightWalkerLeft(), 0);
        QCOMPARE(sound.played, QStringList{kWhistle});

        ticks.tick(10); // 10 -> 0
        QCOMPARE(clock.leftWalkerLeft(), 0);
        QCOMPARE(sound.played.size(), 1);
        ticks.tick(); // back at the start: turn again
        QVERIFY(clock.rightWalkerVisible());
        QVERIFY(!clock.leftWalkerVisible());
        QCOMPARE(clock.leftWalkerLeft(), 10);
        QCOMPARE(sound.played.size(), 2);
        ticks.tick();
        QCOMPARE(clock.rightWalkerLeft(), 1);
    }

    void badMinutesHideTheStripButTimerRuns()
    {
        FakeTickSource ticks;
        RecordingSound sound;
        SwitchClock clock(ticks, sound, kWhistle);
        clock.setStripWidth(850);
        clock.setEntry("five");
        QVERIFY(clock.start().started); // no number check at start
        QVERIFY(clock.stripVisible());
        ticks.tick();
        QVERIFY(!clock.stripVisible());
        QVERIFY(clock.running());
        QCOMPARE(clock.rightWalkerLeft(), 3);
    }

    void narrowStripDoesNotStep()
    {
        FakeTickSource ticks;
        RecordingSound sound;
        SwitchClock clock(ticks, sound, kWhistle);
        clock.setStripWidth(50);
        clock.setEntry("5");
        clock.start();
        ticks.tick(3);
        QVERIFY(clock.stripVisible());
        QCOMPARE(clock.rightWalkerLeft(), 3);
        QVERIFY(sound.played.isEmpty());
    }

    void userManagerMinutesWinWhenTicked()
    {
        FakeTickSource ticks;
        RecordingSound sound;
        SwitchClock clock(ticks, sound, kWhistle);
        clock.setStripWidth(850);
        clock.setEntry("5");
        QString managerText = QStringLiteral("10");
        clock.setUserManagerMinutes([&managerText] { return managerText; });
        clock.start();
        ticks.tick();
        QCOMPARE(clock.intervalMs(), 750);
        managerText.clear(); // box not ticked: the dialog's entry counts
        ticks.tick();
        QCOMPARE(clock.intervalMs(), 375);
    }

    void emptyEntryRefusesStart()
    {
        FakeTickSource ticks;
        RecordingSound sound;
        SwitchClock clock(ticks, sound, kWhistle);
        clock.setEntry(" ");
        const SwitchClock::StartResult r = clock.start();
        QVERIFY(!r.started);
        QCOMPARE(r.message, QStringLiteral("You activated the switch clock, but did not enter a time span "));
        QVERIFY(!clock.running());
        QVERIFY(!clock.stripVisible());
    }

    void clickPausesDoubleClickRestartsWalk()
    {
        FakeTickSource ticks;
        RecordingSound sound;
        SwitchClock clock(ticks, sound, kWhistle);
        clock.setStripWidth(850);
        clock.setEntry("5");
        clock.start();
        ticks.tick(5);
        QCOMPARE(clock.rightWalkerLeft(), 8);
        clock.figureClicked();
        QVERIFY(!clock.running());
        QVERIFY(clock.stripVisible());
        QVERIFY(clock.startEnabled());
        QVERIFY(!clock.stopEnabled());
        QCOMPARE(ticks.tick(3), 0);
        clock.figureClicked();
        QVERIFY(clock.running());
        clock.rightWalkerDoubleClicked();
        QCOMPARE(clock.rightWalkerLeft(), 0);
        clock.leftWalkerDoubleClicked();
        QCOMPARE(clock.leftWalkerLeft(), 800);
        clock.stop();
        QVERIFY(!clock.stripVisible());
        QVERIFY(!clock.running());
    }

    void userActivationDrivesBothClocks()
    {
        FakeTickSource timeTicks;
        FakeTickSource switchTicks;
        RecordingSound sound;
        TimeClock timeClock(timeTicks);
        SwitchClock switchClock(switchTicks, sound, kWhistle);
        switchClock.setStripWidth(850);
        UserProfile profile;
        profile.StartWisselKlok = true;
        profile.StartTijdKlok = true;
        profile.MinTijdKlok = QStringLiteral("10 ");
        QCOMPARE(applyUserClocks(profile, timeClock, switchClock), QStringList{"Only whole numbers are allowed"});
        QVERIFY(switchClock.running());
        QVERIFY(switchClock.stripVisible());
        QCOMPARE(switchClock.rightWalkerLeft(), 3);
        QVERIFY(!timeClock.running());

        profile.MinTijdKlok = QStringLiteral("30");
        QVERIFY(applyUserClocks(profile, timeClock, switchClock).isEmpty());
        QVERIFY(timeClock.running());

        profile.StartWisselKlok = false;
        profile.StartTijdKlok = false;
        QVERIFY(applyUserClocks(profile, timeClock, switchClock).isEmpty());
        QVERIFY(!switchClock.running());
        QVERIFY(!switchClock.stripVisible());
        QVERIFY(!timeClock.running());
    }
};

QTEST_GUILESS_MAIN(TestSwitchClock)
#include "test_switch_clock.moc"
