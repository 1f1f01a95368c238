// The plain rules of the address tests: how an address is read, where an entry
// is looked for, which texts always pass and which schemes the engine shows.
// A faster matcher must give these answers too.

#include "guard/address_match.h"

#include <QtTest>

using namespace tovalin;

class TestAddressMatch : public QObject {
    Q_OBJECT
private slots:
    void addressAsTheEngineLoadsIt_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("normal");
        QTest::newRow("plainAddressStays") << "http://kids.example/Dieren/Zebra.html?x=A#Top"
                                           << "http://kids.example/Dieren/Zebra.html?x=A#Top";
        QTest::newRow("userInfoIsDropped") << "http://kids.example:pw@evil.example/" << "http://evil.example/";
        QTest::newRow("userNameAloneIsDropped") << "https://kids.example@evil.example/a" << "https://evil.example/a";
        QTest::newRow("trailingDotOfTheHostIsDropped") << "http://evil.example./x" << "http://evil.example/x";
        QTest::newRow("schemeAndHostInSmallLetters") << "HTTP://Kids.EXAMPLE/Path" << "http://kids.example/Path";
        QTest::newRow("defaultHttpPortIsDropped") << "http://kids.example:80/a" << "http://kids.example/a";
        QTest::newRow("defaultHttpsPortIsDropped") << "https://kids.example:443/a" << "https://kids.example/a";
        QTest::newRow("otherPortStays") << "http://kids.example:8080/a" << "http://kids.example:8080/a";
        QTest::newRow("httpsPortOnHttpStays") << "http://kids.example:443/a" << "http://kids.example:443/a";
        QTest::newRow("aboutBlankStays") << "about:blank" << "about:blank";
        QTest::newRow("schemeWithoutHostGetsSmallLetters") << "JavaScript:void(0)" << "javascript:void(0)";
        QTest::newRow("mailtoKeepsItsText") << "mailto:Info@Kids.example" << "mailto:Info@Kids.example";
        QTest::newRow("textWithoutSchemeStays") << "Kids.Example/dieren" << "Kids.Example/dieren";
        QTest::newRow("localFileKeepsItsPath") << "FILE:///Data/Tovalin.htm" << "file:///Data/Tovalin.htm";
        QTest::newRow("unparsableAddressMatchesNothing") << "http://kids.example:99999999/" << "";
        // One form for every international name, whatever its top-level domain; the path stays as written.
        QTest::newRow("internationalHostInItsAsciiForm") << QString::fromUtf8("http://CAFÉ.de/café") << QString::fromUtf8("http://xn--caf-dma.de/café");
        QTest::newRow("asciiFormStays") << "http://XN--CAF-DMA.example:8080/" << "http://xn--caf-dma.example:8080/";
        // Forms the quick reading leaves to the parser, which must read them as before.
        QTest::newRow("defaultPortWithALeadingZero") << "http://kids.example:080/a" << "http://kids.example/a";
        QTest::newRow("percentSignsAsTheParserShowsThem") << "http://Kids.example/%41%2f" << "http://kids.example/A%2F";
        QTest::newRow("numberHost") << "http://0x7F.1/" << "http://127.0.0.1/";
        QTest::newRow("labelOf64LettersIsNoName") << "http://" + QString(64, u'a') + ".example/" << "";
    }

    void hostsMeetInOneForm()
    {
        const QString cafe = QStringLiteral("xn--caf-dma.example");
        for (const char *spelling : {"café.example", "CAFÉ.EXAMPLE.", "xn--caf-dma.example", "XN--CAF-DMA.example"})
            QCOMPARE(canonicalHost(QString::fromUtf8(spelling)), cafe);
        // The IDNA mapping the engine applies, and nothing more: a look-alike stays another name.
        QCOMPARE(canonicalHost(QString::fromUtf8("ｋｉｄｓ.example")), QStringLiteral("kids.example"));
        QVERIFY(canonicalHost(QString::fromUtf8("\u0441af\u00e9.example")) != cafe);
        QCOMPARE(canonicalHost(u"[::1]"), QStringLiteral("::1"));
        QCOMPARE(canonicalHost(u"..."), QString());
    }
    void addressAsTheEngineLoadsIt()
    {
        QFETCH(QString, address);
        QTEST(normalizedAddress(address), "normal");
        // The quick reading of the common form and the parser agree on every form.
        QTEST(generalNormalizedAddress(address), "normal");
        QCOMPARE(hostOf(address), generalHostOf(address));
    }

    void caseIsFoldedForAsciiLettersOnly()
    {
        QCOMPARE(foldCase(u"kids.Example/Zebra"), QStringLiteral("KIDS.EXAMPLE/ZEBRA"));
        // Unicode upper-casing would make these the ASCII "I" and "S"; they must stay other letters.
        QCOMPARE(foldCase(u"kıds ſite"), QStringLiteral("KıDS ſITE"));
        QVERIFY(containsFolded(u"http://KIDS.example/", u"kids"));
        QVERIFY(!containsFolded(u"http://kıds.example/", u"kids"));
        QVERIFY(!containsFolded(u"http://kidſ.example/", u"kids"));
        QVERIFY(!containsFolded(u"anything", u""));
    }

    void whereAWhitelistEntryIsLookedFor_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("matches");
        QTest::newRow("entryInTheHostMatches") << "kids.example" << "http://www.kids.example/a" << true;
        QTest::newRow("entryInThePathMatches") << "zebra" << "http://x.example/ZEBRA.html" << true;
        QTest::newRow("entryOnlyInTheQueryDoesNotMatch") << "kids.example" << "http://evil.example/?q=kids.example" << false;
        QTest::newRow("entryOnlyInTheFragmentDoesNotMatch") << "kids.example" << "http://evil.example/#kids.example" << false;
        QTest::newRow("fragmentBeforeTheQueryStillCuts") << "kids.example" << "http://evil.example/#a?kids.example" << false;
        QTest::newRow("entryWithQueryIsLookedForInTheWholeAddress")
            << "video.example/watch?v=1" << "http://video.example/watch?v=1" << true;
        QTest::newRow("entryWithQueryNeedsItsQuery") << "video.example/watch?v=1" << "http://video.example/watch?v=2" << false;
        QTest::newRow("httpEntryMatchesHttpsAddress") << "http://kids.example" << "https://kids.example/a" << true;
        QTest::newRow("httpsEntryMatchesHttpAddress") << "HTTPS://kids.example" << "http://kids.example/a" << true;
        QTest::newRow("httpEntryStillMatchesHttp") << "http://kids.example" << "http://kids.example/a" << true;
        QTest::newRow("twinIsOnlyForAWebScheme") << "ftp://kids.example" << "http://kids.example/" << false;
        QTest::newRow("emptyEntryMatchesNothing") << "" << "http://kids.example/" << false;
    }
    void whereAWhitelistEntryIsLookedFor()
    {
        QFETCH(QString, entry);
        QFETCH(QString, address);
        QTEST(whitelistEntryMatches(entry, normalizedAddress(address)), "matches");
    }

    void searchPartAndTwins()
    {
        QCOMPARE(whitelistSearchPart(u"http://a.example/p?q#f", u"a"), QStringView(u"http://a.example/p"));
        QCOMPARE(whitelistSearchPart(u"http://a.example/p?q#f", u"p?q"), QStringView(u"http://a.example/p?q#f"));
        QCOMPARE(otherWebScheme("http://a/x"), QStringLiteral("https://a/x"));
        QCOMPARE(otherWebScheme("Https://a/x"), QStringLiteral("http://a/x"));
        QCOMPARE(otherWebScheme("a.example"), QString());
        QCOMPARE(otherWebScheme("httpſ://a"), QString());
    }

    void exactFormsOfAnAddress_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QStringList>("forms");
        QTest::newRow("plainAddress") << "http://a.example/p" << QStringList{"http://a.example/p"};
        QTest::newRow("finalSlashAlsoWithout") << "http://a.example/p/" << QStringList{"http://a.example/p/", "http://a.example/p"};
        QTest::newRow("queryAlsoWithout") << "http://a.example/p?x=1"
                                          << QStringList{"http://a.example/p?x=1", "http://a.example/p"};
        QTest::newRow("fragmentAlsoWithout") << "http://a.example/p/#top"
                                             << QStringList{"http://a.example/p/#top", "http://a.example/p/", "http://a.example/p"};
    }
    void exactFormsOfAnAddress()
    {
        QFETCH(QString, address);
        QTEST(exactCandidates(address), "forms");
    }

    void exactKeysMeetOverHttpAndHttps()
    {
        QCOMPARE(exactKey("https://BAD.example:443/page"), QStringLiteral("http://bad.example/page"));
        QCOMPARE(exactKey("http://bad.example/page"), QStringLiteral("http://bad.example/page"));
        QCOMPARE(webSchemeKey("https://bad.example/Page"), QStringLiteral("http://bad.example/Page"));
        QCOMPARE(exactKey("bad.example/page"), QStringLiteral("bad.example/page"));
    }

    void alwaysPassingOnlyWhereItMeansWhatItSays_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("passes");
        QTest::newRow("javascriptAsScheme") << "javascript:void(0)" << true;
        QTest::newRow("javascriptInTheQueryDoesNotPass") << "http://any.site/?javascript" << false;
        QTest::newRow("javascriptInThePathDoesNotPass") << "ftp://evil.example/javascript" << false;
        QTest::newRow("aboutBlankAsTheWholeAddress") << "about:blank" << true;
        QTest::newRow("aboutBlankInTheQueryDoesNotPass") << "http://any.site/?about:blank" << false;
        QTest::newRow("vendorHost") << "http://www.tovalin.example/themas/themas.php" << true;
        QTest::newRow("subdomainOfVendorHost") << "http://cdn.tovalin.example/x" << true;
        QTest::newRow("vendorHostInThePathDoesNotPass") << "http://evil.example/www.tovalin.example" << false;
        QTest::newRow("vendorHostAsAPrefixDoesNotPass") << "http://tovalin.example.evil.example/" << false;
        QTest::newRow("vendorHostAsUserInfoDoesNotPass") << "http://www.tovalin.example@evil.example/" << false;
        QTest::newRow("localPageAsItsFileAddress") << "file:///data/tovalin2/tovalin.htm" << true;
        QTest::newRow("localPageAsItsPath") << "/data/tovalin2/tovalin.htm" << true;
        QTest::newRow("localPageNameInAnotherAddressDoesNotPass") << "http://evil.example/data/tovalin2/tovalin.htm" << false;
        QTest::newRow("localPageInOtherCaseIsAnotherFile") << "file:///DATA/tovalin2/tovalin.htm" << false;
    }
    void alwaysPassingOnlyWhereItMeansWhatItSays()
    {
        QFETCH(QString, address);
        const AlwaysPassing texts{QStringLiteral("www.tovalin.example"), QStringLiteral("tovalin.example"),
                                  QStringLiteral("/data/tovalin2/tovalin.htm")};
        QTEST(isAlwaysPassing(normalizedAddress(address), texts), "passes");
    }

    void vendorHostWithAPort()
    {
        QVERIFY(hostIsOrIsBelow("http://127.0.0.1:8080/x", "127.0.0.1:8080"));
        QVERIFY(!hostIsOrIsBelow("http://127.0.0.1:9090/x", "127.0.0.1:8080"));
        QVERIFY(hostIsOrIsBelow("http://127.0.0.1/x", "127.0.0.1"));
        QVERIFY(hostIsOrIsBelow("http://www.tovalin.example/x", "http://tovalin.example"));
        QVERIFY(!hostIsOrIsBelow("about:blank", "tovalin.example"));
        QVERIFY(!hostIsOrIsBelow("http://a.example/", ""));
    }

    void schemesTheEngineShows_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("shown");
        QTest::newRow("http") << "http://kids.example/" << true;
        QTest::newRow("https") << "https://kids.example/" << true;
        QTest::newRow("aboutBlank") << "about:blank" << true;
        QTest::newRow("data") << "data:text/html,hi" << true;
        QTest::newRow("blob") << "blob:https://kids.example/1234" << true;
        QTest::newRow("javascript") << "javascript:void(0)" << true;
        QTest::newRow("localPage") << "file:///data/tovalin2/tovalin.htm" << true;
        QTest::newRow("mailtoIsRefused") << "mailto:info@kids.example" << false;
        QTest::newRow("ftpIsRefused") << "ftp://evil.example/file" << false;
        QTest::newRow("otherLocalFileIsRefused") << "file:///etc/passwd" << false;
        QTest::newRow("otherAboutPageIsRefused") << "about:config" << false;
        QTest::newRow("unknownSchemeIsRefused") << "steam://run/1" << false;
        QTest::newRow("noSchemeIsRefused") << "kids.example" << false;
    }
    void schemesTheEngineShows()
    {
        QFETCH(QString, address);
        QTEST(engineShowsAddress(normalizedAddress(address), QStringLiteral("/data/tovalin2/tovalin.htm")), "shown");
    }
};

QTEST_GUILESS_MAIN(TestAddressMatch)
#include "test_address_match.moc"
