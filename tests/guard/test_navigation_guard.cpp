#include "guard/support_guard.h"

#include <QSignalSpy>
#include <QtTest>

using namespace tovalin;
using namespace tovalin::test;

namespace {

// A row's world in a few words: "white:x", "black:x", "on:Toonwmv", "off:Blokpdf",
// "clock:1000", "filter:off", "head:<length>:<type>" (the answer for the row's address),
// "category:<name>:<domains line>" (an index holding it), "choose:<Categorieen>".
void apply(GuardWorld &w, const QStringList &setup, const QString &address)
{
    QHash<QString, QStringList> categories;
    static const QHash<QString, bool UserProfile::*> flags{
        {"Kindvriendelijk", &UserProfile::Kindvriendelijk},
        {"Blokpdf", &UserProfile::Blokpdf},           {"Toonwmv", &UserProfile::Toonwmv},
        {"Toonrealmedia", &UserProfile::Toonrealmedia}, {"ToonWindowsMedia", &UserProfile::ToonWindowsMedia},
        {"ToonQuickTime", &UserProfile::ToonQuickTime}, {"Toonmpg", &UserProfile::Toonmpg},
    };
    for (const QString &item : setup) {
        const QString key = item.section(':', 0, 0);
        const QString value = item.section(':', 1);
        if (key == "white")
            w.lists->whitelist().add(value);
        else if (key == "black")
            w.lists->blacklist().add(value);
        else if (key == "on" || key == "off")
            w.profile.*flags.value(value) = key == "on";
        else if (key == "clock")
            w.clock = value.toInt();
        else if (key == "filter")
            w.state.FilterOn = value != "off";
        else if (key == "head")
            w.head.answers.insert(address, HeadAnswer{true, item.section(':', 2), item.section(':', 1, 1).toLongLong()});
        else if (key == "category")
            categories[item.section(':', 1, 1)].append(item.section(':', 2));
        else if (key == "choose")
            w.profile.Categorieen = value;
    }
    if (!categories.isEmpty())
        w.writeCategories(categories);
}

} // namespace

