// The new-user wizard's steps and the age templates that ship: which template
// an age and a language get, copying it over an existing user, the themes it
// names brought into the data folder, the name test that leaves nothing behind,
// the start-user file, Finish without a user; and every shipped template is a
// complete profile naming its band's starter themes, starting on the first link
// of the first.

#include "support_users.h"

#include "core/ini.h"
#include "core/text_file.h"
#include "guard/site_lists.h"
#include "state/program_state.h"
#include "themes/theme_files.h"
#include "users/age_templates.h"
#include "users/desktop_launcher.h"
#include "users/new_user_steps.h"
#include "users/user_activation.h"
#include "users/user_profile.h"
#include "users/user_store.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace tovalin;
using usertest::readBytes;
using usertest::writeBytes;

namespace {

/// The source tree's program folder: resources/templates, resources/themes, resources/icons.
QString sourceProgramFolder()
{
    return QDir::cleanPath(QStringLiteral(TOVALIN_TEST_DATA) + QStringLiteral("/../..")) + u'/';
}

class NoDesktop : public DesktopShell {
public:
    QString xdgUserDesktopDir() override { return {}; }
    QString environment(const char *) override { return {}; }
    void markTrusted(const QString &) override {}
};

struct Fixture {
    usertest::DataFolder data{{"Learn and play", "Nature and space"}};
    ProgramState state;
    UserProfile profile;
    UserStore store{state, profile};
    UserActivationHooks hooks;
    UserSession session{state, profile, store, hooks};
    NoDesktop desktop;
    NewUserSteps steps{state, store, session, desktop, QStringLiteral("/opt/tovalin/tovalin")};

    Fixture()
    {
        data.attach(state);
        state.ProgramFolder = sourceProgramFolder();
        QDir().mkpath(state.downloadsFolder());
    }
};

// The keys a profile written from scratch holds, section by section, in order.
QList<QPair<QString, QStringList>> profileLayout()
{
    IniDocument doc;
    UserProfile::fileDefaults().writeTo(doc);
    doc.setValue(QStringLiteral("Favorieten"), QStringLiteral("gebruikfav"), QString());
    QList<QPair<QString, QStringList>> layout;
    for (const QString &section : doc.sections())
        layout.append({section, doc.keys(section)});
    return layout;
}

} // namespace

class TestNewUserWizardSteps : public QObject {
    Q_OBJECT
private slots:
    void theAgePicksItsTemplate_data()
    {
        QTest::addColumn<int>("age");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("file");
        QTest::newRow("youngest") << 2 << "en" << "2.usr";
        QTest::newRow("six") << 6 << "en" << "6.usr";
        QTest::newRow("oldestTemplate") << 15 << "en" << "15.usr";
        QTest::newRow("teenagerAndUpUseFifteen") << 16 << "en" << "15.usr";
        QTest::newRow("highestAge") << 99 << "en" << "15.usr";
        QTest::newRow("dutchToddler") << 3 << "nl" << "nl/3.usr";
        QTest::newRow("dutchTeenager") << 40 << "nl" << "nl/15.usr";
    }
    void theAgePicksItsTemplate()
    {
        QFETCH(int, age);
        QFETCH(QString, language);
        QFETCH(QString, file);
        Fixture f;
        QStringList installed;
        f.steps.setThemeInstaller([&](const QStringList &themes) { installed = themes; });
        f.steps.setLanguage(language);
        // An existing user of the name (another spelling even) is replaced without a question.
        writeBytes(f.data.usersFile("Piet.usr"), "[Eigen]\r\nKleur=rood\r\n");
        QVERIFY(f.steps.createUser(" piet ", age));
        QCOMPARE(QDir(f.state.usersFolder()).entryList(QDir::Files), QStringList{"Piet.usr"});
        const QString templateFile = sourceProgramFolder() + "resources/templates/" + file;
        QCOMPARE(readBytes(f.data.usersFile("Piet.usr")), readBytes(templateFile));
        // The themes the template names are brought into the data folder where missing.
        QCOMPARE(installed, UserStore::decodeAllowedThemes(IniDocument::load(templateFile)->stringValue(
                                QStringLiteral("Favorieten"), QStringLiteral("gebruikfav"))));
    }

    void aMissingTemplateMakesNoUser()
    {
        Fixture f;
        QTemporaryDir empty;
        f.state.ProgramFolder = empty.path() + u'/';
        QVERIFY(!f.steps.createUser("Anna", 6));
        QVERIFY(QDir(f.state.usersFolder()).entryList(QDir::Files).isEmpty());
    }

    void theNameTestLeavesNothingBehind()
    {
        Fixture f;
        QVERIFY(f.steps.nameIsUsable("Piet Jansen"));
        QVERIFY(f.steps.nameIsUsable("Zoë"));
        QVERIFY(!f.steps.nameIsUsable("groep/1"));
        QVERIFY(!f.steps.nameIsUsable(".."));
        QVERIFY(!f.steps.nameIsUsable(QString(300, u'x')));
        QVERIFY(!f.steps.nameIsUsable("  "));
        QVERIFY(QDir(f.state.downloadsFolder()).entryList(QDir::Files | QDir::Hidden).isEmpty());
        // A probe left by an older version proves the name and stays as it was.
        writeBytes(f.state.downloadsFolder() + "/Kim.tst", "x");
        QVERIFY(f.steps.nameIsUsable("Kim"));
        QCOMPARE(readBytes(f.state.downloadsFolder() + "/Kim.tst"), QByteArray("x"));
    }

