// The users windows in the real program, as a parent meets them: a first start
// in an empty data folder brings the new-user wizard after five seconds;
// walking it makes the users from their age templates, a desktop launcher and
// start.tvr, activates the chosen user and asks for the password; the user
// manager opens another user (the child's side follows), deletes a user, and
// keeps the close checks.

#include "app/ui/application.h"
#include "guard/category_filter.h"
#include "app/ui/main_window.h"
#include "app/ui/parents_side.h"
#include "app/ui/users_side.h"
#include "core/text_file.h"
#include "parents/ui/parents_menu.h"
#include "parents/ui/password_dialogs.h"
#include "platform/head_probe.h"
#include "platform/tick_source.h"
#include "support_app.h"
#include "users/desktop_launcher.h"
#include "users/ui/new_user_wizard.h"
#include "users/ui/user_manager_dialog.h"
#include "users/user_profile.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

using namespace tovalin;
using tovalin::test::RecordingSound;

namespace {

class FolderDesktop : public DesktopShell {
public:
    QString folder;
    QString xdgUserDesktopDir() override { return folder; }
    QString environment(const char *) override { return {}; }
    void markTrusted(const QString &) override {}
};

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestUsersWindows : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QTemporaryDir m_desktopDir;
    RecordingSound m_sound;
    NoNetworkHeadProbe m_head;
    FakeTickSource m_timeTicks;
    FakeTickSource m_switchTicks;
    FolderDesktop m_desktop;
    std::unique_ptr<Application> m_app;
    QElapsedTimer m_sinceStart;
    QStringList m_messages;
    QStringList m_questions;
    bool m_answer = true;

    MainWindow &window() { return m_app->mainWindow(); }
    UserManagerDialog &manager() { return m_app->usersSide().managerDialog(); }
    NewUserWizard &wizard() { return m_app->usersSide().wizard(); }
    template <typename T>
    T *in(QWidget *w, const char *name)
    {
        T *child = w->findChild<T *>(QLatin1String(name));
        if (!child)
            qWarning("no widget %s", name);
        return child;
    }
    QString userLabel() { return in<QLabel>(&window(), "gebruikerlabel")->text(); }
    QString themeLabel() { return in<QLabel>(&window(), "Label3")->text(); }
    QString usersFile(const QString &name) { return m_dir.path() + "/gebruikers/" + name + ".usr"; }
    QString programFolder() { return m_app->state().ProgramFolder; }
    void click(QWidget *w, const char *name)
    {
        QWidget *target = in<QWidget>(w, name);
        QVERIFY2(target && target->isVisible(), name);
        if (auto *button = qobject_cast<QAbstractButton *>(target))
            button->click();
        else
            QTest::mouseClick(target, Qt::LeftButton);
    }
    void select(QListWidget *list, const QString &text)
    {
        const QList<QListWidgetItem *> found = list->findItems(text, Qt::MatchExactly);
        QVERIFY2(!found.isEmpty(), qPrintable(text));
        list->setCurrentItem(found.constFirst());
    }

private slots:
    void initTestCase()
    {
        // An empty data folder: the very first start.
        qputenv("TOVALIN_DATA_DIR", m_dir.path().toUtf8());
        m_desktop.folder = m_desktopDir.filePath(QStringLiteral("Bureaublad"));
        Application::Options options;
        options.arguments = QStringList{QStringLiteral("tovalin")};
        options.sound = &m_sound;
        options.headProbe = &m_head;
        options.timeClockTicks = &m_timeTicks;
        options.switchClockTicks = &m_switchTicks;
        options.desktop = &m_desktop;
        m_app = std::make_unique<Application>(options);
        m_sinceStart.start();
        m_app->start();
        auto message = [this](QWidget *, const QString &text) { m_messages << text; };
        auto question = [this](QWidget *, const QString &text) {
            m_questions << text;
            return m_answer;
        };
        manager().setMessage(message);
        manager().setQuestion(question);
        wizard().setMessage(message);
        m_app->parents().parentsMenu().setQuestion(question);
    }

    void cleanupTestCase() { m_app.reset(); }