class TestNavigationGuard : public QObject {
    Q_OBJECT
private slots:
    void decision_data()
    {
        QTest::addColumn<QStringList>("setup");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("verdict");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<bool>("listed"); // entered the refused list
        QTest::addColumn<int>("sounds");
        QTest::addColumn<QStringList>("handovers");

        const QStringList kids{"white:kids.example"};
        const QString other = "http://other.example/";
        const QStringList none;
        QTest::newRow("whitelistedAddressGoesOn") << kids << "http://kids.example/" << "allowed" << false << false << 0 << none;
        QTest::newRow("unlistedAddressIsRefusedListedAndSounded") << kids << other << "refused:whitelist" << true << true << 2 << none;
        QTest::newRow("blacklistedAddressIsRefused") << QStringList{"white:example", "black:http://bad.example/"} << "http://bad.example/" << "refused:blacklist" << true << true << 2 << none;
        QTest::newRow("filterOffStillListsAndSounds") << (kids + QStringList{"filter:off"}) << other << "refused:whitelist" << false << true << 1 << none;
        QTest::newRow("timeUpRefusesWithoutForbiddenState") << (kids + QStringList{"clock:1000"}) << "http://kids.example/" << "refused:timeup" << true << false << 0 << none;
        QTest::newRow("timeUpWithFilterOffGoesOn") << (kids + QStringList{"clock:1000", "filter:off"}) << "http://kids.example/" << "refused:timeup" << false << false << 0 << none;
        QTest::newRow("officeDocumentInCapitalsIsRefused") << kids << "http://kids.example/A.PDF" << "refused:document" << true << false << 0 << none;
        QTest::newRow("officeDocumentWithQueryIsAllowed") << kids << "http://kids.example/a.pdf?x=1" << "allowed" << false << false << 0 << none;
        QTest::newRow("onlyTheFirstOccurrenceOfAnExtensionCounts") << kids << "http://kids.example/a.pdf.pdf" << "allowed" << false << false << 0 << none;
        QTest::newRow("officeDocumentWithFilterOffOpens") << (kids + QStringList{"filter:off"}) << "http://kids.example/a.doc" << "refused:document" << false << false << 0 << none;
        QTest::newRow("realMediaIsRefused") << kids << "http://kids.example/s.ram" << "refused:realmedia" << true << false << 0 << none;
        QTest::newRow("videoTypeOffShowsTheForbiddenSign") << kids << "http://kids.example/clip.wmv" << "refused:video" << true << false << 1 << none;
        QTest::newRow("videoTypeOffWithFilterOffGoesOn") << (kids + QStringList{"filter:off"}) << "http://kids.example/clip.wmv" << "refused:video" << false << false << 0 << none;
        QTest::newRow("videoTypeOnIsFetchedNotShown") << (kids + QStringList{"on:Toonwmv"}) << "http://kids.example/clip.wmv" << "video" << true << false << 0
                                                     << QStringList{"video:wmv:http://kids.example/clip.wmv"};
        QTest::newRow("videoExtensionRepeatedIsNoVideo") << (kids + QStringList{"on:Toonmpg"}) << "http://kids.example/x.mpg.mpg" << "allowed" << false << false << 0 << none;
        QTest::newRow("listRefusedVideoIsNeverFetched") << QStringList{"white:kids.example", "on:Toonwmv"} << "http://other.example/clip.wmv" << "refused:whitelist" << true << true << 2 << none;
        QTest::newRow("timeUpVideoIsNeverFetched") << (kids + QStringList{"on:Toonwmv", "clock:1000"}) << "http://kids.example/clip.wmv" << "refused:timeup" << true << false << 0 << none;
        QTest::newRow("filterOffFetchesUnlistedVideo") << QStringList{"white:kids.example", "on:Toonwmv", "filter:off"} << "http://other.example/clip.wmv" << "refused:whitelist" << false << true << 1
                                                      << QStringList{"video:wmv:http://other.example/clip.wmv"};
        QTest::newRow("smallAsxAnswerIsAReference") << (kids + QStringList{"on:ToonWindowsMedia", "head:200:video/x-ms-asx"}) << "http://kids.example/s.asx" << "reference" << true << false << 0
                                                   << QStringList{"reference:asx:http://kids.example/s.asx"};
        QTest::newRow("smallAsxLeftToBrowserWhenWindowsMediaOff") << (kids + QStringList{"head:200:video/x-ms-asx"}) << "http://kids.example/s.asx" << "allowed" << false << false << 0 << none;
        QTest::newRow("answerAbove200BytesIsNotADescription") << (kids + QStringList{"on:ToonWindowsMedia", "head:201:video/x-ms-asx"}) << "http://kids.example/s.asx" << "allowed" << false << false << 0 << none;
        QTest::newRow("answerWithoutLengthIsNotADescription") << (kids + QStringList{"on:ToonWindowsMedia", "head:-1:video/x-ms-asx"}) << "http://kids.example/s.asx" << "allowed" << false << false << 0 << none;
        QTest::newRow("smallWmvAnswerIsAReferenceNotAVideo") << (kids + QStringList{"on:ToonWindowsMedia", "on:Toonwmv", "head:150:video/x-ms-wmv"}) << "http://kids.example/c.wmv" << "reference" << true << false << 0
                                                            << QStringList{"reference:wmx:http://kids.example/c.wmv"};
        QTest::newRow("failedProbeLeavesAVideoFile") << (kids + QStringList{"on:ToonWindowsMedia", "on:Toonwmv"}) << "http://kids.example/c.wmv" << "video" << true << false << 0
                                                    << QStringList{"video:wmv:http://kids.example/c.wmv"};
        QTest::newRow("quickTimeListByName") << (kids + QStringList{"on:ToonQuickTime", "head:90:text/plain"}) << "http://kids.example/m.qtl" << "reference" << true << false << 0
                                            << QStringList{"reference:qtl:http://kids.example/m.qtl"};
        QTest::newRow("quickTimeByType") << (kids + QStringList{"on:ToonQuickTime", "head:90:video/quicktime"}) << "http://kids.example/m.qt" << "reference" << true << false << 0
                                        << QStringList{"reference:qt:http://kids.example/m.qt"};
        QTest::newRow("oneReferencePerAddress") << (kids + QStringList{"on:ToonQuickTime", "on:ToonWindowsMedia", "head:90:video/x-ms-asx"}) << "http://kids.example/m.qtl" << "reference" << true << false << 0
                                               << QStringList{"reference:asx:http://kids.example/m.qtl"};
        // Schemes the engine does not show never reach it (nor the desktop), filter or not.
        QTest::newRow("mailtoWithWhitelistedTextIsRefused") << kids << "mailto:info@kids.example" << "refused:scheme" << true << false << 1 << none;
        QTest::newRow("filterOffNeverOpensAnotherScheme") << (kids + QStringList{"filter:off"}) << "mailto:info@kids.example" << "refused:scheme" << true << false << 1 << none;
        QTest::newRow("ftpWithJavascriptInThePathIsRefusedByTheWhitelist") << kids << "ftp://evil.example/javascript" << "refused:whitelist" << true << true << 2 << none;
        QTest::newRow("ftpVideoIsFetchedNeverShown") << (kids + QStringList{"on:Toonwmv"}) << "ftp://kids.example/clip.wmv" << "video" << true << false << 0
                                                    << QStringList{"video:wmv:ftp://kids.example/clip.wmv"};
        QTest::newRow("filterOffNeverOpensALocalFile") << (kids + QStringList{"filter:off"}) << "file:///etc/passwd" << "refused:whitelist" << true << true << 1 << none;
        // Category lists refuse like the blacklist; the parent's own whitelist wins over them.
        const QStringList adult{"off:Kindvriendelijk", "category:adult:bad.example", "category:dating:date.example",
                                "choose:adult"};
        QTest::newRow("categoryRefusesAHostBelowItsEntry") << adult << "https://www.bad.example/x" << "refused:category" << true << true << 2 << none;
        QTest::newRow("categoryNotChosenRefusesNothing") << adult << "http://date.example/" << "allowed" << false << false << 0 << none;
        QTest::newRow("whitelistEntryLiftsACategoryRefusal") << QStringList{"white:bad.example", "category:adult:bad.example", "choose:adult"} << "http://bad.example/" << "allowed" << false << false << 0 << none;
        QTest::newRow("filterOffOverridesACategory") << (adult + QStringList{"filter:off"}) << "http://bad.example/" << "refused:category" << false << true << 1 << none;
        // Chosen categories that were never fetched: the whitelist is in force.
        QTest::newRow("unfetchedCategoriesForceTheWhitelist") << QStringList{"off:Kindvriendelijk", "white:kids.example", "choose:adult"} << other << "refused:whitelist" << true << true << 2 << none;
        QTest::newRow("unfetchedCategoriesLetTheWhitelistThrough") << QStringList{"off:Kindvriendelijk", "white:kids.example", "choose:adult"} << "http://kids.example/" << "allowed" << false << false << 0 << none;
        QTest::newRow("aChosenCategoryMissingFromTheIndexForcesTheWhitelist") << (adult + QStringList{"white:kids.example", "choose:adult,gambling"}) << "http://elsewhere.example/" << "refused:whitelist" << true << true << 2 << none;
        QTest::newRow("listRefusedReferenceIsNeverFetched") << QStringList{"white:kids.example", "on:ToonWindowsMedia", "head:90:video/x-ms-asx"} << "http://other.example/s.asx" << "refused:whitelist" << true << true << 2 << none;
    }
    void decision()
    {
        QFETCH(QStringList, setup);
        QFETCH(QString, address);
        QFETCH(bool, listed);
        GuardWorld w;
        apply(w, setup, address);
        const Decision d = w.guard->beforeNavigate(address);
        QTEST(verdictName(d.verdict), "verdict");
        QTEST(d.cancel, "cancel");
        QCOMPARE(w.model->refusedList(), listed ? QStringList{address} : QStringList{});
        QTEST(w.forbiddenSounds(), "sounds");
        QTEST(w.media.calls, "handovers");
        QCOMPARE(w.model->navState() == NavState::Forbidden, listed);
    }

