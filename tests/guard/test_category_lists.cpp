// Category lists: what the index refuses, how list lines and SafeSearch read, and updates in
// UT1 layout from a local server: good ones, hostile archives, failed, cancelled and busy ones,
// and the state the guard is left in (fail closed while the lists are not there).

#include "guard/address_match.h"
#include "guard/category_archive.h"
#include "guard/category_catalogue.h"
#include "guard/category_filter.h"
#include "guard/category_schedule.h"
#include "guard/category_text.h"
#include "guard/category_update.h"
#include "guard/safe_search.h"
#include "guard/support_guard.h"
#include "support/tar_gz.h"
#include "ui/support_server_thread.h"

#include <QLockFile>
#include <QSignalSpy>
#include <QtTest>

using namespace tovalin;
using namespace tovalin::test;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A data folder with one user, and a filter over it.
struct CategoryWorld {
    QTemporaryDir dir;
    ProgramState state;
    UserProfile profile = strictProfile();
    CategoryFilter filter{state, profile};
    CategoryWorld()
    {
        state.DataFolder = dir.path();
        profile.Kindvriendelijk = false;
    }
    CategoryFiles files() const { return CategoryFiles(dir.path()); }
    CategoryUpdateResult update(const QString &source, const QString &category = {}, const QStringList &wanted = {})
    {
        CategoryUpdateRequest r;
        r.dataFolder = dir.path();
        r.source = source;
        r.category = category;
        r.wanted = wanted;
        const CategoryUpdateResult result = runCategoryUpdate(r);
        filter.reload();
        return result;
    }
    QString refusing(const QString &address) { return filter.refusingCategoryName(address); }
};

} // namespace

class TestCategoryLists : public QObject {
    Q_OBJECT

    GuardWorld m_world; // one index for the matching table

private slots:
    void initTestCase()
    {
        m_world.writeCategories({
            {QStringLiteral("adult"),
             {"bad.example", "*.star.example", "0.0.0.0 hosts.example other.example # a hosts file",
              "XN--BCHER-KVA.example", "büro.example", "Trailing.Example.", "10.1.2.3", "urls:",
              "pages.example/adult", "www.wide.example/dir/", "port.example:8080/p", "port.example:443/q",
              "http://find.example/search?q=bad"}},
            {QStringLiteral("gambling"), {"bet.example"}},
        });
    }

