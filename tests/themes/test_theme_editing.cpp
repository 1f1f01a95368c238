// The active theme editor's operations on real files: the list pages' Add,
// Change and Delete (compaction on the whitelist only, https never prefixed),
// the copy that shares link IDs, the merge that doubles lines, deleting the last
// theme, and the e-mail's parts.

#include "themes/support_theme_fixtures.h"

#include "core/text_file.h"
#include "guard/site_lists.h"
#include "state/program_state.h"
#include "themes/theme_editing.h"
#include "themes/theme_model.h"
#include "themes/theme_names.h"
#include "users/user_profile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace tovalin;
using namespace tovalin::testing;

class TestThemeEditing : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_run = 0;
    std::unique_ptr<ProgramState> m_state;
    UserProfile m_profile;
    std::unique_ptr<SiteLists> m_lists;
    std::unique_ptr<ThemeModel> m_model;
    QString m_themes;

    QString path(const QString &stem, const char *ext) const { return m_themes + u'/' + stem + QLatin1String(ext); }
    QStringList lines(const QString &stem, const char *ext) const
    {
        return readLines(path(stem, ext)).value_or(QStringList{QStringLiteral("<missing>")});
    }

    void makeTheme(const QString &name, const QStringList &ids, const QStringList &white,
                   const QStringList &black = {}, const QStringList &popup = {})
    {
        for (const QString &id : ids)
            writeLink(m_themes, id, QStringLiteral("http://kids.example/") + id);
        writeLinkList(m_themes, name, ids);
        writeRaw(path(name, ".kvu"), joinLinesCrLf(white));
        writeRaw(path(name, ".kou"), joinLinesCrLf(black));
        writeRaw(path(name, ".kpu"), joinLinesCrLf(popup));
    }

