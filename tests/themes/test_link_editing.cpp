// The parents' link operations on real theme files: "Add" (files, next free
// slot, ID clash, whitelist compaction), the wizard's and the editor's address
// checks (an https address is never prefixed), "Save" (compaction, the ID key
// kept), "Remove" (later links move up whole, also past a skipped line), and
// "Up"/"Down" with their scrolling.

#include "themes/support_theme_fixtures.h"

#include "core/text_file.h"
#include "guard/site_lists.h"
#include "state/program_state.h"
#include "themes/link_editing.h"
#include "themes/theme_model.h"
#include "users/user_profile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace tovalin;
using namespace tovalin::testing;

namespace {

const QString kTheme = QStringLiteral("Mine");

} // namespace

class TestLinkEditing : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_run = 0;
    std::unique_ptr<ProgramState> m_state;
    UserProfile m_profile;
    std::unique_ptr<SiteLists> m_lists;
    std::unique_ptr<ThemeModel> m_model;
    QString m_themes;

    QString path(const QString &stem, const char *ext) const { return m_themes + u'/' + stem + QLatin1String(ext); }
    QStringList lines(const QString &stem, const char *ext) const { return readLines(path(stem, ext)).value_or(QStringList{QStringLiteral("<missing>")}); }

    /// A theme of `count` links "L1".."Ln" (URL http://kids.example/Ln), loaded and active.
    void makeTheme(int count, const QStringList &whitelist = {})
    {
        QStringList ids;
        for (int i = 1; i <= count; ++i) {
            const QString id = QStringLiteral("L%1").arg(i);
            writeLink(m_themes, id, QStringLiteral("http://kids.example/") + id, true, 0xFF000000u | quint32(i), i * 10,
                      i * 20);
            ids << id;
        }
        writeLinkList(m_themes, kTheme, ids);
        writeRaw(path(kTheme, ".kvu"), joinLinesCrLf(whitelist));
        m_model->activateTheme(kTheme);
    }

    NewLink newLink(const QString &url, const QString &entry) const
    {
        NewLink link;
        link.url = url;
        link.hint = QStringLiteral("Games");
        link.whitelistEntry = entry;
        link.thumbnail = Bitmap::filled(70, 70, 0x00204060u);
        link.panelSize = QSize(400, 300);
        return link;
    }