    void headProbeOnlyForVideoAddresses()
    {
        GuardWorld w;
        w.lists->whitelist().add("kids.example");
        // Nothing the user allows could come of an answer: nobody is asked, and a video of a kind
        // not allowed is refused without its server hearing of it.
        QCOMPARE(w.verdictOf("http://kids.example/a.mpeg"), QStringLiteral("refused:video"));
        w.guard->beforeNavigate("http://kids.example/a.asx");
        QVERIFY(w.head.asked.isEmpty());
        w.profile.ToonWindowsMedia = true;
        for (const char *a : {"http://kids.example/", "http://kids.example/a.wmv?x", "http://kids.example/a.mpeg", "http://kids.example/a.WM"})
            w.guard->beforeNavigate(a);
        QCOMPARE(w.head.asked, (QStringList{"http://kids.example/a.mpeg", "http://kids.example/a.WM"}));

        // A refused address is not asked while the filter is on; with it off the hand-over goes ahead.
        w.head.asked.clear();
        w.guard->beforeNavigate("http://other.example/a.asx");
        w.clock = 1000;
        w.guard->beforeNavigate("http://kids.example/b.asx");
        QVERIFY(w.head.asked.isEmpty());
        w.state.FilterOn = false;
        w.guard->beforeNavigate("http://other.example/a.asx");
        QCOMPARE(w.head.asked, QStringList{"http://other.example/a.asx"});
    }