private slots:
    void init()
    {
        m_state = std::make_unique<ProgramState>();
        m_state->DataFolder = m_dir.filePath(QStringLiteral("data%1").arg(++m_run));
        m_themes = m_state->themesFolder();
        QVERIFY(QDir().mkpath(m_themes));
        QVERIFY(QDir().mkpath(m_state->downloadsFolder()));
        m_lists = std::make_unique<SiteLists>(*m_state, m_profile, VendorSettings{});
        m_model = std::make_unique<ThemeModel>(*m_state);
        m_model->setSiteListLoader([this] { m_lists->LoadSiteLists(); });
    }

    void addCompactsTheWhitelistOnly()
    {
        makeTheme("Mine", {"A"}, {"http://a.example"});
        m_model->activateTheme("Mine");

        ListAddResult r = addListEntry(*m_lists, SiteList::White, "http://a.example/deeper");
        QCOMPARE(r.outcome, ListAddResult::Outcome::Added);
        QCOMPARE(lines("Mine", ".kvu"), QStringList{"http://a.example"});

        r = addListEntry(*m_lists, SiteList::White, "https://b.example/");
        QCOMPARE(r.outcome, ListAddResult::Outcome::Added);
        QCOMPARE(lines("Mine", ".kvu"), (QStringList{"http://a.example", "https://b.example/"}));

        // Not a web address: the prefix is put in front and nothing is added until pressed again.
        r = addListEntry(*m_lists, SiteList::Black, "bad.example");
        QCOMPARE(r.outcome, ListAddResult::Outcome::Prefixed);
        QCOMPARE(r.field, QStringLiteral("http://bad.example"));
        QCOMPARE(m_lists->blacklist().size(), 0);
        QCOMPARE(addListEntry(*m_lists, SiteList::Black, "   ").outcome, ListAddResult::Outcome::Nothing);

        // The blacklist and the pop-up list keep duplicates.
        addListEntry(*m_lists, SiteList::Black, r.field);
        addListEntry(*m_lists, SiteList::Black, r.field);
        addListEntry(*m_lists, SiteList::Popup, "http://pop.example/x");
        addListEntry(*m_lists, SiteList::Popup, "http://pop.example/x/longer");
        QCOMPARE(lines("Mine", ".kou"), (QStringList{"http://bad.example", "http://bad.example"}));
        QCOMPARE(lines("Mine", ".kpu"), (QStringList{"http://pop.example/x", "http://pop.example/x/longer"}));
    }

    void changeAndDeleteSaveAtOnce()
    {
        makeTheme("Mine", {"A"}, {"http://a.example", "http://z.example"}, {"http://bad.example"});
        m_model->activateTheme("Mine");

        // A longer variant of the entry before it is compacted away.
        QVERIFY(changeListEntry(*m_lists, SiteList::White, 1, "http://a.example/more"));
        QCOMPARE(lines("Mine", ".kvu"), QStringList{"http://a.example"});

        QVERIFY(!changeListEntry(*m_lists, SiteList::White, 0, "a.example/no-scheme"));
        QVERIFY(!changeListEntry(*m_lists, SiteList::White, 0, "  "));
        QCOMPARE(m_lists->whitelist().items(), QStringList{"http://a.example"});

        QVERIFY(changeListEntry(*m_lists, SiteList::Black, 0, "https://worse.example"));
        QCOMPARE(lines("Mine", ".kou"), QStringList{"https://worse.example"});

        deleteListEntry(*m_lists, SiteList::Black, 0);
        QCOMPARE(readRaw(path("Mine", ".kou")), QByteArray());
        deleteListEntry(*m_lists, SiteList::White, 7); // no such row: nothing goes
        QCOMPARE(lines("Mine", ".kvu"), QStringList{"http://a.example"});
    }

    void saveAsCopiesTheListsAndSharesLinkIds()
    {
        makeTheme("Mine", {"A", "B"}, {"http://a.example"}, {"http://bad.example"}, {"http://pop.example"});
        QVERIFY(copyThemeFiles(m_themes, "Mine", "Copy"));
        for (const char *ext : {".llt", ".kvu", ".kou", ".kpu"})
            QCOMPARE(readRaw(path("Copy", ext)), readRaw(path("Mine", ext)));
        QVERIFY(!QFile::exists(path("A", ".kld") + QStringLiteral(".copy")));

        // A missing source skips just that file; an existing theme in other letters keeps its name.
        QFile::remove(path("Mine", ".kpu"));
        QVERIFY(copyThemeFiles(m_themes, "Mine", "Other"));
        QVERIFY(QFile::exists(path("Other", ".llt")));
        QVERIFY(!QFile::exists(path("Other", ".kpu")));
        QCOMPARE(existingThemeSpelling(m_themes, "COPY"), QStringLiteral("Copy"));
        QCOMPARE(existingThemeSpelling(m_themes, "New one"), QStringLiteral("New one"));
    }

    void mergeAppendsEveryLineAndDoublesIntoItself()
    {
        makeTheme("Mine", {"A", "B"}, {"http://a.example"}, {"http://bad.example"}, {"http://pop.example"});
        makeTheme("Theirs", {"C"}, {"http://c.example"}, {}, {});
        QFile::remove(path("Theirs", ".kpu"));

        QVERIFY(mergeTheme(m_themes, "Mine", "Theirs").isEmpty());
        QCOMPARE(lines("Mine", ".llt"), (QStringList{"A", "B", "C"}));
        QCOMPARE(lines("Mine", ".kvu"), (QStringList{"http://a.example", "http://c.example"}));
        QCOMPARE(lines("Mine", ".kou"), QStringList{"http://bad.example"});
        QCOMPARE(lines("Mine", ".kpu"), QStringList{"http://pop.example"}); // theirs is missing: skipped

        QVERIFY(mergeTheme(m_themes, "Mine", "Mine").isEmpty());
        QCOMPARE(lines("Mine", ".llt"), (QStringList{"A", "B", "C", "A", "B", "C"}));
        QCOMPARE(lines("Mine", ".kvu"),
                 (QStringList{"http://a.example", "http://c.example", "http://a.example", "http://c.example"}));
        QCOMPARE(lines("Mine", ".kpu"), (QStringList{"http://pop.example", "http://pop.example"}));

        // The panel shows the doubled links: every line whose link exists takes a slot.
        m_model->activateTheme("Mine");
        QCOMPARE(m_model->LinkCount(), 6);
        QCOMPARE(m_model->slot(4).link.ID, QStringLiteral("A"));
    }

    void deletingTheLastThemeLeavesNone()
    {
        makeTheme("Mine", {"A"}, {"http://a.example"});
        m_model->activateTheme("Mine");
        QVERIFY(deleteActiveTheme(*m_model, *m_lists, *m_state));
        QCOMPARE(m_state->activeTheme(), QStringLiteral("Geen thema aanwezig"));
        QCOMPARE(m_model->LinkCount(), 0);
        QCOMPARE(m_lists->whitelist().size(), 0);
        for (const char *ext : {".llt", ".kvu", ".kou", ".kpu"})
            QVERIFY(!QFile::exists(path("Mine", ext)));
        QVERIFY(QFile::exists(path("A", ".kld")) && QFile::exists(path("A", ".bmp")));
        QVERIFY(!deleteActiveTheme(*m_model, *m_lists, *m_state)); // nothing left to delete

        makeTheme("One", {"A"}, {"http://one.example"});
        makeTheme("Two", {"A"}, {"http://two.example"});
        m_model->activateTheme("Two");
        QVERIFY(deleteActiveTheme(*m_model, *m_lists, *m_state));
        QCOMPARE(m_state->activeTheme(), QStringLiteral("One"));
        QCOMPARE(m_lists->whitelist().items(), QStringList{"http://one.example"});
        QCOMPARE(m_model->SelectedLink(), 1);
    }

    void emailCarriesTheThemeAndNoRecipient()
    {
        QCOMPARE(emailSubject("Zoo"), QStringLiteral("Tovalin theme: Zoo"));
        const QStringList body = emailBody("www.tovalin.example").split(u'\n');
        QCOMPARE(body.mid(0, 3), (QStringList{"", "", QString(74, u'_')}));
        QVERIFY(body.at(4).contains(QLatin1String("www.tovalin.example")));
        const QStringList args = xdgEmailArguments("S", "B", "/tmp/Zoo.tvz");
        QCOMPARE(args.mid(args.indexOf("--subject"), 2), (QStringList{"--subject", "S"}));
        QCOMPARE(args.mid(args.indexOf("--attach"), 2), (QStringList{"--attach", "/tmp/Zoo.tvz"}));
        QVERIFY(!args.contains("--to"));
    }
};

QTEST_GUILESS_MAIN(TestThemeEditing)
#include "test_theme_editing.moc"