    void theStartUserPageWritesStartTvr()
    {
        Fixture f;
        QVERIFY(f.steps.startUser().isEmpty());
        QVERIFY(f.steps.createUser("Anna", 4));
        QVERIFY(f.steps.createUser("Bert", 9));
        writeBytes(f.data.usersFile(".usr"), "");
        QCOMPARE(f.steps.users(), (QStringList{"Anna", "Bert"}));
        // A first start has no start.tvr: it is made with the name as its only line.
        QVERIFY(f.steps.setStartUser("Bert").isEmpty());
        QCOMPARE(readBytes(f.state.startUserFile()), QByteArray("Bert\r\n"));
        QCOMPARE(f.steps.startUser(), QStringLiteral("Bert"));
        QVERIFY(writeLines(f.state.startUserFile(), {"Bert", "other"}).ok);
        QVERIFY(f.steps.setStartUser("Anna").isEmpty());
        QCOMPARE(readLines(f.state.startUserFile()).value(), (QStringList{"Anna", "other"}));
    }

    void finishActivatesTheChosenUserOrNone()
    {
        Fixture f;
        QVERIFY(f.steps.createUser("Anna", 6));
        f.steps.finish("Anna");
        QCOMPARE(f.state.activeUser(), QStringLiteral("Anna"));
        QCOMPARE(f.state.activeTheme(), QStringLiteral("Learn and play"));
        QVERIFY(f.profile.Kindvriendelijk);
        f.steps.finish(QString());
        QVERIFY(f.state.activeUser().isEmpty());
        QCOMPARE(f.store.userLabelText(), QStringLiteral("No user available"));
    }

    void everyShippedTemplateIsACompleteProfile()
    {
        const QString program = sourceProgramFolder();
        const QList<QPair<QString, QStringList>> layout = profileLayout();
        QStringList english; // the themes of the English template of the same age
        for (int n = 0; n < 2 * (kOldestTemplateAge - kYoungestTemplateAge + 1); ++n) {
            const int age = kYoungestTemplateAge + n / 2;
            const QString language = n % 2 ? QStringLiteral("nl") : QStringLiteral("en");
            const QString path = templatePath(program, age, language);
            QCOMPARE(path.contains(QStringLiteral("/nl/")), language == u"nl");
            const QString what = language + u' ' + QFileInfo(path).fileName();
            const std::optional<IniDocument> ini = IniDocument::load(path);
            QVERIFY2(ini, qPrintable(what));
            QList<QPair<QString, QStringList>> keys;
            for (const QString &section : ini->sections())
                keys.append({section, ini->keys(section)});
            QVERIFY2(keys == layout, qPrintable(what + " lacks keys or lists them out of order"));
            QVERIFY2(readBytes(path).endsWith("\r\n"), qPrintable(what));

            // Only shipped themes; the start page is the first theme's first link and passes its whitelist.
            const QStringList themes =
                UserStore::decodeAllowedThemes(ini->stringValue(QStringLiteral("Favorieten"), QStringLiteral("gebruikfav")));
            QVERIFY2(!themes.isEmpty(), qPrintable(what));
            // A Dutch desktop gets themes of its own, not the English ones.
            if (language == u"en")
                english = themes;
            else
                for (const QString &theme : themes)
                    QVERIFY2(!english.contains(theme), qPrintable(what + ": " + theme));
            for (const QString &theme : themes)
                QVERIFY2(QFile::exists(program + "resources/themes/" + theme + ".llt"), qPrintable(what + ": " + theme));

            ProgramState state;
            state.ProgramFolder = program;
            UserProfile profile;
            profile.readFrom(*ini);
            state.setActiveTheme(themes.constFirst());
            // The starter themes lie flat in resources/themes, as a data folder's themas/ does.
            QTemporaryDir data;
            QVERIFY(QFile::link(program + "resources/themes", data.path() + "/themas"));
            state.DataFolder = data.path();
            SiteLists lists(state, profile, VendorSettings{});
            lists.LoadSiteLists();
            const QString start = ini->stringValue(QStringLiteral("Favorieten"), QStringLiteral("StartURL"));
            QVERIFY2(start.startsWith(QStringLiteral("https://")), qPrintable(what));
            QVERIFY2(!lists.IsNotWhitelisted(start), qPrintable(what + ": " + start));
            QVERIFY2(!lists.IsBlacklisted(start), qPrintable(what + ": " + start));
            const auto firstLink = readLinkProperties(
                program + "resources/themes", readLines(program + "resources/themes/" + themes.constFirst() + ".llt")->value(0));
            QVERIFY2(firstLink && firstLink->URL == start, qPrintable(what + ": " + start));
        }
    }

    void theShortcutIconsShip()
    {
        for (const ShortcutIcon icon : kShortcutIcons) {
            const QByteArray png = readBytes(shortcutIconPath(sourceProgramFolder(), icon));
            QVERIFY2(png.startsWith("\x89PNG\r\n\x1a\n"), qPrintable(shortcutIconFileName(icon)));
        }
    }
};

QTEST_GUILESS_MAIN(TestNewUserWizardSteps)
#include "test_new_user_wizard_steps.moc"