    void refusedListKeepsEachAddressOnceUntilTheNextClick()
    {
        GuardWorld w;
        w.guard->beforeNavigate("http://a.example/");
        w.guard->beforeNavigate("http://b.example/");
        w.guard->beforeNavigate("http://a.example/");
        QCOMPARE(w.model->refusedList(), (QStringList{"http://a.example/", "http://b.example/"}));
        QCOMPARE(w.model->acceptBlockCaption(), QString("Allow blocked site"));

        QSignalSpy gauge(w.guard.get(), &NavigationGuard::progressGaugeSet);
        w.state.openClickWindow();
        w.lists->whitelist().add("kids.example");
        w.guard->beforeNavigate("http://kids.example/");
        QVERIFY(w.model->refusedList().isEmpty());
        QCOMPARE(w.model->navlijst(), QStringList{"http://kids.example/"});
        QCOMPARE(w.model->navState(), NavState::Loading);
        QVERIFY(!w.state.ClickPending);
        QVERIFY(!w.state.clickTimer().isActive());
        QVERIFY(!w.state.PageComplete);
        QCOMPARE(gauge.count(), 1);
        QCOMPARE(gauge.at(0).at(0).toInt(), 0);
    }

    void aClickOpensTheSequenceOfItsOwnNavigation()
    {
        GuardWorld w;
        w.lists->whitelist().add("kids.example");
        const QStringList old{"http://old.example/"};

        // The host's command: no timer; a frame of the old page does not take it up, the
        // command's own main-frame navigation does, however late it comes.
        w.model->addRefused(old.first());
        w.state.openHostNavigation();
        QVERIFY(!w.state.clickTimer().isActive());
        w.guard->beforeNavigate("http://kids.example/frame", {false, NavigationKind::Other});
        QCOMPARE(w.model->refusedList(), old);
        QVERIFY(w.state.ClickPending);
        w.guard->beforeNavigate("http://kids.example/", {true, NavigationKind::Typed});
        QVERIFY(w.model->refusedList().isEmpty());
        QVERIFY(!w.state.ClickPending);
        QCOMPARE(w.model->navState(), NavState::Loading);

        // A click inside the page waits up to two seconds for a main-frame link navigation;
        // a script's navigation or a translated address does not take it up.
        w.model->addRefused(old.first());
        w.state.openPageClick();
        QCOMPARE(w.state.clickTimer().interval(), ProgramState::kPageClickWaitMs);
        w.guard->translateUrl("http://kids.example/a");
        w.guard->beforeNavigate("http://kids.example/a", {true, NavigationKind::Other});
        QCOMPARE(w.model->refusedList(), old);
        w.guard->beforeNavigate("http://kids.example/b", {true, NavigationKind::LinkClick});
        QVERIFY(w.model->refusedList().isEmpty());
        QVERIFY(!w.state.ClickPending);
        QVERIFY(!w.state.clickTimer().isActive());
        w.state.openPageClick();
        w.guard->beforeNavigate("http://kids.example/form", {true, NavigationKind::FormSubmit});
        QVERIFY(!w.state.ClickPending);

        // A press anywhere in the window does not shorten a pending command or page click.
        w.state.openHostNavigation();
        w.state.openClickWindow();
        QCOMPARE(w.state.clickSource(), ClickSource::Host);
        QVERIFY(!w.state.clickTimer().isActive());
        w.state.openPageClick();
        w.state.openClickWindow();
        QCOMPARE(w.state.clickSource(), ClickSource::Page);
        QCOMPARE(w.state.clickTimer().interval(), ProgramState::kPageClickWaitMs);

        // A press alone opens the 250 ms window, which any navigation takes up.
        w.state.closeClickWindow();
        w.state.openClickWindow();
        QCOMPARE(w.state.clickTimer().interval(), ProgramState::kClickWindowMs);
        w.guard->beforeNavigate("http://kids.example/frame", {false, NavigationKind::Other});
        QVERIFY(!w.state.ClickPending);
    }