    void aFirstStartShowsTheWizardAfterFiveSeconds()
    {
        QVERIFY(m_app->state().FirstRun);
        QCOMPARE(userLabel(), QStringLiteral("No user available"));
        QVERIFY(QFile::exists(m_dir.path() + "/gestart.tvr"));
        QVERIFY(QDir(m_dir.path() + "/gebruikers").entryList(QDir::Files).isEmpty()); // no user made behind the parent's back
        QVERIFY(!wizard().isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(wizard().isVisible(), 20000);
        // Qt's coarse timers may fire up to 5 % early.
        QVERIFY2(m_sinceStart.elapsed() >= 4750, qPrintable(QString::number(m_sinceStart.elapsed())));
        QCOMPARE(wizard().windowTitle(), QStringLiteral("Welcome at the Tovalin!"));
        QCOMPARE(wizard().currentPage(), NewUserWizard::WelcomePage);
        QVERIFY(wizard().isModal());
        QVERIFY(!m_app->state().FirstRun);
    }

    void walkingTheWizardMakesTwoChildren()
    {
        NewUserWizard &w = wizard();
        click(&w, "startButton");
        QCOMPARE(w.currentPage(), NewUserWizard::NamePage);
        auto *name = in<QLineEdit>(&w, "Edit1");
        QVERIFY(!in<QPushButton>(&w, "nameNext")->isEnabled());
        QTest::keyClicks(name, QStringLiteral("Piet Jansen"));
        QTest::keyClick(name, Qt::Key_Return); // Enter acts as Next
        QCOMPARE(w.currentPage(), NewUserWizard::AgePage);
        QCOMPARE(in<QLabel>(&w, "ageHeading")->text(), QStringLiteral("Enter the age of Piet Jansen"));
        auto *age = in<QSpinBox>(&w, "SpinEdit1");
        QCOMPARE(age->value(), 4);
        QCOMPARE(age->minimum(), 2);
        QCOMPARE(age->maximum(), 99);
        age->setValue(6);
        click(&w, "ageNext");
        QCOMPARE(in<QLabel>(&w, "shortcutHeading")->text(), QStringLiteral("Create a shortcut for Piet Jansen"));
        QVERIFY(!in<QWidget>(&w, "iconPanel")->isVisible());
        in<QCheckBox>(&w, "CheckBox1")->click();
        QVERIFY(in<QWidget>(&w, "iconPanel")->isVisible());
        click(&w, "iconGreen");
        click(&w, "shortcutNext");
        QCOMPARE(w.currentPage(), NewUserWizard::AnotherUserPage);
        QCOMPARE(in<QLabel>(&w, "addedLabel")->text(), QStringLiteral("The new user has Piet Jansen been added."));
        QCOMPARE(fileBytes(usersFile("Piet Jansen")), fileBytes(programFolder() + "resources/templates/6.usr"));
        const QByteArray launcher = fileBytes(m_desktop.folder + "/Piet Jansen.desktop");
        QVERIFY(launcher.contains("Name=Tovalin \xe2\x80\x93 Piet Jansen\n"));
        const QByteArray icon = "Icon=" + (programFolder() + "resources/icons/Tgroen2.png").toUtf8() + '\n';
        QVERIFY(launcher.contains(icon));
        QVERIFY(m_messages.isEmpty());

        // A second child: the name page starts afresh.
        click(&w, "addAnotherUser");
        QCOMPARE(w.currentPage(), NewUserWizard::NamePage);
        QVERIFY(name->text().isEmpty());
        QCOMPARE(age->value(), 4);
        QVERIFY(!in<QCheckBox>(&w, "CheckBox1")->isChecked());
        QTest::keyClicks(name, QStringLiteral("Anna"));
        click(&w, "nameNext");
        age->setValue(3);
        click(&w, "ageNext");
        // A data folder that lacks her template's first theme (one made before it shipped) gets it.
        const QString themes = m_dir.path() + "/themas/";
        QVERIFY(QFile::remove(themes + "Playtime.llt"));
        QVERIFY(QFile::remove(themes + "Playtime.kvu"));
        click(&w, "shortcutNext");
        QCOMPARE(fileBytes(usersFile("Anna")), fileBytes(programFolder() + "resources/templates/3.usr"));
        QCOMPARE(fileBytes(themes + "Playtime.kvu"), fileBytes(programFolder() + "resources/themes/Playtime.kvu"));
        QVERIFY(!QFile::exists(m_desktop.folder + "/Anna.desktop"));

        click(&w, "anotherNext");
        QCOMPARE(w.currentPage(), NewUserWizard::StartUserPage);
        auto *combo = in<QComboBox>(&w, "ComboBox1");
        QVERIFY(combo->currentText().isEmpty()); // no start.tvr yet
        QCOMPARE(combo->count(), 2);
        QVERIFY(!in<QLabel>(&w, "startExplain1")->isVisible());
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Down);
        QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(combo->currentText(), QStringLiteral("Piet Jansen"));
        QVERIFY(in<QLabel>(&w, "startExplain1")->isVisible());
        QCOMPARE(in<QLabel>(&w, "startExplain2")->text(), QStringLiteral("the user Piet Jansen."));
        click(&w, "startUserNext");
        QCOMPARE(fileBytes(m_dir.path() + "/start.tvr"), QByteArray("Piet Jansen\r\n"));
        QCOMPARE(w.currentPage(), NewUserWizard::DonePage);
        QVERIFY(QDir(m_dir.path() + "/downloads").entryList(QDir::Files).isEmpty());

        // Finish: the user is active at once, then the password is asked for.
        click(&w, "finishButton");
        QVERIFY(!w.isVisible());
        QCOMPARE(m_app->state().activeUser(), QStringLiteral("Piet Jansen"));
        QCOMPARE(userLabel(), QStringLiteral("Piet Jansen"));
        QCOMPARE(themeLabel(), QStringLiteral("Learn and play"));
        QCOMPARE(m_app->state().activeTheme(), QStringLiteral("Learn and play"));
        QVERIFY(m_app->profile().Kindvriendelijk);
        QDialog *create = m_app->parents().parentsMenu().createDialog();
        QTRY_VERIFY(create->isVisible());
        // Closing it without a password: warned, and No leaves the program without one.
        m_answer = false;
        create->reject();
        QTRY_COMPARE(m_questions.size(), 1);
        QVERIFY(m_questions.constFirst().startsWith(QStringLiteral("Attention: The ")));
        QVERIFY(!create->isVisible());
        m_questions.clear();
        m_answer = true;
    }

