// The program in Dutch: every text the windows look up has its Dutch translation
// (under its real context, which is what the catalogue is keyed by), the named
// windows read Dutch, and no Dutch text is clipped by a layout sized for English.

#include "activity/ui/activity_window.h"
#include "activity/ui/request_window.h"
#include "app/ui/activity_side.h"
#include "app/ui/application.h"
#include "app/ui/main_window.h"
#include "app/ui/parents_side.h"
#include "app/ui/theme_manager_windows.h"
#include "app/ui/theme_windows.h"
#include "themes/ui/active_theme_editor.h"
#include "themes/ui/theme_manager_dialog.h"
#include "app/ui/users_side.h"
#include "clocks/ui/clocks_dialog.h"
#include "parents/ui/quick_menu_window.h"
#include "platform/head_probe.h"
#include "state/language.h"
#include "support_app.h"
#include "themes/ui/hint_window.h"
#include "users/ui/new_user_wizard.h"
#include "users/ui/user_manager_dialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>
#include <QTranslator>
#include <QtTest>

using namespace tovalin;
using tovalin::test::RecordingSound;

namespace {

/// Installed below the Dutch catalogues, so it is asked only for what they do not hold:
/// it remembers every text of the program's own contexts that went untranslated.
class MissedTexts final : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        const QString ctx = QString::fromLatin1(context);
        // Qt's own classes (QFileDialog, QPlatformTheme...) are Qt's catalogues' business.
        const bool qtOwn = ctx.size() > 1 && ctx.at(0) == u'Q' && ctx.at(1).isUpper() && ctx != u"QObject";
        if (!qtOwn && source && *source)
            missed.insert(ctx + QStringLiteral(": \"") + QString::fromUtf8(source) + u'"');
        return {};
    }
    mutable QSet<QString> missed;
};

QString describe(const QWidget *w, const QString &text)
{
    QString path = w->objectName();
    for (const QWidget *p = w->parentWidget(); p; p = p->parentWidget())
        if (!p->objectName().isEmpty()) {
            path = p->objectName() + u'/' + path;
            if (p->isWindow())
                break;
        }
    return path + QStringLiteral(" \"") + text + u'"';
}

/// Visible texts of `top` that do not fit their widget: a label narrower or lower than
/// its text, a button or check box narrower than its caption, a group box narrower than its title.
QStringList clippedTexts(QWidget *top)
{
    QStringList out;
    const auto widgets = top->findChildren<QWidget *>();
    for (QWidget *w : widgets) {
        if (!w->isVisibleTo(top) || w->width() <= 0)
            continue;
        if (auto *label = qobject_cast<QLabel *>(w)) {
            const QString text = label->text();
            if (text.isEmpty() || label->wordWrap() || Qt::mightBeRichText(text))
                continue;
            const QRect room = label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(),
                                                               -label->margin());
            const QSize need = label->fontMetrics().size(Qt::TextShowMnemonic, text);
            if (need.width() > room.width() || need.height() > room.height() + 2)
                out << describe(w, text) + QStringLiteral(" needs %1x%2, has %3x%4")
                                               .arg(need.width()).arg(need.height()).arg(room.width()).arg(room.height());
        } else if (auto *button = qobject_cast<QPushButton *>(w)) {
            if (button->text().isEmpty())
                continue;
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = button->text();
            option.icon = button->icon();
            option.iconSize = button->iconSize();
            const QRect room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
            int need = button->fontMetrics().horizontalAdvance(button->text());
            if (!button->icon().isNull())
                need += button->iconSize().width() + 4;
            if (need > room.width())
                out << describe(w, button->text()) + QStringLiteral(" needs %1, has %2").arg(need).arg(room.width());
        } else if (qobject_cast<QCheckBox *>(w) || qobject_cast<QRadioButton *>(w)) {
            auto *box = static_cast<QAbstractButton *>(w);
            if (!box->text().isEmpty() && box->sizeHint().width() > box->width())
                out << describe(w, box->text()) + QStringLiteral(" needs %1, has %2").arg(box->sizeHint().width()).arg(box->width());
        } else if (auto *tool = qobject_cast<QToolButton *>(w)) {
            if (!tool->text().isEmpty() && tool->toolButtonStyle() != Qt::ToolButtonIconOnly
                && tool->sizeHint().width() > tool->width())
                out << describe(w, tool->text()) + QStringLiteral(" needs %1, has %2").arg(tool->sizeHint().width()).arg(tool->width());
        } else if (auto *group = qobject_cast<QGroupBox *>(w)) {
            const int need = group->fontMetrics().horizontalAdvance(group->title()) + 16;
            if (!group->title().isEmpty() && need > group->width())
                out << describe(w, group->title()) + QStringLiteral(" needs %1, has %2").arg(need).arg(group->width());
        }
    }
    return out;
}