    void webAddressBookkeeping()
    {
        GuardWorld w;
        w.profile.Kindvriendelijk = false;
        for (const char *a : {"https://a.example/", "ftp://f.example/", "HTTP://caps.example/", "http://A.example/x",
                                 "http://a.example/X", "http://a.example/X", "https://a.example/"})
            w.guard->beforeNavigate(a);
        QCOMPARE(w.model->addressHistory(),
                 (QStringList{"https://a.example/", "http://a.example/X", "http://A.example/x", "https://a.example/"}));
        QCOMPARE(w.model->navlijst(), (QStringList{"http://A.example/x", "https://a.example/"}));
    }

    void translateUrlPreparesWithoutRefusing()
    {
        GuardWorld w;
        w.model->addRefused("http://old.example/");
        w.state.openClickWindow();
        w.guard->translateUrl("https://bad.example/");
        QCOMPARE(w.state.LastURL, QString("https://bad.example/"));
        QVERIFY(!w.state.ClickPending);
        QVERIFY(w.model->refusedList().isEmpty());
        QCOMPARE(w.model->navlijst(), QStringList{"https://bad.example/"});
        QCOMPARE(w.model->navState(), NavState::Forbidden);
        QCOMPARE(w.forbiddenSounds(), 1);
    }

    void downloadOptionsFollowTheDialogSetting()
    {
        GuardWorld w;
        w.profile.Kindvriendelijk = false;
        w.browser.setDownloadControl(DownloadControl::Images | DownloadControl::NoScripts);
        w.guard->beforeNavigate("http://a.example/");
        QCOMPARE(w.browser.downloadControl(), DownloadControl::Images | DownloadControl::Silent);
        QVERIFY(w.browser.silent);
        w.profile.Geendialoog = false;
        w.guard->beforeNavigate("http://a.example/");
        QCOMPARE(w.browser.downloadControl(), DownloadControls(DownloadControl::Images));
        QVERIFY(!w.browser.silent);
    }

    void aboutBlankLeavesTheVideoUnlessTimeIsUp()
    {
        GuardWorld w;
        QSignalSpy blank(w.guard.get(), &NavigationGuard::aboutBlankReached);
        QVERIFY(!w.guard->beforeNavigate("about:blank").cancel);
        QCOMPARE(blank.count(), 1);
        QCOMPARE(w.media.stops, 1);
        w.clock = 1000;
        QVERIFY(w.guard->beforeNavigate("about:blank").cancel);
        QCOMPARE(blank.count(), 1);
    }

    void themeArchivesOnlyFromTheParentsPage()
    {
        GuardWorld w;
        w.guard->beforeNavigate("http://www.tovalin.example/t/Dieren.TVZ");
        QVERIFY(w.themes.calls.isEmpty());
        w.parentsPageOpen = true;
        w.model->SetNavState(NavState::Loading);
        w.guard->beforeNavigate("http://www.tovalin.example/t/Dieren.TVZ");
        QCOMPARE(w.themes.calls, QStringList{"http://www.tovalin.example/t/Dieren.TVZ"});
        QCOMPARE(w.model->navState(), NavState::Ready);
        // An archive handed over is no refused download: the engine never gets it, no sign, no sound.
        const Decision d = w.guard->beforeNavigate("http://themes.example/Vogels.tvz");
        QVERIFY(d.cancel);
        QCOMPARE(verdictName(d.verdict), QStringLiteral("theme-archive"));
        QCOMPARE(w.forbiddenSounds(), 0);
        QVERIFY(w.model->refusedList().isEmpty());
        QCOMPARE(w.model->navState(), NavState::Ready);
    }