    void theManagerOpensAnotherUserAndTheChildFollows()
    {
        emit window().menuBarLink(QStringLiteral("Label46"))->clicked();
        UserManagerDialog &m = manager();
        QTRY_VERIFY(m.isVisible());
        QCOMPARE(m.windowTitle(), QStringLiteral("Users"));
        QCOMPARE(m.currentPage(), UserManagerDialog::OpenPage);
        auto *list = in<QListWidget>(&m, "openList");
        QCOMPARE(list->count(), 2);
        QCOMPARE(in<QLabel>(&m, "openLabel")->text(), QStringLiteral("No user selected"));
        QVERIFY(!in<QPushButton>(&m, "openButton")->isEnabled());

        // Selecting shows whether start.tvr names the user, without writing it.
        select(list, QStringLiteral("Piet Jansen"));
        QVERIFY(in<QCheckBox>(&m, "startUserBox")->isChecked());
        select(list, QStringLiteral("Anna"));
        QCOMPARE(in<QLabel>(&m, "openLabel")->text(), QStringLiteral("Selected user: Anna"));
        QVERIFY(!in<QCheckBox>(&m, "startUserBox")->isChecked());
        QVERIFY(m_messages.isEmpty());
        click(&m, "openButton");
        QCOMPARE(m_app->state().activeUser(), QStringLiteral("Anna"));
        QCOMPARE(userLabel(), QStringLiteral("Anna"));
        QCOMPARE(m_app->state().activeTheme(), QStringLiteral("Playtime"));
        QCOMPARE(themeLabel(), QStringLiteral("Playtime"));
        QVERIFY(m_app->profile().Hidenavigatieknoppen); // the toddler's settings are in force
        QVERIFY(m.isVisible());

        // The settings pages show Anna's profile.
        click(&m, "navSecurity");
        QCOMPARE(in<QLabel>(&m, "securityUserLabel")->text(), QStringLiteral("Active user: Anna"));
        QVERIFY(in<QCheckBox>(&m, "CBKVU")->isChecked());
        // Her template reads whitelist entries as sites.
        QVERIFY(in<QCheckBox>(&m, "CBWitSites")->isChecked() && m_app->profile().WitSites);
        click(&m, "navThemes");
        QCOMPARE(in<QListWidget>(&m, "allowedThemes")->count(), 2);
        QCOMPARE(in<QListWidget>(&m, "allowedThemes")->item(0)->text(), QStringLiteral("Playtime"));

        // Delete Piet Jansen.
        click(&m, "navDelete");
        auto *del = in<QListWidget>(&m, "deleteList");
        QVERIFY(!in<QPushButton>(&m, "deleteButton")->isEnabled());
        select(del, QStringLiteral("Piet Jansen"));
        click(&m, "deleteButton");
        QCOMPARE(m_questions, QStringList{QStringLiteral("Do you want to remove user Piet Jansen?")});
        m_questions.clear();
        QVERIFY(!QFile::exists(usersFile("Piet Jansen")));
        QCOMPARE(del->count(), 1);
        QCOMPARE(in<QLabel>(&m, "deleteLabel")->text(), QStringLiteral("No user selected"));
        QCOMPARE(m_app->state().activeUser(), QStringLiteral("Anna"));

        click(&m, "navClose");
        QVERIFY(!m.isVisible());
        QCOMPARE(m.currentPage(), UserManagerDialog::OpenPage);
    }