/// Every page of every page stack in `top`, each shown in turn, checked for clipped texts.
QStringList clippedOnEveryPage(QWidget *top)
{
    QStringList out = clippedTexts(top);
    const auto stacks = top->findChildren<QStackedWidget *>();
    for (QStackedWidget *stack : stacks) {
        if (!stack->isVisibleTo(top))
            continue;
        const int was = stack->currentIndex();
        for (int i = 0; i < stack->count(); ++i) {
            stack->setCurrentIndex(i);
            QCoreApplication::processEvents();
            out << clippedTexts(top);
        }
        stack->setCurrentIndex(was);
    }
    out.removeDuplicates();
    return out;
}

} // namespace

class TestDutchTexts : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    RecordingSound m_sound;
    NoNetworkHeadProbe m_head;
    MissedTexts *m_missed = nullptr;
    std::unique_ptr<Application> m_app;

    MainWindow &window() { return m_app->mainWindow(); }

    /// Shows a window of the program as a user would see it and checks it.
    void checkWindow(QWidget *top)
    {
        QVERIFY(top);
        if (top->isWindow())
            top->show();
        QVERIFY(QTest::qWaitForWindowExposed(top->window()));
        QCoreApplication::processEvents();
        const QStringList clipped = clippedOnEveryPage(top);
        if (top->isWindow() && top != &window())
            top->hide();
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(u'\n')));
    }

