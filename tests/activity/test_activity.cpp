// The child's requests and the activity report as logic: what an allow does to the lists in
// each of its scopes and what the next day takes back, the queue's cap, a requests file that
// cannot be read, the report written as the child surfs, a line broken by a crash, and the
// days kept.

#include "activity/activity_files.h"
#include "activity/activity_recorder.h"
#include "activity/activity_report.h"
#include "activity/request_answers.h"
#include "activity/request_store.h"
#include "clocks/surf_time.h"
#include "core/text_file.h"
#include "platform/tick_source.h"
#include "state/program_state.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>
#include <QtTest>

using namespace tovalin;

namespace {

const QDateTime kMonday(QDate(2024, 5, 6), QTime(10, 0));
// 0600: read and written by the account alone (Qt gives the owner's bits twice, as owner and as user).
const QFileDevice::Permissions kOwnerOnly
    = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser;

bool put(const QString &path, const QStringList &lines)
{
    QDir().mkpath(QFileInfo(path).path());
    return writeLines(path, lines).ok;
}

QStringList linesOf(const QString &path)
{
    return readLines(path).value_or(QStringList{QStringLiteral("<unreadable>")});
}

Request asked(const QString &user, const QString &address, const QString &reason, const QDateTime &when)
{
    Request r;
    r.user = user;
    r.theme = QStringLiteral("Dieren");
    r.address = address;
    r.reason = reason;
    r.asked = when;
    return r;
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

class TestActivity : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString data() const { return m_dir.path(); }
    QString list(const char *theme, const char *ext) const
    {
        return data() + QStringLiteral("/themas/") + QLatin1String(theme) + QLatin1String(ext);
    }

private slots:
    void init()
    {
        QDir(data()).removeRecursively();
        QVERIFY(put(data() + "/gebruikers/Kim.usr", {"[Favorieten]", "gebruikfav=Dieren*Spel*"}));
        for (const char *theme : {"Dieren", "Spel"})
            QVERIFY(put(list(theme, ".llt"), {}));
    }

    void allowScopes_data()
    {
        QTest::addColumn<QStringList>("white");     // Dieren's whitelist before
        QTest::addColumn<QStringList>("black");     // Dieren's blacklist before
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("extent");            // AllowScope::Extent
        QTest::addColumn<int>("themes");            // AllowScope::Themes
        QTest::addColumn<int>("span");              // AllowScope::Span
        QTest::addColumn<QStringList>("whiteAfter");
        QTest::addColumn<QStringList>("blackAfter");
        QTest::addColumn<QStringList>("otherAfter");     // Spel's whitelist
        QTest::addColumn<QStringList>("whiteNextDay");   // Dieren's whitelist after the next day's start
        QTest::addColumn<QStringList>("blackNextDay");
        const QString page = "http://zoo.example/lions/cage.html";
        const QStringList mixed{"http://zoo.example/lions", "http://zz.example/"};
        QTest::newRow("pageInThisThemeAlways")
            << mixed << QStringList{} << page << 0 << 0 << 0
            << QStringList{"http://zoo.example/lions", "http://zz.example/"} << QStringList{} << QStringList{} // the page is covered: compacted away
            << mixed << QStringList{};
        QTest::newRow("siteInAllThemesTodayOnly")
            << mixed << QStringList{} << "http://Zoo.example:80/x?y=1" << 1 << 1 << 1
            << QStringList{"http://zoo.example/", "http://zz.example/"} << QStringList{}
            << QStringList{"http://zoo.example/"}
            << mixed << QStringList{}; // the entry compaction dropped is back
        QTest::newRow("blacklistedPageAlwaysLosesTheEntryThatRefusedIt")
            << QStringList{"http://zoo.example/"} << QStringList{"HTTPS://Zoo.example/scary", "http://zoo.example/other"}
            << "http://zoo.example/scary/" << 0 << 0 << 0
            << QStringList{"http://zoo.example/"} << QStringList{"http://zoo.example/other"} << QStringList{}
            << QStringList{"http://zoo.example/"} << QStringList{"http://zoo.example/other"};
        QTest::newRow("blacklistedPageTodayOnlyIsBlockedAgainNextDay")
            << QStringList{} << QStringList{"http://zoo.example/scary"} << "http://zoo.example/scary" << 0 << 0 << 1
            << QStringList{"http://zoo.example/scary"} << QStringList{} << QStringList{}
            << QStringList{} << QStringList{"http://zoo.example/scary"};
    }
    void allowScopes()
    {
        QFETCH(QStringList, white);
        QFETCH(QStringList, black);
        QFETCH(QString, address);
        QFETCH(int, extent);
        QFETCH(int, themes);
        QFETCH(int, span);
        QVERIFY(put(list("Dieren", ".kvu"), white));
        QVERIFY(put(list("Dieren", ".kou"), black));
        RequestStore store(activity::requestsFile(data()));
        const RequestStore::Added added = store.add(asked("Kim", address, "whitelist", kMonday));
        QVERIFY(added.isNew && added.written.ok);

        const AllowScope scope{AllowScope::Extent(extent), AllowScope::Themes(themes), AllowScope::Span(span)};
        const ThemeListsEditor lists(data());
        const AllowOutcome outcome
            = allowRequest(store, lists, added.id, scope, themesOfUser(data(), "Kim", "Dieren"), kMonday.addSecs(60));
        QVERIFY2(outcome.ok(), qPrintable(outcome.problems.join('\n')));
        QTEST(linesOf(list("Dieren", ".kvu")), "whiteAfter");
        QTEST(linesOf(list("Dieren", ".kou")), "blackAfter");
        QTEST(readLines(list("Spel", ".kvu")).value_or(QStringList()), "otherAfter");
        QCOMPARE(store.find(added.id)->status, RequestStatus::Allowed);

        // The same day's start takes nothing back; the next day's takes back what was for today only.
        QVERIFY(expireTodayOnly(store, lists, kMonday.date()).isEmpty());
        QTEST(linesOf(list("Dieren", ".kvu")), "whiteAfter");
        QVERIFY(expireTodayOnly(store, lists, kMonday.date().addDays(1)).isEmpty());
        QTEST(linesOf(list("Dieren", ".kvu")), "whiteNextDay");
        QTEST(linesOf(list("Dieren", ".kou")), "blackNextDay");
        if (span == int(AllowScope::Span::TodayOnly))
            QCOMPARE(readLines(list("Spel", ".kvu")).value_or(QStringList()), QStringList());
        QVERIFY(store.grants().isEmpty());
    }

    void aThemeThatCannotBeChangedChangesNothing()
    {
        QVERIFY(put(list("Dieren", ".kvu"), {}));
        QVERIFY(QDir().mkpath(list("Spel", ".kvu"))); // a folder in the list's place: unreadable
        RequestStore store(activity::requestsFile(data()));
        const int id = store.add(asked("Kim", "http://zoo.example/", "whitelist", kMonday)).id;
        const AllowScope everywhere{AllowScope::Extent::Page, AllowScope::Themes::AllThemes, AllowScope::Span::Always};
        const AllowOutcome outcome = allowRequest(store, ThemeListsEditor(data()), id, everywhere,
                                                  themesOfUser(data(), "Kim", "Dieren"), kMonday);
        QVERIFY(!outcome.ok());
        QCOMPARE(linesOf(list("Dieren", ".kvu")), QStringList());
        QCOMPARE(store.find(id)->status, RequestStatus::Open);
        // Refused, then asked to refuse again: told, and the first answer stands.
        QVERIFY(refuseRequest(store, id, kMonday).isEmpty());
        QVERIFY(!refuseRequest(store, id, kMonday).isEmpty());
        QCOMPARE(store.find(id)->status, RequestStatus::Refused);
    }

    void theQueueKeepsFiftyOpenRequestsPerChild()
    {
        RequestStore store(activity::requestsFile(data()));
        for (int i = 1; i <= RequestStore::kMaxOpenPerUser + 2; ++i)
            QVERIFY(store.add(asked("Kim", QStringLiteral("http://x.example/%1").arg(i), "whitelist", kMonday.addSecs(i)))
                        .isNew);
        QVERIFY(store.add(asked("Ann", "http://x.example/1", "blacklist", kMonday)).isNew);
        // The same address again while it is open: no second request.
        const RequestStore::Added again = store.add(asked("Kim", "http://x.example/52", "whitelist", kMonday));
        QVERIFY(!again.isNew);
        QCOMPARE(again.id, 52);

        RequestStore reread(store.path());
        QVERIFY(reread.reload());
        QCOMPARE(reread.openCount("Kim"), RequestStore::kMaxOpenPerUser);
        QCOMPARE(reread.openRequests("Kim").first().address, QStringLiteral("http://x.example/52"));
        QCOMPARE(reread.openRequests("Kim").last().address, QStringLiteral("http://x.example/3")); // 1 and 2 fell off
        QCOMPARE(reread.openCount(), RequestStore::kMaxOpenPerUser + 1);
        // The file is the account's alone.
        QCOMPARE(QFile::permissions(store.path()), kOwnerOnly);

        // Answered requests are kept for a week of later requests, then go.
        QVERIFY(refuseRequest(store, 52, kMonday).isEmpty());
        store.add(asked("Kim", "http://later.example/", "whitelist", kMonday.addDays(RequestStore::kAnsweredDays + 1)));
        QVERIFY(!store.find(52));
    }

    void aRequestsFileThatDoesNotReadIsNeverOverwritten()
    {
        const QString path = activity::requestsFile(data());
        QVERIFY(put(path, {"{ \"requests\": [ {\"id\": 1, "}));
        const QByteArray before = bytesOf(path);
        RequestStore store(path);
        QVERIFY(!store.reload());
        const RequestStore::Added added = store.add(asked("Kim", "http://a.example/", "whitelist", kMonday));
        QVERIFY(!added.written.ok);
        QVERIFY(added.written.error.contains(path));
        QCOMPARE(bytesOf(path), before);
    }

    void theRecorderWritesWhatTheChildDid()
    {
        ProgramState state;
        state.setActiveUser("Kim");
        state.setActiveTheme("Dieren");
        ActivityLog log(data());
        RequestStore store(activity::requestsFile(data()));
        QDateTime now = kMonday;
        ActivityRecorder recorder(state, log, store, [&now] { return now; });

        const auto decide = [&](const QString &address, bool mainFrame, bool cancel, Verdict verdict) {
            now = now.addSecs(30);
            recorder.navigationDecided(address, mainFrame, {cancel, verdict});
        };
        recorder.pageCompleted("http://zoo.example/");
        decide("http://ads.example/frame", false, true, Verdict::RefusedBlacklist);
        QCOMPARE(recorder.askState(), ActivityRecorder::AskState::Hidden); // a frame offers nothing
        decide("http://far.example/", true, true, Verdict::RefusedWhitelist);
        QCOMPARE(recorder.askState(), ActivityRecorder::AskState::Offered);
        recorder.ask();
        recorder.ask();
        QCOMPARE(recorder.askState(), ActivityRecorder::AskState::Sent);
        QCOMPARE(store.openCount(), 1);
        decide("http://far.example/", true, true, Verdict::RefusedWhitelist); // asked already: still sent
        QCOMPARE(recorder.askState(), ActivityRecorder::AskState::Sent);
        decide("http://zoo.example/late.pdf", true, true, Verdict::RefusedDocument);
        QCOMPARE(recorder.askState(), ActivityRecorder::AskState::Hidden); // not a refusal to ask about
        decide("http://zoo.example/film.wmv", true, true, Verdict::Video);
        now = now.addSecs(60);
        recorder.pageCompleted("http://zoo.example/");
        recorder.surfed(60);
        state.setActiveTheme("Spel");
        recorder.surfed(25); // told as the theme changed: it counts for the theme that was surfed
        recorder.surfed(60);
        QVERIFY(refuseRequest(store, recorder.askedId(), now).isEmpty());
        recorder.requestAnswered(recorder.askedId());

        const DayReport day = ActivityLog::readDay(data(), "Kim", kMonday.date());
        QCOMPARE(day.skippedLines, 0);
        QCOMPARE(day.minutes(), 2); // 145 seconds
        QCOMPARE(day.themes.size(), 2);
        QCOMPARE(day.themes.at(0).seconds, 85);
        QCOMPARE(day.pages.size(), 1);
        QCOMPARE(day.pages.at(0).count, 2);
        QCOMPARE(day.pages.at(0).last.secsTo(day.pages.at(0).first), -210);
        QCOMPARE(day.refusals.size(), 3);
        QCOMPARE(day.refusals.at(1).count, 2);
        QCOMPARE(day.requests.size(), 1);
        QCOMPARE(day.requests.at(0).status, RequestStatus::Refused);
        QCOMPARE(day.videos.size(), 1);
        // The JSON a school collects: its keys and the addresses as the browser loaded them.
        const QJsonObject json = day.toJson();
        QCOMPARE(json.keys(), (QStringList{"day", "minutes", "pages", "refusals", "requests", "seconds", "skippedLines",
                                           "themes", "user", "videos"}));
        QCOMPARE(json["refusals"].toArray().at(1)["reason"].toString(), QStringLiteral("whitelist"));
        QCOMPARE(json["requests"].toArray().at(0)["status"].toString(), QStringLiteral("refused"));
        QCOMPARE(QFile::permissions(activity::reportFile(data(), "Kim", kMonday.date())), kOwnerOnly);
        // A category list's refusal is the parents' to lift like the lists' own.
        decide("http://casino.example/", true, true, Verdict::RefusedCategory);
        QCOMPARE(recorder.askState(), ActivityRecorder::AskState::Offered);
    }

    void aLineBrokenByACrashIsSkippedAndNothingElse()
    {
        ActivityLog log(data());
        QVERIFY(log.surfed("Kim", "Dieren", 60, kMonday).ok);
        const QString path = activity::reportFile(data(), "Kim", kMonday.date());
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::Append));
            f.write("{\"event\":\"surf\",\"theme\":\"Dieren\",\"sec"); // killed mid-write
        }
        QVERIFY(log.surfed("Kim", "Dieren", 60, kMonday.addSecs(60)).ok);
        const DayReport day = ActivityLog::readDay(data(), "Kim", kMonday.date());
        QCOMPARE(day.skippedLines, 1);
        QCOMPARE(day.seconds(), 120);
    }

    void oldDaysGoAtStart_data()
    {
        QTest::addColumn<int>("keep");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("oneDayKeepsToday") << 1 << QStringList{"2024-05-06.jsonl"};
        QTest::newRow("aWeekKeepsSixDaysBefore") << 7 << QStringList{"2024-04-30.jsonl", "2024-05-06.jsonl"};
        QTest::newRow("aMonthKeepsThirtyDays") << 30 << QStringList{"2024-04-07.jsonl", "2024-04-29.jsonl", "2024-04-30.jsonl", "2024-05-06.jsonl"};
    }
    void oldDaysGoAtStart()
    {
        QFETCH(int, keep);
        const QString folder = activity::reportsFolder(data()) + "/Kim/";
        for (const char *day : {"2024-04-06", "2024-04-07", "2024-04-29", "2024-04-30", "2024-05-06"})
            QVERIFY(put(folder + day + ".jsonl", {}));
        QVERIFY(put(folder + "notes.txt", {})); // not a day: left alone
        QVERIFY(ActivityLog::setKeepDays(data(), keep).ok);
        QCOMPARE(ActivityLog::keepDays(data()), keep);
        ActivityLog::removeOldDays(data(), kMonday.date(), ActivityLog::keepDays(data()));
        QStringList left = QDir(folder).entryList({"*.jsonl"}, QDir::Files);
        QTEST(left, "left");
        QVERIFY(QFile::exists(folder + "notes.txt"));
    }

    void surfTimeTellsMinutesAndThePartMinuteAtAPause()
    {
        FakeTickSource ticks;
        qint64 steady = 0;
        SurfTime surf(ticks, [&steady] { return steady; });
        QList<int> told;
        connect(&surf, &SurfTime::surfed, this, [&told](int s) { told.append(s); });
        ticks.tick(); // not counting: nothing
        surf.setCounting(true);
        steady += 60000;
        ticks.tick();
        steady += 42500;
        surf.setCounting(false); // the parents' menu opens
        steady += 600000;
        ticks.tick();
        surf.setCounting(true);
        steady += 90000; // a stalled timer never counts a part for more than a minute
        surf.flush();
        QCOMPARE(told, (QList<int>{60, 42, 60}));
    }
};

QTEST_MAIN(TestActivity)
#include "test_activity.moc"