    void closingKeepsTheClockChecksAndAsksToSave()
    {
        UserManagerDialog &m = manager();
        const QByteArray saved = fileBytes(usersFile("Anna"));
        m.openOn(UserManagerDialog::OpenPage);
        QTRY_VERIFY(m.isVisible());
        click(&m, "navExtra");
        QVERIFY(in<QCheckBox>(&m, "CBTIJD")->isChecked());
        auto *minutes = in<QLineEdit>(&m, "tijdedit");
        QCOMPARE(minutes->text(), QStringLiteral("15"));
        minutes->selectAll();
        QTest::keyClick(minutes, Qt::Key_Delete);
        click(&m, "navSecurity");
        click(&m, "navClose");
        // Told, back on the Extra page with the field focused, nothing saved.
        QCOMPARE(m_messages, QStringList{QStringLiteral("You activated the clock, but did not enter a time span")});
        m_messages.clear();
        QVERIFY(m.isVisible());
        QCOMPARE(m.currentPage(), UserManagerDialog::ExtraPage);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(minutes));
        QVERIFY(m_questions.isEmpty());
        QCOMPARE(fileBytes(usersFile("Anna")), saved);

        // Fix the minutes, turn the hints off, close and answer No: in force, not saved.
        QTest::keyClicks(minutes, QStringLiteral("15"));
        in<QCheckBox>(&m, "CBHINT")->click();
        QVERIFY(!m_app->profile().ToonHint);
        m_answer = false;
        click(&m, "navClose");
        QCOMPARE(m_questions, QStringList{QStringLiteral("Do you want to save the changes?")});
        m_questions.clear();
        m_answer = true;
        QVERIFY(!m.isVisible());
        QVERIFY(!m_app->profile().ToonHint);
        QCOMPARE(fileBytes(usersFile("Anna")), saved);

        // Opening again shows the saved settings.
        m.openOn(UserManagerDialog::ExtraPage);
        QTRY_VERIFY(m.isVisible());
        QVERIFY(in<QCheckBox>(&m, "CBHINT")->isChecked());
        QVERIFY(m_app->profile().ToonHint);