private slots:
    void initTestCase()
    {
        // Lowest first: the spy answers only what the Dutch catalogues leave open.
        m_missed = new MissedTexts;
        QCoreApplication::installTranslator(m_missed);
        const TranslationReport report =
            installTranslations(*qApp, QStringLiteral(TOVALIN_BIN_DIR "/"), QStringLiteral("nl"));
        QVERIFY2(report.missing.isEmpty(), qPrintable(report.missing.join(u' ')));
        QCOMPARE(activeLanguage(), QStringLiteral("nl"));

        const QString data = m_dir.path();
        QVERIFY(tovalin::test::prepareDataFolder(
            data, QStringLiteral("Kim"),
            {QStringLiteral("[Beveiliging]"), QStringLiteral("Kindvriendelijk=1"), QStringLiteral("Nieteruit=0"),
             QStringLiteral("[Extra]"), QStringLiteral("ToonHint=1"), QStringLiteral("[Favorieten]"),
             QStringLiteral("StartURL=about:blank"), QStringLiteral("gebruikfav=Dieren*")}));
        QVERIFY(tovalin::test::writeThemeLists(data, QStringLiteral("Dieren"), {}, {QStringLiteral("127.0.0.1")}));

        Application::Options options;
        options.arguments = QStringList{QStringLiteral("tovalin")};
        options.sound = &m_sound;
        options.headProbe = &m_head;
        m_app = std::make_unique<Application>(options);
        m_app->start();
        QVERIFY(QTest::qWaitForWindowExposed(&window()));
    }

    void cleanupTestCase() { m_app.reset(); }

    void windowsSpeakDutch()
    {
        window().setParentsMenuOpen(true);
        window().showParentsPage(true);
        auto *menuUsers = window().findChild<QLabel *>(QStringLiteral("Label46"));
        QVERIFY(menuUsers);
        QCOMPARE(menuUsers->text(), QStringLiteral("Gebruikers"));
        auto *levelUp = window().findChild<QWidget *>(QStringLiteral("XiButton1"));
        QVERIFY(levelUp);
        QCOMPARE(levelUp->toolTip(), QStringLiteral("Eén nivo hoger"));
        auto *home2 = window().findChild<QWidget *>(QStringLiteral("home2"));
        QVERIFY(home2);
        QCOMPARE(home2->toolTip(), QStringLiteral("Startpagina"));

        QuickMenuWindow &quick = m_app->parents().quickMenu();
        auto *userManagerEntry = quick.findChild<QWidget *>(QStringLiteral("Label14"));
        QVERIFY(userManagerEntry);
        QVERIFY(!userManagerEntry->findChildren<QLabel *>().isEmpty());
        bool named = false;
        for (QLabel *l : userManagerEntry->findChildren<QLabel *>())
            named = named || l->text() == u"Gebruiker beheer";
        QVERIFY2(named, "the quick menu's user manager entry reads \"Gebruiker beheer\"");

        // Qt's own texts follow: the standard buttons of a message box.
        QMessageBox box(QMessageBox::Question, QStringLiteral("Tovalin"), QStringLiteral("?"),
                        QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(box.button(QMessageBox::Yes)->text().remove(u'&'), QStringLiteral("Ja"));
        QCOMPARE(box.button(QMessageBox::No)->text().remove(u'&'), QStringLiteral("Nee"));
    }

    void pictureLinkHintFits()
    {
        auto *hint = qobject_cast<HintWindow *>([] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (w->objectName() == u"hintform")
                    return w;
            return static_cast<QWidget *>(nullptr);
        }());
        QVERIFY(hint);
        // Long words, accents that reach above the capitals, descenders below the line.
        hint->showHint(QStringLiteral("Spelletjes met geëxporteerde ÉÉN-twee-drie-figuurtjes"), QPoint(40, 40));
        QVERIFY(QTest::qWaitForWindowExposed(hint));
        const QStringList clipped = clippedTexts(hint);
        hint->hide();
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(u'\n')));
    }

    void quickMenuFits()
    {
        QuickMenuWindow &quick = m_app->parents().quickMenu();
        quick.showMenu();
        QVERIFY(QTest::qWaitForWindowExposed(&quick));
        auto *site = quick.findChild<QLabel *>(QStringLiteral("Label19"));
        QVERIFY(site);
        QCOMPARE(site->width(), QuickMenuWindow::kActiveSiteWidth);
        QCOMPARE(site->text(), QStringLiteral("Geen site geladen"));
        // The menu takes the size its polished captions ask for once its layout has run.
        QTRY_COMPARE(quick.size(), quick.sizeHint());
        const QStringList clipped = clippedTexts(&quick);
        quick.hide();
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(u'\n')));
    }

    void clocksDialogFits() { checkWindow(&m_app->parents().clocksDialog()); }

    void mainWindowFits()
    {
        window().setParentsMenuOpen(true);
        window().showParentsPage(true);
        QCoreApplication::processEvents();
        // The parents' page with each of its own pages: the add-link wizard, the link editor...
        const QStringList clipped = clippedOnEveryPage(&window());
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(u'\n')));
    }

    void usersWindowsFit()
    {
        checkWindow(&m_app->usersSide().managerDialog());
        checkWindow(&m_app->usersSide().wizard());
    }

    void theWizardGivesADutchChildDutchThemes()
    {
        // This data folder holds only a theme of the parent's: the template's themes come with the user.
        NewUserWizard &w = m_app->usersSide().wizard();
        w.showFromManager(nullptr);
        QTest::keyClicks(w.findChild<QLineEdit *>(QStringLiteral("Edit1")), QStringLiteral("Sanne"));
        w.findChild<QPushButton *>(QStringLiteral("nameNext"))->click();
        w.findChild<QSpinBox *>(QStringLiteral("SpinEdit1"))->setValue(7);
        w.findChild<QPushButton *>(QStringLiteral("ageNext"))->click();
        w.findChild<QPushButton *>(QStringLiteral("shortcutNext"))->click();
        w.hide();
        const QString program = m_app->state().ProgramFolder;
        QFile made(m_dir.filePath(QStringLiteral("gebruikers/Sanne.usr")));
        QFile dutch(program + QStringLiteral("resources/templates/nl/7.usr"));
        QVERIFY(made.open(QIODevice::ReadOnly) && dutch.open(QIODevice::ReadOnly));
        QCOMPARE(made.readAll(), dutch.readAll());
        QVERIFY(QFile::exists(m_dir.filePath(QStringLiteral("themas/Leren en spelen.llt"))));
        QVERIFY(QFile::exists(m_dir.filePath(QStringLiteral("themas/Kijken en ontdekken.llt"))));
        QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("themas/Learn and play.llt"))));
    }

    void themeWindowsFit()
    {
        checkWindow(&m_app->themeWindows().editor());
        checkWindow(m_app->themeManagerWindows().manager());
    }

    void requestAndReportWindowsFit()
    {
        m_app->activity().activityWindow().showReport();
        checkWindow(&m_app->activity().activityWindow());
        checkWindow(&m_app->activity().requestWindow());
    }

    void everyTextLookedUpWasTranslated()
    {
        QStringList missed(m_missed->missed.cbegin(), m_missed->missed.cend());
        missed.sort();
        QVERIFY2(missed.isEmpty(), qPrintable(QStringLiteral("untranslated: ") + missed.join(u'\n')));
    }
};

QTEST_MAIN(TestDutchTexts)
#include "test_dutch_texts.moc"