private slots:
    void init()
    {
        m_state = std::make_unique<ProgramState>();
        m_state->DataFolder = m_dir.filePath(QStringLiteral("data%1").arg(++m_run));
        m_themes = m_state->themesFolder();
        QVERIFY(QDir().mkpath(m_themes));
        m_lists = std::make_unique<SiteLists>(*m_state, m_profile, VendorSettings{});
        m_model = std::make_unique<ThemeModel>(*m_state);
        m_model->setSiteListLoader([this] { m_lists->LoadSiteLists(); });
    }

    void addWritesTheLinkAndShowsItInTheNextSlot()
    {
        makeTheme(2);
        const QDateTime now(QDate(2024, 3, 5), QTime(14, 7, 9));
        const AddLinkResult added = AddLink(*m_model, *m_lists, *m_state,
                                            newLink(QStringLiteral("https://games.example/play"),
                                                    QStringLiteral("https://games.example/")),
                                            now);
        QVERIFY2(added.ok, qPrintable(added.message));
        QCOMPARE(added.id, QStringLiteral("20240305140709"));
        QCOMPARE(lines(kTheme, ".llt"), (QStringList{"L1", "L2", "20240305140709"}));
        QCOMPARE(readRaw(path(added.id, ".kld")),
                 QByteArray("[LinkProp]\r\nURL=https://games.example/play\r\nID=20240305140709\r\nHint=Games\r\n"
                            "Beschrijving=\r\nhoogte=300\r\nbreedte=400\r\n"));
        const BmpDecodeResult bmp = readBmpFile(path(added.id, ".bmp"));
        QVERIFY(bmp.ok());
        QCOMPARE(bmp.bitmap.width, 70);
        QCOMPARE(bmp.bitmap.pixel(10, 10) & 0xFFFFFFu, 0x204060u);
        QCOMPARE(lines(kTheme, ".kvu"), QStringList{"https://games.example/"});

        QCOMPARE(m_model->LinkCount(), 3);
        QCOMPARE(m_model->slot(3).link.URL, QStringLiteral("https://games.example/play"));
        QCOMPARE(m_model->slot(3).link.hoogte, 300);

        // A second link within the same second gets the next free ID, not the first one's files.
        const AddLinkResult again =
            AddLink(*m_model, *m_lists, *m_state, newLink(QStringLiteral("http://b.example/"), QStringLiteral("http://b.example/")), now);
        QVERIFY(again.ok);
        QCOMPARE(again.id, QStringLiteral("20240305140710"));
        QCOMPARE(m_model->slot(3).link.URL, QStringLiteral("https://games.example/play"));
        QCOMPARE(m_model->slot(4).link.URL, QStringLiteral("http://b.example/"));
    }

    void addCompactsTheWhitelist()
    {
        makeTheme(1, {QStringLiteral("http://kids.example")});
        const QDateTime now(QDate(2024, 1, 1), QTime(8, 0, 0));
        QVERIFY(AddLink(*m_model, *m_lists, *m_state,
                        newLink(QStringLiteral("http://kids.example/zoo"), QStringLiteral("http://kids.example/zoo/")), now)
                    .ok);
        // The shorter entry already allows the longer one: the list stays as it was.
        QCOMPARE(m_lists->whitelist().items(), QStringList{"http://kids.example"});
        QCOMPARE(lines(kTheme, ".kvu"), QStringList{"http://kids.example"});
    }

    void addRefusesWhatWouldLoseOrMisplaceLinks()
    {
        makeTheme(1);
        const QDateTime now(QDate(2024, 1, 1), QTime(8, 0, 0));
        // An unreadable link list is never replaced by a list of just the new link.
        QFile::remove(path(kTheme, ".llt"));
        QVERIFY(QDir().mkpath(path(kTheme, ".llt")));
        QVERIFY(!AddLink(*m_model, *m_lists, *m_state, newLink("http://a.example/", "http://a.example/"), now).ok);
        QVERIFY(!QFile::exists(path(QStringLiteral("20240101080000"), ".bmp")));
        // A theme name that would leave the themes folder writes nothing.
        m_state->setActiveTheme(QStringLiteral("../outside"));
        QVERIFY(!AddLink(*m_model, *m_lists, *m_state, newLink("http://a.example/", "http://a.example/"), now).ok);
        QVERIFY(!QFile::exists(m_state->DataFolder + QStringLiteral("/outside.llt")));
    }

    void wizardFieldCheck_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("text");
        const int ok = int(WizardFieldCheck::Outcome::Ok);
        const int empty = int(WizardFieldCheck::Outcome::Empty);
        const int prefixed = int(WizardFieldCheck::Outcome::Prefixed);
        QTest::newRow("httpPasses") << "http://kids.example/" << ok << "http://kids.example/";
        QTest::newRow("httpsIsNeverPrefixed") << "https://kids.example/" << ok << "https://kids.example/";
        QTest::newRow("capitalSchemePasses") << "HTTPS://kids.example/" << ok << "HTTPS://kids.example/";
        QTest::newRow("schemeAnywherePasses") << "go?to=http://x" << ok << "go?to=http://x";
        QTest::newRow("bareHostIsPrefixed") << "kids.example" << prefixed << "http://kids.example";
        QTest::newRow("blankTakesTheBrowserAddress") << "   " << empty << "https://shown.example/";
    }

    void wizardFieldCheck()
    {
        QFETCH(QString, field);
        QFETCH(int, outcome);
        QFETCH(QString, text);
        const WizardFieldCheck check = checkWizardField(field, QStringLiteral("https://shown.example/"));
        QCOMPARE(int(check.outcome), outcome);
        QCOMPARE(check.text, text);
        QCOMPARE(check.message.isEmpty(), outcome == int(WizardFieldCheck::Outcome::Ok));
    }

    void saveRewritesTheLinkAndCompacts()
    {
        makeTheme(3, {QStringLiteral("https://new.example")});
        QVERIFY(m_model->setSelectedLink(2));
        const QByteArray before = readRaw(path("L2", ".kld"));

        // Without a scheme: prefixed, nothing written.
        SaveLinkResult r = SaveLinkEdit(*m_model, *m_lists, *m_state, QStringLiteral("new.example/page"),
                                        QStringLiteral("New"), QSize(-1, -1));
        QCOMPARE(r.outcome, SaveLinkResult::Outcome::Prefixed);
        QCOMPARE(r.text, QStringLiteral("http://new.example/page"));
        QCOMPARE(readRaw(path("L2", ".kld")), before);

        r = SaveLinkEdit(*m_model, *m_lists, *m_state, QStringLiteral("https://new.example/page"), QStringLiteral("New"),
                         QSize(-1, 250));
        QCOMPARE(r.outcome, SaveLinkResult::Outcome::Saved);
        QCOMPARE(r.text, QStringLiteral("https://new.example/page")); // never "http://https://..."
        QCOMPARE(readRaw(path("L2", ".kld")),
                 QByteArray("[LinkProp]\r\nURL=https://new.example/page\r\nID=L2\r\nHint=New\r\nBeschrijving=\r\n"
                            "hoogte=250\r\nbreedte=-1\r\n"));
        QCOMPARE(lines(kTheme, ".kvu"), QStringList{"https://new.example"}); // compacted away
        QCOMPARE(m_model->slot(2).link.URL, QStringLiteral("https://new.example/page"));
        QCOMPARE(m_model->SelectedLink(), 2);

        m_model->setSelectedLink(-1);
        QCOMPARE(SaveLinkEdit(*m_model, *m_lists, *m_state, QStringLiteral("https://x.example/"), QString(), QSize())
                     .outcome,
                 SaveLinkResult::Outcome::Nothing);
    }

    void removeMovesLaterLinksUpWhole()
    {
        makeTheme(3);
        QVERIFY(m_model->setSelectedLink(2));
        QVERIFY(RemoveSelectedLink(*m_model, *m_state));
        QCOMPARE(lines(kTheme, ".llt"), (QStringList{"L1", "L3"}));
        QCOMPARE(m_model->LinkCount(), 2);
        QCOMPARE(m_model->SelectedLink(), -1);
        const LinkSlot &two = m_model->slot(2);
        QCOMPARE(two.link.ID, QStringLiteral("L3"));
        QCOMPARE(two.link.URL, QStringLiteral("http://kids.example/L3"));
        QCOMPARE(two.link.Hint, QStringLiteral("hint L3"));
        QCOMPARE(two.link.hoogte, 30);
        QCOMPARE(two.link.breedte, 60);
        QCOMPARE(two.picture.pixel(0, 0) & 0xFFu, 3u);
        QVERIFY(m_model->slot(3).isEmpty());
        QVERIFY(QFile::exists(path("L2", ".kld")) && QFile::exists(path("L2", ".bmp")));
        QVERIFY(!RemoveSelectedLink(*m_model, *m_state)); // nothing selected any more
    }

    void removeTakesTheLineTheSlotShows()
    {
        // Line 2 has no .kld and shows nowhere: slot 2 shows line 3.
        writeLink(m_themes, "A", "http://a.example/");
        writeLink(m_themes, "B", "http://b.example/");
        writeLink(m_themes, "C", "http://c.example/");
        writeLinkList(m_themes, kTheme, {"A", "gone", "B", "C"});
        m_model->activateTheme(kTheme);
        QVERIFY(m_model->setSelectedLink(2));
        QVERIFY(RemoveSelectedLink(*m_model, *m_state));
        QCOMPARE(lines(kTheme, ".llt"), (QStringList{"A", "gone", "C"}));
        QCOMPARE(m_model->slot(2).link.ID, QStringLiteral("C"));

        // A list changed behind the panel's back is not edited blindly.
        writeLinkList(m_themes, kTheme, {"C", "A"});
        QVERIFY(m_model->setSelectedLink(2));
        QVERIFY(!RemoveSelectedLink(*m_model, *m_state));
        QCOMPARE(lines(kTheme, ".llt"), (QStringList{"C", "A"}));
    }

    void upAndDownExchangeLinesAndFollowTheSelection()
    {
        makeTheme(3);
        QVERIFY(m_model->setSelectedLink(2));
        QVERIFY(MoveSelectedLinkUp(*m_model, *m_state, 390));
        QCOMPARE(lines(kTheme, ".llt"), (QStringList{"L2", "L1", "L3"}));
        QCOMPARE(m_model->SelectedLink(), 1);
        QCOMPARE(m_model->slot(1).link.ID, QStringLiteral("L2"));
        QCOMPARE(m_model->slot(2).link.URL, QStringLiteral("http://kids.example/L1"));

        QVERIFY(MoveSelectedLinkUp(*m_model, *m_state, 390)); // first: nothing to exchange
        QCOMPARE(lines(kTheme, ".llt"), (QStringList{"L2", "L1", "L3"}));

        m_model->setSelectedLink(3);
        QVERIFY(MoveSelectedLinkDown(*m_model, *m_state, 390)); // last: nothing to exchange
        QCOMPARE(lines(kTheme, ".llt"), (QStringList{"L2", "L1", "L3"}));
        m_model->setSelectedLink(2);
        QVERIFY(MoveSelectedLinkDown(*m_model, *m_state, 390));
        QCOMPARE(lines(kTheme, ".llt"), (QStringList{"L2", "L3", "L1"}));
        QCOMPARE(m_model->SelectedLink(), 3);

        m_model->setSelectedLink(-1);
        QVERIFY(!MoveSelectedLinkUp(*m_model, *m_state, 390));
    }

    void upAndDownScrollTheSelectionIntoView()
    {
        // A column of 390 pixels shows four slots; a page is 320 pixels.
        makeTheme(8);
        QVERIFY(m_model->setSelectedLink(5));
        MoveSelectedLinkDown(*m_model, *m_state, 390); // now 6, frame top 400: below the column
        QCOMPARE(m_model->SelectedLink(), 6);
        QCOMPARE(m_model->scrollOffset(), 320);
        MoveSelectedLinkUp(*m_model, *m_state, 390); // now 5, picture top 5: in view
        QCOMPARE(m_model->scrollOffset(), 320);
        MoveSelectedLinkUp(*m_model, *m_state, 390); // now 4, above the column: back to the top
        QCOMPARE(m_model->scrollOffset(), 0);

        // Up on the first link changes no line but still brings it into view.
        m_model->scrollTo(320);
        m_model->setSelectedLink(1);
        const QStringList before = lines(kTheme, ".llt");
        MoveSelectedLinkUp(*m_model, *m_state, 390);
        QCOMPARE(lines(kTheme, ".llt"), before);
        QCOMPARE(m_model->scrollOffset(), 0);
    }
};

QTEST_GUILESS_MAIN(TestLinkEditing)
#include "test_link_editing.moc"