        // A category tick is in force at once; lists never fetched are said so beside the ticks.
        click(&m, "navSecurity");
        const QList<QTreeWidgetItem *> gambling
            = in<QTreeWidget>(&m, "categoryList")->findItems(QStringLiteral("Gambling"), Qt::MatchExactly);
        QCOMPARE(gambling.size(), 1);
        const bool chosen = gambling.constFirst()->checkState(0) == Qt::Checked;
        QCOMPARE(m_app->profile().Categorieen.split(u',').contains(QStringLiteral("gambling")), chosen);
        gambling.constFirst()->setCheckState(0, chosen ? Qt::Unchecked : Qt::Checked);
        QCOMPARE(m_app->profile().Categorieen.split(u',').contains(QStringLiteral("gambling")), !chosen);
        QTRY_VERIFY(in<QLabel>(&m, "categoryState")->text().contains(QStringLiteral("never been fetched")));
        QVERIFY(m_app->categories().forcesWhitelist());
        const QList<QTreeWidgetItem *> again
            = in<QTreeWidget>(&m, "categoryList")->findItems(QStringLiteral("Gambling"), Qt::MatchExactly);
        QCOMPARE(again.size(), 1);
        again.constFirst()->setCheckState(0, chosen ? Qt::Checked : Qt::Unchecked);
        QCOMPARE(m_app->profile().Categorieen.split(u',').contains(QStringLiteral("gambling")), chosen);

        // Deleting the active user, then an unsaved change: Yes leads to the New-user page.
        click(&m, "navDelete");
        select(in<QListWidget>(&m, "deleteList"), QStringLiteral("Anna"));
        click(&m, "deleteButton");
        m_questions.clear();
        QVERIFY(m_app->state().activeUser().isEmpty());
        click(&m, "navSecurity");
        in<QCheckBox>(&m, "CBDIA")->click();
        click(&m, "navClose");
        QCOMPARE(m_questions, QStringList{QStringLiteral("Do you want to save the changes?")});
        m_questions.clear();
        QVERIFY(m.isVisible());
        QCOMPARE(m.currentPage(), UserManagerDialog::NewUserPage);

        // A new user takes the settings shown and becomes the active one; Close saves and shows it.
        QTest::keyClicks(in<QLineEdit>(&m, "newName"), QStringLiteral("Bas"));
        click(&m, "createUser");
        QVERIFY(in<QWidget>(&m, "newResult")->isVisible());
        QCOMPARE(in<QListWidget>(&m, "newList")->item(0)->text(), QStringLiteral("Bas"));
        QVERIFY(QFile::exists(usersFile("Bas")));
        QCOMPARE(m_app->state().activeUser(), QStringLiteral("Bas"));
        click(&m, "navClose");
        QVERIFY(!m.isVisible());
        QCOMPARE(userLabel(), QStringLiteral("Bas"));
        QVERIFY(m_messages.isEmpty());
    }

    void theWizardFromTheManagerAndItsCloseLink()
    {
        m_questions.clear();
        UserManagerDialog &m = manager();
        m.openOn(UserManagerDialog::OpenPage);
        QTRY_VERIFY(m.isVisible());
        click(&m, "navWizard");
        NewUserWizard &w = wizard();
        QTRY_VERIFY(w.isVisible());
        QCOMPARE(w.windowTitle(), QStringLiteral("Wizard add user"));
        QCOMPARE(w.currentPage(), NewUserWizard::NamePage);
        QVERIFY(!w.isModal());
        QTest::keyClicks(in<QLineEdit>(&w, "Edit1"), QStringLiteral("Opa"));
        click(&w, "nameNext");
        in<QSpinBox>(&w, "SpinEdit1")->setValue(99);
        click(&w, "ageNext");
        click(&w, "shortcutNext");
        QCOMPARE(fileBytes(usersFile("Opa")), fileBytes(programFolder() + "resources/templates/15.usr"));

        // "Close": the user stays, nobody is activated, no password is asked for; the manager lists Opa.
        click(&w, "closeLabel");
        QVERIFY(!w.isVisible());
        QCOMPARE(m_app->state().activeUser(), QStringLiteral("Bas"));
        QVERIFY(!m_app->parents().parentsMenu().createDialog()->isVisible());
        QVERIFY(m_questions.isEmpty());
        QVERIFY(!in<QListWidget>(&m, "openList")->findItems(QStringLiteral("Opa"), Qt::MatchExactly).isEmpty());
        QCOMPARE(in<QLabel>(&m, "openLabel")->text(), QStringLiteral("No user selected"));
        click(&m, "navClose");
        QVERIFY(!m.isVisible());
    }
};

QTEST_MAIN(TestUsersWindows)
#include "test_users_windows.moc"
