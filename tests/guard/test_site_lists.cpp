#include "core/text.h"
#include "guard/entry_store.h"
#include "guard/support_guard.h"

#include <QFile>
#include <algorithm>
#include <QSignalSpy>
#include <QUrl>
#include <QtTest>

using namespace tovalin;
using namespace tovalin::test;

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

class TestSiteLists : public QObject {
    Q_OBJECT
private slots:
    void listFilesInAndOut_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("sortedCrLfFileComesBackUnchanged")
            << QByteArray("a.example\r\nB.example\r\nc.example\r\n") << QStringList{"a.example", "B.example", "c.example"}
            << QByteArray("a.example\r\nB.example\r\nc.example\r\n");
        QTest::newRow("crAndLfLineEndsAreSavedAsCrLf")
            << QByteArray("a\rb\nc\r\nd") << QStringList{"a", "b", "c", "d"} << QByteArray("a\r\nb\r\nc\r\nd\r\n");
        QTest::newRow("unsortedFileIsSavedSortedIgnoringCase")
            << QByteArray("zoo\r\nApe\r\nbee\r\n") << QStringList{"Ape", "bee", "zoo"} << QByteArray("Ape\r\nbee\r\nzoo\r\n");
        QTest::newRow("equalKeysKeepTheirFileOrder")
            << QByteArray("b\r\nX\r\nx\r\nA\r\n") << QStringList{"A", "b", "X", "x"} << QByteArray("A\r\nb\r\nX\r\nx\r\n");
        QTest::newRow("emptyLinesAndBlanksSurvive")
            << QByteArray("b\r\n\r\n a \r\n") << QStringList{"", " a ", "b"} << QByteArray("\r\n a \r\nb\r\n");
        QTest::newRow("cp1252FileIsReadAndSavedAsUtf8")
            << QByteArray("caf\xe9.example\r\n") << QStringList{QString::fromUtf8("café.example")}
            << QByteArray("caf\xc3\xa9.example\r\n");
        QTest::newRow("everyByteOrderMarkInFrontOfTheFileGoes")
            << QByteArray("\xef\xbb\xbf\xef\xbb\xbf" "a.example\r\nb\r\n") << QStringList{"a.example", "b"}
            << QByteArray("a.example\r\nb\r\n");
        // Found by fuzzing: the mark was kept in the list's bytes but dropped from its text.
        QTest::newRow("aByteOrderMarkInFrontOfALaterLineBelongsToIt")
            << QByteArray("a\r\n\xef\xbb\xbf" "b\r\n") << QStringList{"a", QString(QChar(0xFEFF)) + u'b'}
            << QByteArray("a\r\n\xef\xbb\xbf" "b\r\n");
        QTest::newRow("aFileOfByteOrderMarksOnlyIsEmpty")
            << QByteArray("\xef\xbb\xbf\xef\xbb\xbf") << QStringList{} << QByteArray();
        QTest::newRow("emptyFileIsEmptyList") << QByteArray() << QStringList{} << QByteArray();
        // The file is read a mebibyte at a time: a CR ends the first piece, its LF begins the next.
        const QByteArray longLine((1 << 20) - 1, 'a');
        QTest::newRow("aCrLfAcrossTwoPiecesOfTheReadIsOneLineEnd")
            << longLine + "\r\nb\rc" << QStringList{QString::fromLatin1(longLine), "b", "c"}
            << longLine + "\r\nb\r\nc\r\n";
        // A large file is read in two halves at once: the rows below put the seam on the cases.
        QTest::newRow("outOfOrderOnlyAcrossTheMiddle")
            << QByteArray("bbbb\r\na\r\n") << QStringList{"a", "bbbb"} << QByteArray("a\r\nbbbb\r\n");
        QTest::newRow("crLfOnTheMiddle") << QByteArray("ab\r\ncd") << QStringList{"ab", "cd"} << QByteArray("ab\r\ncd\r\n");
        QTest::newRow("crAloneOnTheMiddle") << QByteArray("abc\rde") << QStringList{"abc", "de"} << QByteArray("abc\r\nde\r\n");
        QTest::newRow("cp1252OnlyInTheSecondHalf")
            << QByteArray("a.example\r\nb.example\r\ncaf\xe9\r\n")
            << QStringList{"a.example", "b.example", QString::fromUtf8("café")}
            << QByteArray("a.example\r\nb.example\r\ncaf\xc3\xa9\r\n");
    }
    // The lists' order on UTF-8 bytes is QString's case-insensitive order, also where two
    // entries share a long beginning that differs only in letter case or holds other letters.
    void entryOrderIsTheTextOrder()
    {
        const QList<QByteArray> entries = {
            "http://www.example.org/a", "HTTP://WWW.EXAMPLE.ORG/B", "http://www.example.org/", "http://www.example.org",
            "http://www.example.org/a", "http://www.exAmple.org/a", "http://www.example.org/\xc3\xa9", "http://www.example.org/\xc3\x89",
            "http://www.\xc3\xa9xample.org/", "http://www.Example.org/zz", "abcdefgh", "ABCDEFGHI", "abcdefg\xc3\xa9", "", "a",
            "http://www.example.org/[", "http://www.example.org/_", "http://www.example.org/^"};
        for (const QByteArray &a : entries) {
            for (const QByteArray &b : entries) {
                const bool text = QString::compare(textOfUtf8(a), textOfUtf8(b), Qt::CaseInsensitive) < 0;
                QVERIFY2(lessThanUtf8(a, b) == text, QByteArray(a + " < " + b).constData());
            }
        }
    }

    void listFilesInAndOut()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, entries);
        QFETCH(QByteArray, saved);
        GuardWorld w;
        for (SiteList which : {SiteList::White, SiteList::Black, SiteList::Popup})
            QVERIFY(writeBytes(w.lists->fileOf(which), file));
        // Read in two halves at once (as a large file is) or in one go: the same entries, the same order.
        const ListFileRead whole = readListFile(w.lists->fileOf(SiteList::Black), kMaxListFileBytes, kMaxListFileBytes);
        const ListFileRead halves = readListFile(w.lists->fileOf(SiteList::Black), kMaxListFileBytes, 1);
        QCOMPARE(halves.error, whole.error);
        QCOMPARE(halves.inOrder, whole.inOrder);
        QCOMPARE(halves.entries.idCount(), whole.entries.idCount());
        for (EntryStore::Id id = 0; id < EntryStore::Id(whole.entries.idCount()); ++id)
            QCOMPARE(halves.entries.bytes(id), whole.entries.bytes(id));
        w.lists->LoadSiteLists();
        for (SiteList which : {SiteList::White, SiteList::Black, SiteList::Popup})
            QCOMPARE(w.lists->list(which).items(), entries);
        QVERIFY(w.lists->SaveSiteLists().ok);
        for (SiteList which : {SiteList::White, SiteList::Black, SiteList::Popup})
            QCOMPARE(readAll(w.lists->fileOf(which)), saved);
    }

    void readingAheadGivesWhatTheFileHoldsWhenTheListIsLoaded()
    {
        GuardWorld w;
        const QString black = w.lists->fileOf(SiteList::Black);
        const QString white = w.lists->fileOf(SiteList::White);
        // More entries than the key table fetches ahead, in both forms of key, out of order.
        QByteArray blackFile;
        QStringList blackEntries;
        for (int i = 39; i >= 0; --i) {
            const QString entry = QStringLiteral("%1://bad-%2.example/").arg(i % 3 ? "http" : "https").arg(i);
            blackFile += entry.toUtf8() + "\r\n";
            blackEntries.append(entry);
        }
        QVERIFY(writeBytes(black, blackFile));
        QVERIFY(writeBytes(white, "kids.example\r\n"));
        w.lists->readAhead(w.state.activeTheme());
        // Changed after the reading began: the load reads the file again.
        QVERIFY(writeBytes(white, "zoo.example\r\nkids.example\r\n"));
        w.lists->LoadSiteLists();
        std::sort(blackEntries.begin(), blackEntries.end(), SortedList::lessThan);
        QCOMPARE(w.lists->blacklist().items(), blackEntries);
        QCOMPARE(w.lists->whitelist().items(), (QStringList{"kids.example", "zoo.example"}));
        for (int i = 0; i < 40; ++i) {
            const QString site = QStringLiteral("bad-%1.example/").arg(i);
            QVERIFY2(w.lists->IsBlacklisted(QStringLiteral("http://") + site), qPrintable(site));
            QVERIFY2(w.lists->IsBlacklisted(QStringLiteral("https://") + site), qPrintable(site));
        }
        QVERIFY(!w.lists->IsBlacklisted(QStringLiteral("http://bad-40.example/")));
        // The key table built on the worker is the list's own: an entry taken off is gone from it.
        const int row = int(blackEntries.indexOf(QStringLiteral("https://bad-0.example/")));
        w.lists->blacklist().removeAt(row);
        QVERIFY(!w.lists->IsBlacklisted(QStringLiteral("https://bad-0.example/")));
        QVERIFY(w.lists->IsBlacklisted(QStringLiteral("https://bad-3.example/")));

        // Another theme's lists read ahead never stand in for the active theme's.
        const QString other = w.state.themesFolder() + QStringLiteral("/Other.kou");
        QVERIFY(writeBytes(other, "http://other.example/\r\n"));
        w.lists->readAhead(QStringLiteral("Other"));
        QVERIFY(writeBytes(black, "http://worse.example/\r\n"));
        w.lists->LoadSiteLists();
        QCOMPARE(w.lists->blacklist().items(), QStringList{"http://worse.example/"});
    }

    void missingFilesLoadEmptyAndCreateNothing()
    {
        GuardWorld w;
        w.lists->whitelist().add("stale");
        w.lists->LoadSiteLists();
        QCOMPARE(w.lists->whitelist().size(), 0);
        QVERIFY(QDir(w.state.themesFolder()).isEmpty());
    }

    void garbageAndHugeLinesLoadWithoutHarm()
    {
        GuardWorld w;
        QByteArray junk(4096, '\0');
        for (int i = 0; i < junk.size(); ++i)
            junk[i] = char((i * 7919) % 256);
        const QByteArray huge(1 << 20, 'h');
        QVERIFY(writeBytes(w.lists->fileOf(SiteList::White), junk + "\r\n" + huge + "\r\nkids.example\r\n"));
        w.lists->LoadSiteLists();
        QVERIFY(w.lists->whitelist().items().contains(QString::fromLatin1(huge)));
        QVERIFY(!w.lists->IsNotWhitelisted("http://kids.example/"));
        QVERIFY(w.lists->IsNotWhitelisted("http://other.example/"));
        QVERIFY(w.lists->SaveSiteLists().ok);
    }

    void saveFailureIsToldOnceAndTheChangeStaysInForce()
    {
        GuardWorld w;
        QVERIFY(writeBytes(w.lists->fileOf(SiteList::White), "old.example\r\n"));
        w.lists->LoadSiteLists();
        // The themes "folder" becomes a regular file, so nothing can be written below it (even as root).
        const QString themes = w.state.themesFolder();
        QVERIFY(QDir(themes).removeRecursively());
        QVERIFY(writeBytes(themes, "not a folder"));
        QSignalSpy failed(w.lists.get(), &SiteLists::saveFailed);
        w.lists->whitelist().add("kids.example");
        const WriteResult r = w.lists->SaveSiteLists();
        QVERIFY(!r.ok);
        QCOMPARE(failed.count(), 1); // one message for one save, naming every file
        const QString message = failed.at(0).at(0).toString();
        QVERIFY2(message.contains("Dieren.kvu") && message.contains("Dieren.kpu"), qPrintable(message));
        QCOMPARE(r.error, message);

        // The activation that follows the message does not read the old file over the change.
        w.lists->LoadSiteLists();
        QCOMPARE(w.lists->whitelist().items(), (QStringList{"kids.example", "old.example"}));
        QVERIFY(!w.lists->IsNotWhitelisted("http://kids.example/"));
        // Nor does a switch to another theme and back: the change waits for its theme.
        w.state.setActiveTheme(QStringLiteral("Other"));
        w.lists->LoadSiteLists();
        QVERIFY(w.lists->whitelist().items().isEmpty());
        w.state.setActiveTheme(QStringLiteral("Dieren"));
        w.lists->LoadSiteLists();
        QCOMPARE(w.lists->whitelist().items(), (QStringList{"kids.example", "old.example"}));

        // Once the folder is back, the next save writes the change.
        QVERIFY(QFile::remove(themes));
        QVERIFY(QDir().mkpath(themes));
        QVERIFY(w.lists->SaveSiteLists().ok);
        QCOMPARE(failed.count(), 1);
        QCOMPARE(readAll(w.lists->fileOf(SiteList::White)), QByteArray("kids.example\r\nold.example\r\n"));
        // Saved, the lists follow their files again.
        QVERIFY(writeBytes(w.lists->fileOf(SiteList::White), "new.example\r\n"));
        w.lists->LoadSiteLists();
        QCOMPARE(w.lists->whitelist().items(), QStringList{"new.example"});
    }

    void unreadableFileIsNeverReplacedByAnEmptyList()
    {
        GuardWorld w;
        QFile big(w.lists->fileOf(SiteList::Black));
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(kMaxListFileBytes + 1));
        big.close();
        QSignalSpy loadFailed(w.lists.get(), &SiteLists::loadFailed);
        w.lists->LoadSiteLists();
        QCOMPARE(loadFailed.count(), 1);
        QVERIFY(loadFailed.at(0).at(0).toString().contains("Dieren.kou"));
        QCOMPARE(w.lists->blacklist().size(), 0);
        w.lists->whitelist().add("kids.example");
        QVERIFY(!w.lists->SaveSiteLists().ok);
        QCOMPARE(QFileInfo(big.fileName()).size(), kMaxListFileBytes + 1);
        QCOMPARE(readAll(w.lists->fileOf(SiteList::White)), QByteArray("kids.example\r\n"));

        // Every activation of the window loads again, and closing the warning activates it:
        // the same failure is told once, and again only after the file was fine in between.
        w.lists->LoadSiteLists();
        w.lists->LoadSiteLists();
        QCOMPARE(loadFailed.count(), 1);
        QVERIFY(big.resize(10));
        w.lists->LoadSiteLists();
        QVERIFY(big.resize(kMaxListFileBytes + 1));
        w.lists->LoadSiteLists();
        QCOMPARE(loadFailed.count(), 2);
    }

    void unreadableListFailsClosed_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("tooLarge") << "large";
        QTest::newRow("folderInItsPlace") << "folder";
        QTest::newRow("noReadPermission") << "mode";
    }
    void unreadableListFailsClosed()
    {
        QFETCH(QString, how);
        GuardWorld w;
        w.profile.StartURL = "http://start.example/index.html";
        w.profile.Kindvriendelijk = false; // the parent's settings do not reopen what cannot be judged
        QVERIFY(writeBytes(w.lists->fileOf(SiteList::White), "kids.example\r\n"));
        const QString black = w.lists->fileOf(SiteList::Black);
        if (how == "large") {
            QFile f(black);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.resize(kMaxListFileBytes + 1));
        } else if (how == "folder") {
            QVERIFY(QDir().mkpath(black));
        } else {
            QVERIFY(writeBytes(black, "http://bad.example/\r\n"));
            QVERIFY(QFile::setPermissions(black, QFileDevice::WriteOwner));
            if (QFile(black).open(QIODevice::ReadOnly))
                QSKIP("this user reads files whatever their permissions say (root)");
        }
        QSignalSpy problem(w.lists.get(), &SiteLists::listProblemChanged);
        w.lists->LoadSiteLists();
        QVERIFY(w.lists->failingClosed());
        QCOMPARE(problem.count(), 1);
        QVERIFY2(w.lists->listProblem().contains("Dieren.kou"), qPrintable(w.lists->listProblem()));

        QVERIFY(w.lists->IsNotWhitelisted("http://kids.example/"));
        QVERIFY(w.lists->IsNotWhitelisted("http://other.example/"));
        QVERIFY(w.lists->IsNotWhitelisted("javascript:void(0)"));
        QVERIFY(!w.lists->IsNotWhitelisted("http://start.example/deep/page"));
        QVERIFY(!w.lists->IsNotWhitelisted("http://www.tovalin.example/themas/themas.php"));
        QVERIFY(!w.lists->IsNotWhitelisted("about:blank"));
        QCOMPARE(w.verdictOf("http://kids.example/"), QString("refused:whitelist"));

        // Nothing is saved over the file; once it reads again, so do the lists.
        w.lists->whitelist().add("more.example");
        QVERIFY(!w.lists->SaveSiteLists().ok);
        if (how == "folder") {
            QVERIFY(QFileInfo(black).isDir());
            QVERIFY(QDir(black).removeRecursively());
        } else {
            if (how == "large")
                QCOMPARE(QFileInfo(black).size(), kMaxListFileBytes + 1);
            QVERIFY(QFile::remove(black));
        }
        w.lists->LoadSiteLists();
        QVERIFY(!w.lists->failingClosed());
        QVERIFY(w.lists->listProblem().isEmpty());
        QCOMPARE(problem.count(), 2);
        QVERIFY(!w.lists->IsNotWhitelisted("http://other.example/"));
    }

    void sortedListTellsItsViews()
    {
        SortedList list;
        list.setItems({"c", "a"});
        QSignalSpy inserted(&list, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(&list, &QAbstractItemModel::rowsRemoved);
        QCOMPARE(list.add("B"), 1);
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(inserted.at(0).at(1).toInt(), 1);
        QCOMPARE(list.data(list.index(1)).toString(), QString("B"));
        list.add("b");
        QCOMPARE(list.items(), (QStringList{"a", "B", "b", "c"}));
        QCOMPARE(list.removeAll("b"), 1);
        QCOMPARE(removed.count(), 1);
        QVERIFY(list.contains("B"));
        QVERIFY(!list.contains("b"));
    }

    void addressTests_data()
    {
        QTest::addColumn<QStringList>("white");
        QTest::addColumn<QStringList>("black");
        QTest::addColumn<bool>("whiteOn");
        QTest::addColumn<bool>("blackOn");
        QTest::addColumn<QString>("startUrl");
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("notWhitelisted");
        QTest::addColumn<bool>("blacklisted");
        QTest::addColumn<bool>("sites"); // "Whitelist entries are sites"
        const QString start = "http://start.example/index.html";
        const QStringList none;
        QTest::newRow("emptyWhitelistRefusesOtherSites") << none << none << true << true << start << "http://other.example/" << true << false << false;
        QTest::newRow("emptyWhitelistPassesStartPageSite") << none << none << true << true << start << "http://start.example/deep/page" << false << false << false;
        QTest::newRow("httpsStartPagePassesItsOwnSite") << none << none << true << true << "https://secure.example/home" << "https://secure.example/x" << false << false << false;
        QTest::newRow("emptyStartPageAddsNothing") << none << none << true << true << "" << "http://start.example/" << true << false << false;
        QTest::newRow("startPageWithoutSchemeLosesSevenCharacters") << none << none << true << true << "1234567kids.example/a" << "http://KIDS.example/" << false << false << false;
        QTest::newRow("vendorHostPasses") << none << none << true << true << start << "http://www.tovalin.example/themas/themas.php" << false << false << false;
        QTest::newRow("aboutBlankPasses") << none << none << true << true << start << "about:blank" << false << false << false;
        QTest::newRow("javascriptPasses") << none << none << true << true << start << "JavaScript:void(0)" << false << false << false;
        QTest::newRow("fourLetterFragmentMatchesInAnyCaseBeforeTheQuery") << QStringList{"zebr"} << none << true << true << start << "http://x.example/ZEBRA/?animal=ape" << false << false << false;
        QTest::newRow("emptyWhitelistEntryAllowsNothing") << QStringList{""} << none << true << true << start << "http://other.example/" << true << false << false;
        QTest::newRow("shortenerFailsEvenWhenWhitelisted") << QStringList{"tinyurl.com"} << none << true << true << start << "http://TinyURL.com/abc" << true << false << false;
        QTest::newRow("shortenerFailsEvenOnVendorHost") << none << none << true << true << start << "http://www.tovalin.example/?go=tinyurl.com" << true << false << false;
        QTest::newRow("shortenerPassesWithWhitelistOff") << none << none << false << true << start << "http://tinyurl.com/abc" << false << false << false;
        QTest::newRow("whitelistOffPassesEverything") << none << none << false << true << start << "http://other.example/" << false << false << false;
        const QStringList bad{"http://bad.example/page", "http://slash.example/"};
        QTest::newRow("blacklistMatchesExactAddress") << QStringList{"example"} << bad << true << true << start << "http://bad.example/page" << false << true << false;
        QTest::newRow("blacklistMatchesAddressWithFinalSlash") << QStringList{"example"} << bad << true << true << start << "http://bad.example/page/" << false << true << false;
        QTest::newRow("blacklistIgnoresLongerAddress") << QStringList{"example"} << bad << true << true << start << "http://bad.example/page/more" << false << false << false;
        QTest::newRow("blacklistIgnoresHostCase") << QStringList{"example"} << bad << true << true << start << "http://BAD.example/page" << false << true << false;
        QTest::newRow("blacklistKeepsPathCase") << QStringList{"example"} << bad << true << true << start << "http://bad.example/PAGE" << false << false << false;
        QTest::newRow("blacklistEntryWithSlashNeedsTheSlash") << QStringList{"example"} << bad << true << true << start << "http://slash.example" << false << false << false;
        QTest::newRow("blacklistOffMatchesNothing") << QStringList{"example"} << bad << true << false << start << "http://bad.example/page" << false << false << false;
        const QStringList sneaky{"http://bad.example/?about:blank", "http://bad.example/?javascript"};
        QTest::newRow("aboutBlankInQueryDoesNotUnblock") << QStringList{"example"} << sneaky << true << true << start << "http://bad.example/?about:blank" << false << true << false;
        QTest::newRow("javascriptInQueryDoesNotUnblock") << QStringList{"example"} << sneaky << true << true << start << "http://bad.example/?javascript" << false << true << false;
        // Always-passing texts pass only where they mean what they say.
        QTest::newRow("javascriptInQueryDoesNotPass") << none << none << true << true << start << "http://any.site/?javascript" << true << false << false;
        QTest::newRow("javascriptInPathDoesNotPass") << none << none << true << true << start << "ftp://evil.example/javascript" << true << false << false;
        QTest::newRow("aboutBlankInQueryDoesNotPass") << none << none << true << true << start << "http://any.site/?x=about:blank" << true << false << false;
        QTest::newRow("vendorHostInPathDoesNotPass") << none << none << true << true << start << "http://evil.example/www.tovalin.example/" << true << false << false;
        QTest::newRow("vendorSubdomainPasses") << none << none << true << true << start << "http://cdn.tovalin.example/a" << false << false << false;
        QTest::newRow("vendorHostIsNeverBlacklisted") << none << QStringList{"http://www.tovalin.example/x"} << true << true << start << "http://www.tovalin.example/x" << false << false << false;
        // An entry found only in the query or the fragment lets nothing through.
        const QStringList kids{"kids.example"};
        QTest::newRow("entryInQueryDoesNotPass") << kids << none << true << true << start << "http://evil.example/?q=kids.example" << true << false << false;
        QTest::newRow("entryInFragmentDoesNotPass") << kids << none << true << true << start << "http://evil.example/#kids.example" << true << false << false;
        QTest::newRow("startSiteInQueryDoesNotPass") << none << none << true << true << start << "http://evil.example/?start.example" << true << false << false;
        QTest::newRow("entryWithQueryMatchesItsPage") << QStringList{"video.example/watch?v=1"} << none << true << true << start << "https://video.example/watch?v=1" << false << false << false;
        // http and https are one site, in every list, without doubling the entries.
        QTest::newRow("httpEntryPassesOverHttps") << QStringList{"http://kids.example/"} << none << true << true << start << "https://kids.example/zoo" << false << false << false;
        QTest::newRow("httpsEntryPassesOverHttp") << QStringList{"https://kids.example/"} << none << true << true << start << "http://kids.example/zoo" << false << false << false;
        QTest::newRow("httpBlacklistedRefusedOverHttps") << QStringList{"example"} << bad << true << true << start << "https://bad.example/page" << false << true << false;
        QTest::newRow("httpsBlacklistedRefusedOverHttp") << QStringList{"example"} << QStringList{"https://bad.example/page"} << true << true << start << "http://bad.example/page/" << false << true << false;
        // The address as the engine loads it.
        QTest::newRow("userInfoIsNotTheSite") << kids << none << true << true << start << "http://kids.example:pw@evil.example/" << true << false << false;
        QTest::newRow("userInfoDoesNotHideABlockedPage") << QStringList{"example"} << bad << true << true << start << "http://kids:pw@bad.example/page" << false << true << false;
        QTest::newRow("trailingDotDoesNotHideABlockedPage") << QStringList{"example"} << bad << true << true << start << "http://bad.example./page" << false << true << false;
        QTest::newRow("defaultPortDoesNotHideABlockedPage") << QStringList{"example"} << bad << true << true << start << "http://bad.example:80/page" << false << true << false;
        QTest::newRow("schemeCaseDoesNotHideABlockedPage") << QStringList{"example"} << bad << true << true << start << "HTTP://bad.example/page" << false << true << false;
        QTest::newRow("dotlessINeverBecomesI") << kids << none << true << true << start << "http://kıds.example/" << true << false << false;
        QTest::newRow("longSNeverBecomesS") << QStringList{"kids"} << none << true << true << start << "http://x.example/kidſ" << true << false << false;
        // A host is read as the engine reads it: there the long s is an s, and the site is kids.example.
        QTest::newRow("longSInTheHostIsTheSiteItNames") << QStringList{"kids"} << none << true << true << start << "http://kidſ.example/" << false << false << false;
        QTest::newRow("blacklistedWithQueryAdded") << QStringList{"example"} << bad << true << true << start << "http://bad.example/page?x=1" << false << true << false;
        QTest::newRow("blacklistedWithFragmentAdded") << QStringList{"example"} << bad << true << true << start << "http://bad.example/page#top" << false << true << false;
        QTest::newRow("blacklistEntryWithQueryMatchesOnlyItsQuery") << QStringList{"example"} << QStringList{"http://bad.example/page?x=1"} << true << true << start << "http://bad.example/page?x=2" << false << false << false;
        QTest::newRow("unparsableAddressPassesNothing") << QStringList{"kids"} << none << true << true << start << "http://kids.example:99999999/" << true << false << false;
        // International names: an entry and an address meet in one form, whichever spelling each has.
        const QStringList cafe{QString::fromUtf8("café.example")};
        QTest::newRow("internationalEntryMatchesAsWritten") << cafe << none << true << true << start << QString::fromUtf8("http://café.example/") << false << false << false;
        QTest::newRow("internationalEntryMatchesInCapitals") << cafe << none << true << true << start << QString::fromUtf8("http://CAFÉ.example/") << false << false << false;
        QTest::newRow("internationalEntryMatchesTheAsciiForm") << cafe << none << true << true << start << "http://xn--caf-dma.example/" << false << false << false;
        QTest::newRow("asciiFormEntryMatchesTheInternationalName") << QStringList{"http://xn--caf-dma.example"} << none << true << true << start << QString::fromUtf8("http://café.example/x") << false << false << false;
        QTest::newRow("lookAlikeInAnotherScriptDoesNotMatch") << cafe << none << true << true << start << QString::fromUtf8("http://\u0441af\u00e9.example/") << true << false << false;
        QTest::newRow("internationalStartPageSitePasses") << none << none << true << true << QString::fromUtf8("http://café.de/start") << "http://xn--caf-dma.de/x" << false << false << false;
        QTest::newRow("internationalBlacklistedInEverySpelling") << none << QStringList{QString::fromUtf8("http://café.de/page")} << false << true << start << QString::fromUtf8("http://CAFÉ.de/page") << false << true << false;
        QTest::newRow("asciiFormBlacklistedInEverySpelling") << none << QStringList{"http://xn--caf-dma.de/page"} << false << true << start << QString::fromUtf8("http://café.de/page") << false << true << false;
        // Entries as sites: a host and the hosts below it, or a path on that host.
        const QStringList site{"kids.example"};
        QTest::newRow("siteAllowsItself") << site << none << true << true << start << "http://kids.example/a" << false << false << true;
        QTest::newRow("siteAllowsTheHostsBelowIt") << site << none << true << true << start << "https://www.KIDS.example/a" << false << false << true;
        QTest::newRow("siteIsNoFragmentOfAnotherHost") << site << none << true << true << start << "http://kids.example.other.example/" << true << false << true;
        QTest::newRow("siteInThePathDoesNotPass") << site << none << true << true << start << "http://other.example/kids.example" << true << false << true;
        QTest::newRow("hostsBelowStartAtALabel") << site << none << true << true << start << "http://mykids.example/" << true << false << true;
        QTest::newRow("entryWithSchemeAndSlashIsTheSite") << QStringList{"https://kids.example/"} << none << true << true << start << "http://www.kids.example/x" << false << false << true;
        QTest::newRow("pathEntryAllowsWhatBeginsWithIt") << QStringList{"http://kids.example/games"} << none << true << true << start << "http://kids.example/games/1" << false << false << true;
        QTest::newRow("pathEntryNeedsItsOwnHost") << QStringList{"kids.example/games"} << none << true << true << start << "http://www.kids.example/games" << true << false << true;
        QTest::newRow("pathEntryNeedsItsPath") << QStringList{"kids.example/games"} << none << true << true << start << "http://kids.example/chat" << true << false << true;
        QTest::newRow("pathEntryIsNotLookedForInTheQuery") << QStringList{"kids.example/games"} << none << true << true << start << "http://kids.example/chat?u=/games" << true << false << true;
        QTest::newRow("portOfTheEntryMustFit") << QStringList{"127.0.0.1:8080"} << none << true << true << start << "http://127.0.0.1:9090/" << true << false << true;
        QTest::newRow("portOfTheEntryFits") << QStringList{"127.0.0.1:8080"} << none << true << true << start << "http://127.0.0.1:8080/x" << false << false << true;
        QTest::newRow("numericHostHasNothingBelowIt") << QStringList{"0.0.1"} << none << true << true << start << "http://127.0.0.1/" << true << false << true;
        QTest::newRow("internationalSiteInEverySpelling") << cafe << none << true << true << start << QString::fromUtf8("http://www.CAFÉ.example/") << false << false << true;
        QTest::newRow("startPageSiteIsASiteToo") << none << none << true << true << start << "http://start.example.evil.example/" << true << false << true;
        QTest::newRow("startPageSiteAllowsItsHostsBelow") << none << none << true << true << start << "http://www.start.example/" << false << false << true;
    }
    void addressTests()
    {
        QFETCH(QStringList, white);
        QFETCH(QStringList, black);
        QFETCH(bool, whiteOn);
        QFETCH(bool, blackOn);
        QFETCH(QString, startUrl);
        QFETCH(QString, address);
        QFETCH(bool, sites);
        GuardWorld w;
        w.profile.Kindvriendelijk = whiteOn;
        w.profile.Kindonvriendelijk = blackOn;
        w.profile.WitSites = sites;
        w.profile.StartURL = startUrl;
        w.lists->whitelist().setItems(white);
        w.lists->blacklist().setItems(black);
        w.lists->popuplist().setItems(black);
        QTEST(w.lists->IsNotWhitelisted(address), "notWhitelisted");
        QTEST(w.lists->IsBlacklisted(address), "blacklisted");
        QTEST(w.lists->IsPopupListed(address), "blacklisted"); // the pop-up list follows the same rules
        if (sites) {
            // The site table answers as the plain rule does.
            const QString normal = normalizedAddress(address);
            const bool plain = std::any_of(white.cbegin(), white.cend(), [&](const QString &e) { return siteEntryMatches(e, normal); })
                || siteEntryMatches(siteOf(normalizedAddress(startUrl)), normal);
            QTEST(!plain, "notWhitelisted");
        }
        // A start page changed between two decisions counts from the next one on, as if it had
        // been the start page from the beginning.
        const QString otherStart = startUrl.contains(u"start.example") ? QStringLiteral("http://other.example/")
                                                                       : QStringLiteral("http://start.example/");
        w.profile.StartURL = otherStart;
        GuardWorld fresh;
        fresh.profile.Kindvriendelijk = whiteOn;
        fresh.profile.WitSites = sites;
        fresh.profile.StartURL = otherStart;
        fresh.lists->whitelist().setItems(white);
        QCOMPARE(w.lists->IsNotWhitelisted(address), fresh.lists->IsNotWhitelisted(address));
    }

    void internationalEntryOfAWindowsFileMatchesEverySpelling()
    {
        GuardWorld w;
        w.profile.Kindvriendelijk = true;
        QVERIFY(writeBytes(w.lists->fileOf(SiteList::White), "caf\xe9.example\r\n"));
        w.lists->LoadSiteLists();
        for (const bool sites : {false, true}) {
            w.profile.WitSites = sites;
            for (const char *address : {"http://café.example/", "http://CAFÉ.example/", "http://xn--caf-dma.example/"})
                QVERIFY2(!w.lists->IsNotWhitelisted(QString::fromUtf8(address)), address);
        }
    }

    void localHomePagePassesAsItsOwnAddressOnly()
    {
        GuardWorld w;
        const QString home = QUrl::fromLocalFile(w.state.localHomePage()).toString();
        w.lists->blacklist().add(home);
        QVERIFY(!w.lists->IsNotWhitelisted(home));
        QVERIFY(!w.lists->IsNotWhitelisted(home + "#top"));
        QVERIFY(!w.lists->IsBlacklisted(home));
        QVERIFY(w.lists->engineShows(home));
        // The same text elsewhere, or another file, is no exception.
        QVERIFY(w.lists->IsNotWhitelisted("file://" + w.state.localHomePage().toUpper()));
        QVERIFY(w.lists->IsNotWhitelisted("http://evil.example/?" + home));
        QVERIFY(!w.lists->engineShows("file:///etc/passwd"));
    }

    void compactWhitelist_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<bool>("sites");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("entryContainingItsPredecessorGoes") << QStringList{"abc", "abcd", "b"} << false << QStringList{"abc", "b"};
        QTest::newRow("containmentIgnoresCase") << QStringList{"kids.example", "KIDS.EXAMPLE/games"} << false << QStringList{"kids.example"};
        QTest::newRow("chainsCollapseToTheShortest") << QStringList{"abcd", "ab", "abc"} << false << QStringList{"ab"};
        QTest::newRow("emptyEntryRemovesNothing") << QStringList{"", "a"} << false << QStringList{"", "a"};
        QTest::newRow("onlyTheDirectPredecessorCounts") << QStringList{"a", "ab", "b", "ca"} << false << QStringList{"a", "b", "ca"};
        QTest::newRow("entryWithQueryStaysBesideOneWithout") << QStringList{"kids.example", "kids.example/watch?v=1"} << false << QStringList{"kids.example", "kids.example/watch?v=1"};
        QTest::newRow("httpsTwinOfThePredecessorGoes") << QStringList{"http://kids.example", "https://kids.example/zoo"} << false << QStringList{"http://kids.example"};
        QTest::newRow("dotlessIIsNotContained") << QStringList{"kids", "kıds"} << false << QStringList{"kids", "kıds"};
        // As sites, an entry goes only when its site lies within its predecessor's.
        QTest::newRow("asSitesAPathOnTheSiteGoes") << QStringList{"http://kids.example", "http://kids.example/zoo", "http://www.kids.example"} << true << QStringList{"http://kids.example", "http://www.kids.example"};
        QTest::newRow("asSitesAnotherSiteHoldingTheNameStays") << QStringList{"kids.example", "kids.example.other.example"} << true << QStringList{"kids.example", "kids.example.other.example"};
    }
    void compactWhitelist()
    {
        QFETCH(QStringList, before);
        QFETCH(bool, sites);
        GuardWorld w;
        w.profile.WitSites = sites;
        w.lists->whitelist().setItems(before);
        w.lists->CompactWhitelist();
        QTEST(w.lists->whitelist().items(), "after");
    }

    void vendorSettings()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("vendor.ini");
        QVERIFY(writeBytes(path, "[Vendor]\r\nWebHost=127.0.0.1:8080\r\nShortenerHost=short.example\r\n"));
        const VendorSettings v = VendorSettings::load(path);
        QCOMPARE(v.WebHost, QString("127.0.0.1:8080"));
        QCOMPARE(v.SecondHost, QString("tovalin.example"));
        QCOMPARE(v.ShortenerHost, QString("short.example"));
        QCOMPARE(v.ThemePage, QString("http://127.0.0.1:8080/themas/themas.php"));
        QCOMPARE(v.VersionFile, QString("http://127.0.0.1:8080/thuisversie_eng.txt"));
        QCOMPARE(VendorSettings::load(dir.filePath("missing.ini")).WebHost, QString("www.tovalin.example"));

        qunsetenv("TOVALIN_VENDOR_INI");
        QCOMPARE(VendorSettings::defaultPath("/opt/tovalin/"), QString("/opt/tovalin/resources/vendor.ini"));
        qputenv("TOVALIN_VENDOR_INI", path.toLocal8Bit());
        QCOMPARE(VendorSettings::defaultPath("/opt/tovalin/"), path);
        qunsetenv("TOVALIN_VENDOR_INI");
    }
};

QTEST_GUILESS_MAIN(TestSiteLists)
#include "test_site_lists.moc"