    void matching_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("category");
        const QString adult = QStringLiteral("adult");
        QTest::newRow("hostItself") << adult << "http://bad.example/" << "adult";
        QTest::newRow("hostBelowAtALabelBoundary") << adult << "https://deep.www.bad.example/x" << "adult";
        QTest::newRow("hostOfManyLabels") << adult << "http://a.b.c.d.e.f.g.h.i.j.k.l.m.n.o.p.q.r.bad.example/" << "adult";
        QTest::newRow("hostOfManyLabelsNotBelow") << adult << "http://a.b.c.d.e.f.g.h.i.j.k.l.m.n.o.p.q.r.notbad.example/" << "";
        QTest::newRow("neverAHostThatOnlyEndsTheSame") << adult << "http://notbad.example/" << "";
        QTest::newRow("neverTheParentOfAnEntry") << adult << "http://example/" << "";
        QTest::newRow("letterCaseTrailingDotAndPort") << adult << "HTTP://WWW.BAD.EXAMPLE.:8080/" << "adult";
        QTest::newRow("userInfoHidesNothing") << adult << "http://good.example@bad.example/" << "adult";
        QTest::newRow("userInfoIsNoHost") << adult << "http://bad.example@good.example/" << "";
        QTest::newRow("wildcardEntry") << adult << "http://a.star.example/" << "adult";
        QTest::newRow("hostsFileFormSecondName") << adult << "http://other.example/" << "adult";
        QTest::newRow("aceEntryRefusesTheUnicodeName") << adult << "http://bücher.example/" << "adult";
        QTest::newRow("unicodeEntryRefusesTheAceName") << adult << QString("http://" + QUrl::toAce("büro.example") + "/") << "adult";
        QTest::newRow("trailingDotEntry") << adult << "http://trailing.example/" << "adult";
        QTest::newRow("addressLiteral") << adult << "http://10.1.2.3/" << "adult";
        QTest::newRow("urlsEntryBeginsThePath") << adult << "http://pages.example/adult/pics?x=1" << "adult";
        QTest::newRow("urlsEntryIsAPlainBeginning") << adult << "http://pages.example/adultery" << "adult";
        QTest::newRow("urlsOtherPath") << adult << "http://pages.example/kids" << "";
        QTest::newRow("urlsNotBelowItsHost") << adult << "http://sub.pages.example/adult" << "";
        QTest::newRow("urlsLeadingWwwDropped") << adult << "https://www.pages.example/adult" << "adult";
        QTest::newRow("urlsEntryWwwDropped") << adult << "http://wide.example/dir/x" << "adult";
        QTest::newRow("urlsShorterPathPasses") << adult << "http://wide.example/dir" << "";
        QTest::newRow("urlsPathLetterCase") << adult << "http://pages.example/ADULT" << "adult";
        QTest::newRow("urlsDefaultPortDropped") << adult << "https://pages.example:443/adult" << "adult";
        QTest::newRow("urlsOtherPortCounts") << adult << "http://port.example:8080/p/1" << "adult";
        QTest::newRow("urlsOtherPortOnlyThatPort") << adult << "http://port.example/p/1" << "";
        QTest::newRow("urlsEntryDefaultPortDropped") << adult << "https://port.example/q" << "adult";
        QTest::newRow("urlsQueryCounts") << adult << "http://find.example/search?q=bad&page=2" << "adult";
        QTest::newRow("urlsOtherQuery") << adult << "http://find.example/search?q=kids" << "";
        QTest::newRow("categoryNotChosen") << adult << "http://bet.example/" << "";
        QTest::newRow("secondCategoryChosen") << "adult, gambling" << "http://www.bet.example/" << "gambling";
        QTest::newRow("noCategoryChosen") << "" << "http://bad.example/" << "";
        QTest::newRow("addressWithoutHost") << adult << "data:text/html,bad.example" << "";
    }
    void matching()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, address);
        m_world.profile.Categorieen = chosen;
        QTEST(m_world.categories->refusingCategoryName(address), "category");
        // The navigation guard asks with the address as it has read it already.
        QTEST(m_world.categories->refusingCategoryOfNormal(normalizedAddress(address)), "category");
    }

    void listLines_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("hosts");
        QTest::newRow("plainHost") << QByteArray("  Example.COM.\r") << "example.com";
        QTest::newRow("comment") << QByteArray("# example.com") << "";
        QTest::newRow("hostsFileTwoNames") << QByteArray("0.0.0.0\ta.example  b.example # x") << "a.example,b.example";
        QTest::newRow("hostsFileOwnNames") << QByteArray("127.0.0.1 localhost") << "";
        QTest::newRow("twoWordsAreNeitherForm") << QByteArray("bad example") << "";
        QTest::newRow("emptyLabel") << QByteArray("bad..example") << "";
        QTest::newRow("notAHost") << QByteArray("bad\"example") << "";
        QTest::newRow("latin1Bytes") << QByteArray("b\xfcro.example") << "";
        // Found by fuzzing: the parser made a host with an empty last label of it.
        QTest::newRow("bracketedNameEndingInADot") << QByteArray("[7090.0.].") << "";
    }
    void listLines()
    {
        QFETCH(QByteArray, line);
        QStringList hosts;
        forEachListHost(line, [&hosts](std::string_view h) { hosts.append(QString::fromLatin1(h.data(), qsizetype(h.size()))); });
        QTEST(hosts.join(u','), "hosts");
    }

    void lineReaderPassesOverHugeLines()
    {
        QByteArray text = "a.example\n" + QByteArray(100000, 'x') + "\nb.example\r\nc.example";
        qsizetype at = 0;
        LineReader lines([&](char *data, qint64 max) {
            const qint64 n = std::min<qint64>(max, text.size() - at);
            std::memcpy(data, text.constData() + at, size_t(n));
            at += n;
            return n;
        });
        QStringList got;
        QByteArrayView line;
        while (lines.next(line))
            got.append(QString::fromLatin1(line));
        QCOMPARE(got, (QStringList{"a.example", "b.example", "c.example"}));
    }

    void safeSearch_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("rewritten"); // empty: left as it is
        QTest::addColumn<bool>("youTube");
        const QString same;
        QTest::newRow("googleSearch") << "https://www.google.com/search?q=cats" << "https://www.google.com/search?q=cats&safe=active&ssui=on" << false;
        QTest::newRow("googleSafeOffReplaced") << "https://www.google.nl/search?q=x&SAFE=off&ssui=off" << "https://www.google.nl/search?q=x&safe=active&ssui=on" << false;
        QTest::newRow("googleDoubledValuesOnce") << "https://google.co.uk/search?safe=active&q=x&safe=off&ssui=on" << "https://google.co.uk/search?q=x&safe=active&ssui=on" << false;
        QTest::newRow("googleAlreadySafe") << "https://www.google.com/search?q=x&safe=active&ssui=on" << same << false;
        QTest::newRow("googleHomePage") << "http://www.google.com.au/" << "http://www.google.com.au/?safe=active&ssui=on" << false;
        QTest::newRow("googleOtherPage") << "https://www.google.com/maps?q=x" << same << false;
        QTest::newRow("notGoogle") << "https://google.evil.example/search?q=x" << same << false;
        QTest::newRow("bingSearch") << "https://www.bing.com/search?q=x&adlt=off" << "https://www.bing.com/search?q=x&adlt=strict" << false;
        QTest::newRow("bingImages") << "https://www.bing.com/images/search?q=x" << "https://www.bing.com/images/search?q=x&adlt=strict" << false;
        QTest::newRow("duckDuckGo") << "https://duckduckgo.com/?q=x&kp=-2" << "https://duckduckgo.com/?q=x&kp=1" << false;
        QTest::newRow("duckDuckGoResultsScript") << "https://links.duckduckgo.com/d.js?q=x" << "https://links.duckduckgo.com/d.js?q=x&kp=1" << false;
        QTest::newRow("duckDuckGoStaticFile") << "https://duckduckgo.com/dist/app.js" << same << false;
        QTest::newRow("youTubePage") << "https://www.youtube.com/watch?v=1" << same << true;
        QTest::newRow("youTubeApi") << "https://youtubei.googleapis.com/youtubei/v1/search" << same << true;
        QTest::newRow("youTubeNoCookie") << "https://www.youtube-nocookie.com/embed/1" << same << true;
        QTest::newRow("youTubeInThePathOnly") << "https://evil.example/www.youtube.com" << same << false;
    }
    void safeSearch()
    {
        QFETCH(QString, address);
        QFETCH(QString, rewritten);
        const std::optional<QUrl> got = safeSearchAddress(QUrl(address));
        QCOMPARE(got ? got->toString(QUrl::FullyEncoded) : QString(), rewritten);
        if (got)
            QVERIFY2(!safeSearchAddress(*got), "a rewritten address is rewritten again");
        QTEST(isYouTubeAddress(QUrl(address)), "youTube");
    }

    void updateFromAFolderOfArchives()
    {
        ServerThread server;
        const QByteArray adult = categoryArchive("adult", "bad.example\nporn.example\nporn.example\n", "pages.example/adult\n");
        server.addRoute("/ut1/adult.tar.gz", adult, "application/gzip");
        server.addRoute("/ut1/adult.tar.gz.md5", md5Line(adult, "adult.tar.gz"), "text/plain");
        server.addRoute("/ut1/gambling.tar.gz", categoryArchive("gambling", "bet.example\n"), "application/gzip");
        server.addRoute("/ut1/global_usage",
                        "NAME: adult\nDEFAULT_TYPE: black\nNAME EN: Adult\nNAME NL: Volwassenen\n\nNAME: gambling\nNAME EN: Gambling\n",
                        "text/plain");
        server.addRoute("/lists/bets.txt", "# my own list\n0.0.0.0 bet2.example\n127.0.0.1 localhost\n", "text/plain");

        CategoryWorld w;
        w.profile.Categorieen = QStringLiteral("adult,gambling");
        QCOMPARE(w.filter.state(), CategoryFilter::State::NeverFetched);
        const CategoryUpdateResult r = w.update(server.address("/ut1/"), {}, {"adult", "gambling", "vpn"});
        QVERIFY2(r.ok(), qPrintable(r.message));
        QCOMPARE(r.updated, (QStringList{"adult", "gambling"}));
        QCOMPARE(r.missing, QStringList{"vpn"});
        QCOMPARE(w.filter.state(), CategoryFilter::State::InForce);
        QCOMPARE(w.refusing("http://www.porn.example/"), QStringLiteral("adult"));
        QCOMPARE(w.refusing("http://pages.example/adult/1"), QStringLiteral("adult"));
        QCOMPARE(w.refusing("http://bet.example/"), QStringLiteral("gambling"));
        QVERIFY(CategoryUpdateStatus::read(w.files()).failure.isEmpty());

        // The names come from global_usage, in the interface's language.
        const auto rows = categoryCatalogue(w.filter.index().get(), w.files().names, {}, "nl");
        const auto adultRow = std::find_if(rows.cbegin(), rows.cend(), [](const CategoryRow &row) { return row.name == "adult"; });
        QVERIFY(adultRow != rows.cend());
        QCOMPARE(adultRow->title, QStringLiteral("Volwassenen"));
        QCOMPARE(adultRow->entries, qint64(3)); // the doubled host once
        const QDateTime adultUpdated = adultRow->updated;

        // One category from a plain hosts list: the others stay as they were.
        const CategoryUpdateResult own = w.update(server.address("/lists/bets.txt"), "gambling");
        QVERIFY2(own.ok(), qPrintable(own.message));
        QCOMPARE(w.refusing("http://bet2.example/"), QStringLiteral("gambling"));
        QCOMPARE(w.refusing("http://bet.example/"), QString());
        QCOMPARE(w.refusing("http://porn.example/"), QStringLiteral("adult"));
        const auto index = w.filter.index();
        QCOMPARE(index->categories()[std::size_t(index->categoryNumber(u"adult"))].updated, adultUpdated);
        QCOMPARE(index->categories()[std::size_t(index->categoryNumber(u"gambling"))].entries(), qint64(1));
        // The plain list was fetched once, with no .md5 beside it: nothing else was asked.
        QCOMPARE(server.requestCount("/lists/bets.txt"), 1);
    }

    void hostileArchives_data()
    {
        QTest::addColumn<QByteArray>("archive");
        QTest::addColumn<QByteArray>("md5"); // empty: the source has none
        QTest::addColumn<QString>("failure"); // empty: the update succeeds
        QTest::addColumn<QString>("refused"); // a host the new lists refuse, when it succeeds
        const QByteArray good = categoryArchive("adult", "new.example\n");
        QTest::newRow("traversalNamesAreNeverTaken")
            << gzip(tar({{"../adult/domains", "evil1.example\n"}, {"/adult/domains", "evil2.example\n"},
                         {"adult/../../x/adult/domains", "evil3.example\n"}, {"adult/domains", "new.example\n"}}))
            << QByteArray() << "" << "new.example";
        QTest::newRow("linksAreNeverFollowed") << gzip(tar({{"adult/domains", {}, '2'}})) << QByteArray() << "none of the categories" << "";
        QTest::newRow("hugeEntryRefusesTheWhole") << gzip(tar({{"adult/domains", "x.example\n", '0', qint64(3) << 30}}))
                                                 << QByteArray() << "larger than" << "";
        QTest::newRow("wrongMd5") << good << QByteArray("0123456789abcdef0123456789abcdef  adult.tar.gz\n") << "does not match" << "";
        QTest::newRow("md5FileWithoutDigest") << good << QByteArray("<html>not found</html>") << "no MD5" << "";
        QTest::newRow("errorPageInsteadOfAnArchive") << QByteArray("<html><body>bad.example</body></html>\n") << QByteArray()
                                                     << "no archive" << "";
        QTest::newRow("truncatedArchive") << good.left(good.size() / 2) << QByteArray() << "adult.tar.gz" << "";
        QTest::newRow("damagedHeader") << gzip(QByteArray(512, 'x') + QByteArray(1024, '\0')) << QByteArray() << "no archive" << "";
    }
    void hostileArchives()
    {
        QFETCH(QByteArray, archive);
        QFETCH(QByteArray, md5);
        QFETCH(QString, failure);
        ServerThread server;
        server.addRoute("/ut1/adult.tar.gz", categoryArchive("adult", "old.example\n"), "application/gzip");
        CategoryWorld w;
        w.profile.Categorieen = QStringLiteral("adult");
        QVERIFY(w.update(server.address("/ut1/"), "adult").ok());
        const QByteArray before = fileBytes(w.files().index);

        server.addRoute("/ut1/adult.tar.gz", archive, "application/gzip");
        if (!md5.isEmpty())
            server.addRoute("/ut1/adult.tar.gz.md5", md5, "text/plain");
        const CategoryUpdateResult r = w.update(server.address("/ut1/"), "adult");
        if (failure.isEmpty()) {
            QVERIFY2(r.ok(), qPrintable(r.message));
            QFETCH(QString, refused);
            QCOMPARE(w.refusing("http://" + refused + "/"), QStringLiteral("adult"));
            for (const char *evil : {"evil1.example", "evil2.example", "evil3.example", "old.example"})
                QCOMPARE(w.refusing(QStringLiteral("http://%1/").arg(QLatin1String(evil))), QString());
        } else {
            QVERIFY(!r.ok());
            QVERIFY2(r.message.contains(failure), qPrintable(r.message));
            // The lists in force stay, and the parents are told why.
            QCOMPARE(fileBytes(w.files().index), before);
            QCOMPARE(w.refusing("http://old.example/"), QStringLiteral("adult"));
            QCOMPARE(CategoryUpdateStatus::read(w.files()).failure, r.message);
            QVERIFY(w.filter.problemText().contains(categoryUpdateFailureText(r.failure, r.subject)));
            QVERIFY(!r.subject.isEmpty());
        }
        // Nothing of an archive is ever written under its own names.
        QVERIFY(!QFileInfo::exists(w.dir.path() + "/adult"));
        const QStringList left = QDir(w.files().folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        for (const QString &name : left)
            QVERIFY2(name == "lijsten.idx" || name == "bijwerken.ini", qPrintable(name));
    }

    void failedCancelledAndBusyUpdatesKeepTheOldLists()
    {
        ServerThread server;
        server.addRoute("/ut1/adult.tar.gz", categoryArchive("adult", "old.example\n"), "application/gzip");
        CategoryWorld w;
        w.profile.Categorieen = QStringLiteral("adult");
        QVERIFY(w.update(server.address("/ut1/"), "adult").ok());
        const QByteArray before = fileBytes(w.files().index);

        // A server error fails the update; a category the source lacks is no failure of the others.
        server.addRoute("/ut1/adult.tar.gz", "oops", "text/plain", 500);
        CategoryUpdateResult r = w.update(server.address("/ut1/"), "adult");
        QCOMPARE(r.failure, CategoryUpdateFailure::Transfer);
        r = w.update(server.address("/ut1/"), "vpn");
        QCOMPARE(r.failure, CategoryUpdateFailure::Empty);
        QCOMPARE(fileBytes(w.files().index), before);

        // Cancelled while the archive is on its way.
        server.addRoute("/ut1/adult.tar.gz", categoryArchive("adult", "new.example\n"), "application/gzip");
        server.setAnswerDelay("/ut1/adult.tar.gz", "GET", 20000);
        CategoryUpdater updater;
        QSignalSpy finished(&updater, &CategoryUpdater::finished);
        CategoryUpdateRequest request;
        request.dataFolder = w.dir.path();
        request.source = server.address("/ut1/");
        request.category = "adult";
        QVERIFY(updater.start(request));
        QVERIFY(!updater.start(request)); // one at a time
        QTest::qWait(300);
        updater.cancel();
        QVERIFY(finished.wait(3000));
        QCOMPARE(finished.at(0).at(0).value<CategoryUpdateResult>().failure, CategoryUpdateFailure::Cancelled);
        QCOMPARE(fileBytes(w.files().index), before);

        // Another update of the same data folder is running (another process holds the lock).
        QLockFile lock(w.files().lock);
        QVERIFY(lock.tryLock(0));
        QCOMPARE(w.update(server.address("/ut1/"), "adult").failure, CategoryUpdateFailure::Busy);
    }

    void failsClosedUntilTheListsAreThere()
    {
        CategoryWorld w;
        QCOMPARE(w.filter.state(), CategoryFilter::State::Off);
        QVERIFY(w.filter.problemText().isEmpty());
        w.profile.Categorieen = QStringLiteral("adult");
        w.filter.reload();
        QCOMPARE(w.filter.state(), CategoryFilter::State::NeverFetched);
        QVERIFY(w.filter.forcesWhitelist());
        QVERIFY(!w.filter.problemText().isEmpty());

        // An index that is damaged, cut short or of another kind is not used.
        CategoryIndexBuilder builder;
        builder.beginCategory("adult", QDateTime::currentDateTimeUtc());
        builder.addHost("bad.example");
        QDir().mkpath(w.files().folder);
        QVERIFY(builder.write(w.files().index).ok);
        const QByteArray whole = fileBytes(w.files().index);
        const auto rewrite = [&](const QByteArray &bytes) {
            QFile f(w.files().index);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(bytes);
            f.close();
            w.filter.reload();
        };
        QByteArray flipped = whole;
        flipped[20] = char(flipped[20] ^ 1);
        for (const QByteArray &bad : {whole.left(whole.size() - 8), flipped, QByteArray("not an index at all")}) {
            rewrite(bad);
            QCOMPARE(w.filter.state(), CategoryFilter::State::Unreadable);
            QVERIFY(w.filter.forcesWhitelist());
            QCOMPARE(w.refusing("http://bad.example/"), QString());
        }
        rewrite(whole);
        QCOMPARE(w.filter.state(), CategoryFilter::State::InForce);
        QCOMPARE(w.refusing("http://bad.example/"), QStringLiteral("adult"));
        w.profile.Categorieen = QStringLiteral("adult,gambling");
        QCOMPARE(w.filter.state(), CategoryFilter::State::Incomplete);
        QCOMPARE(w.filter.missingCategories(), QStringList{"gambling"});
        QVERIFY(w.filter.problemText().contains("gambling"));
    }

    void schedule_data()
    {
        QTest::addColumn<QString>("now");
        QTest::addColumn<QString>("success");
        QTest::addColumn<QString>("attempt");
        QTest::addColumn<bool>("due");
        QTest::newRow("eveningNeverUpdated") << "2024-03-01T19:00:00Z" << "" << "" << true;
        QTest::newRow("workingHoursWait") << "2024-03-01T12:00:00Z" << "" << "" << false;
        QTest::newRow("justBeforeEightIsQuiet") << "2024-03-01T07:59:00Z" << "" << "" << true;
        QTest::newRow("eightIsWorkingTime") << "2024-03-01T08:00:00Z" << "" << "" << false;
        QTest::newRow("updatedWithinADay") << "2024-03-02T20:00:00Z" << "2024-03-01T21:00:00Z" << "2024-03-01T21:00:00Z" << false;
        QTest::newRow("updatedADayAgo") << "2024-03-02T21:30:00Z" << "2024-03-01T21:00:00Z" << "2024-03-01T21:00:00Z" << true;
        QTest::newRow("failedAttemptWaitsAnHour") << "2024-03-02T21:30:00Z" << "" << "2024-03-02T21:00:00Z" << false;
        QTest::newRow("failedAttemptAnHourAgo") << "2024-03-02T22:01:00Z" << "" << "2024-03-02T21:00:00Z" << true;
    }
    void schedule()
    {
        QFETCH(QString, now);
        QFETCH(QString, success);
        QFETCH(QString, attempt);
        CategoryUpdateStatus status;
        status.lastSuccess = QDateTime::fromString(success, Qt::ISODate);
        status.lastAttempt = QDateTime::fromString(attempt, Qt::ISODate);
        QTEST(CategoryUpdates::isDue(QDateTime::fromString(now, Qt::ISODate), status), "due");
    }
};

QTEST_GUILESS_MAIN(TestCategoryLists)
#include "test_category_lists.moc"