    void redirectsOfTheProgramsOwnFetchesAreJudgedAsNavigations_data()
    {
        QTest::addColumn<QStringList>("setup");
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("follows");
        const QStringList kids{"white:kids.example"};
        QTest::newRow("toAWhitelistedSite") << kids << "http://kids.example/v.avi" << true;
        QTest::newRow("toAnUnlistedSite") << kids << "http://refused.example/x.avi" << false;
        QTest::newRow("toABlacklistedPage") << QStringList{"white:example", "black:http://bad.example/x.avi"} << "http://bad.example/x.avi" << false;
        QTest::newRow("afterTheTimeIsUp") << (kids + QStringList{"clock:1000"}) << "http://kids.example/v.avi" << false;
        QTest::newRow("withTheFilterOff") << (kids + QStringList{"filter:off"}) << "http://refused.example/x.avi" << true;
        QTest::newRow("neverToAnotherScheme") << (kids + QStringList{"filter:off"}) << "ftp://kids.example/v.avi" << false;
    }
    void redirectsOfTheProgramsOwnFetchesAreJudgedAsNavigations()
    {
        QFETCH(QStringList, setup);
        QFETCH(QString, address);
        GuardWorld w;
        apply(w, setup, address);
        QTEST(w.guard->mayFollowRedirect(address), "follows");
        // Judged quietly: nothing listed, shown or sounded.
        QVERIFY(w.model->refusedList().isEmpty());
        QCOMPARE(w.forbiddenSounds(), 0);
    }

    void documentCompleteOnlyForTheTopFrame()
    {
        GuardWorld w;
        w.lists->whitelist().add("kids.example");
        QSignalSpy gauge(w.guard.get(), &NavigationGuard::progressGaugeSet);
        QSignalSpy site(w.guard.get(), &NavigationGuard::activeSiteChanged);
        QSignalSpy displays(w.model.get(), &NavigationModel::addressDisplaysSet);
        QSignalSpy popup(w.guard.get(), &NavigationGuard::popupPageCompleted);
        w.state.openClickWindow();
        w.state.PopupShown = true;
        QVERIFY(w.browser.load("http://kids.example/", Browser::kMainFrame));
        QVERIFY(w.browser.load("http://kids.example/frame", 7));
        QVERIFY(!w.browser.load("http://ads.example/frame", 8)); // refused frame of an allowed page
        QCOMPARE(w.state.TopFrame, Browser::kMainFrame);

        w.browser.complete(7);
        QVERIFY(!w.state.PageComplete);
        QCOMPARE(gauge.count(), 0);

        const int soundsBefore = w.forbiddenSounds();
        w.browser.complete(Browser::kMainFrame);
        QVERIFY(w.state.PageComplete);
        QCOMPARE(gauge.last().at(0).toInt(), 100);
        QCOMPARE(w.forbiddenSounds(), soundsBefore + 1); // refusals on the page sound once more
        QCOMPARE(w.model->navState(), NavState::Ready);
        QCOMPARE(w.model->acceptBlockCaption(), QString("Block active site"));
        QCOMPARE(w.model->refusedList(), QStringList{"http://ads.example/frame"});
        QCOMPARE(displays.last().at(0).toString(), QString("http://kids.example/"));
        QCOMPARE(site.last().at(0).toString(), QString("http://kids.example/"));
        QCOMPARE(popup.last().at(0).toBool(), true);
        QVERIFY(w.browser.scrollBarsHidden);
        QVERIFY(!w.state.PopupShown);
        QCOMPARE(w.state.TopFrame, FrameId(0));
    }

    void navigateErrorShowsBrokenUnlessVideoShows()
    {
        GuardWorld w;
        w.guard->setVideoPageShown(true);
        w.guard->navigateError();
        QCOMPARE(w.model->navState(), NavState::Ready);
        w.guard->setVideoPageShown(false);
        w.guard->navigateError();
        QCOMPARE(w.model->navState(), NavState::Broken);
        QCOMPARE(w.forbiddenSounds(), 0);
    }

    void navStates()
    {
        GuardWorld w;
        w.browser.load("http://start.example/");
        QSignalSpy displays(w.model.get(), &NavigationModel::addressDisplaysSet);
        w.model->SetNavState(NavState::Forbidden);
        QCOMPARE(w.model->acceptBlockCaption(), QString("Block active site")); // nothing refused yet
        QVERIFY(w.model->forbiddenVisible());
        QVERIFY(w.model->blinkTimer().isActive());
        QCOMPARE(w.sound.played, QStringList{w.state.ProgramFolder + "resources/sounds/verboden.wav"});
        QCOMPARE(displays.count(), 1);
        w.model->addRefused("http://bad.example/");
        w.model->SetNavState(NavState::Forbidden);
        QCOMPARE(w.model->acceptBlockCaption(), QString("Allow blocked site"));
        w.model->clearRefused();
        w.model->SetNavState(NavState::Forbidden2);
        QCOMPARE(w.model->acceptBlockCaption(), QString("Allow blocked site"));
        QCOMPARE(w.forbiddenSounds(), 3);
        w.model->SetNavState(NavState::Loading);
        QVERIFY(!w.model->blinkTimer().isActive());
        QVERIFY(!w.model->forbiddenVisible());
        QCOMPARE(w.model->acceptBlockCaption(), QString("Allow blocked site"));
        w.model->SetNavState(NavState::Broken);
        QCOMPARE(displays.count(), 4);
        QCOMPARE(w.forbiddenSounds(), 3);
        w.model->SetNavState(NavState::Ready);
        QCOMPARE(w.model->acceptBlockCaption(), QString("Block active site"));
        QCOMPARE(displays.count(), 4);
    }

    void blinkingStopsAfterSixToggles()
    {
        GuardWorld w;
        QSignalSpy toggles(w.model.get(), &NavigationModel::forbiddenVisibleChanged);
        w.model->SetNavState(NavState::Forbidden);
        QCOMPARE(w.model->blinkTimer().interval(), 200);
        toggles.clear();
        for (int i = 0; i < 6; ++i)
            QVERIFY(QMetaObject::invokeMethod(&w.model->blinkTimer(), "timeout"));
        QCOMPARE(toggles.count(), 6);
        QVERIFY(w.model->forbiddenVisible()); // ends as it began
        QVERIFY(!w.model->blinkTimer().isActive());
        QCOMPARE(w.model->blinkCount(), 6);
        w.model->SetNavState(NavState::Forbidden2);
        QCOMPARE(w.model->blinkCount(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(!w.model->blinkTimer().isActive(), 3000); // and with the real timer too
        QCOMPARE(w.model->blinkCount(), 6);
    }

    void filterSwitchIsOneState()
    {
        GuardWorld w;
        QSignalSpy captions(w.guard.get(), &NavigationGuard::filterCaptionsChanged);
        QCOMPARE(w.guard->filterLabelCaption(), QString("Turn filter off"));
        QCOMPARE(w.guard->filterStateCaption(), QString("Filter on"));
        QVERIFY(!w.guard->toggleFilter());
        QVERIFY(!w.state.FilterOn);
        QCOMPARE(w.guard->filterLabelCaption(), QString("Turn filter on"));
        QCOMPARE(w.guard->filterStateCaption(), QString("Filter off"));
        // Back on the child's page the filter is on, and the switch says so: one click turns it off again.
        w.guard->childPageShown();
        QVERIFY(w.state.FilterOn);
        QCOMPARE(w.guard->filterStateCaption(), QString("Filter on"));
        QCOMPARE(captions.count(), 2);
        QVERIFY(!w.guard->toggleFilter());
        QVERIFY(!w.state.FilterOn);
        w.guard->switchFilterOn();
        QVERIFY(w.guard->toggleFilter() == false && !w.state.FilterOn);
    }
};

QTEST_GUILESS_MAIN(TestNavigationGuard)
#include "test_navigation_guard.moc"
