// The picture-link column, the theme chooser and the sizeable browser panel as
// widgets over the real theme model and a fake browser: geometry, scrolling,
// hover and hint, selection, the chooser's arrows and pick, and the panel's
// resize rule.

#include "support_app.h"
#include "state/program_state.h"
#include "app/ui/sizeable_panel.h"
#include "core/text_file.h"
#include "platform/fake_browser.h"
#include "platform/sound.h"
#include "themes/bmp_codec.h"
#include "themes/theme_model.h"
#include "themes/ui/hint_window.h"
#include "themes/ui/link_panel.h"
#include "themes/ui/theme_chooser.h"
#include "users/user_profile.h"

#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using namespace tovalin;
using tovalin::test::RecordingSound;

namespace {

/// A themes folder with themes of n links each and a column of the given height.
struct Rig {
    QTemporaryDir dir;
    ProgramState state;
    UserProfile profile;
    RecordingSound sound;
    FakeBrowser browser;
    ThemeModel model{state};
    QWidget window;
    QWidget *panel6 = nullptr;
    std::unique_ptr<LinkPanel> links;

    explicit Rig(int panelHeight = 390)
    {
        state.DataFolder = dir.path();
        QDir().mkpath(state.themesFolder());
        window.resize(800, 600);
        panel6 = new QWidget(&window);
        panel6->setGeometry(0, 58, 81, panelHeight);
        links = std::make_unique<LinkPanel>(model, state, profile, sound, browser, panel6);
    }

    void makeTheme(const QString &name, int count, const QString &hint = QStringLiteral("A hint"))
    {
        QStringList ids;
        for (int i = 1; i <= count; ++i) {
            const QString id = name + QString::number(i);
            ids << id;
            QVERIFY(writeLines(state.themesFolder() + u'/' + id + QStringLiteral(".kld"),
                               {QStringLiteral("[LinkProp]"), QStringLiteral("URL=http://kids.example/") + id,
                                QStringLiteral("Hint=") + hint})
                        .ok);
            QVERIFY(writeBmpFile(state.themesFolder() + u'/' + id + QStringLiteral(".bmp"),
                                 Bitmap::filled(70, 70, 0xFF336699u)));
        }
        QVERIFY(writeLines(state.themesFolder() + u'/' + name + QStringLiteral(".llt"), ids).ok);
    }
};

void enter(QWidget *w)
{
    QEnterEvent event(QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), w->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(w, &event);
}

void leave(QWidget *w)
{
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(w, &event);
}

} // namespace

class TestLinkPanel : public QObject {
    Q_OBJECT
private slots:
    void slotsSitInTheirFramesAndScrollByPages()
    {
        Rig rig;
        rig.makeTheme(QStringLiteral("Six"), 6);
        rig.makeTheme(QStringLiteral("Five"), 5);
        rig.model.activateTheme(QStringLiteral("Five"));
        QCOMPARE(rig.links->frame(1)->geometry(), QRect(2, 0, 80, 80));
        QCOMPARE(rig.links->picture(1)->geometry(), QRect(7, 5, 70, 70));
        QCOMPARE(rig.links->frame(5)->geometry().top(), 320);
        QVERIFY(rig.links->frame(5)->isVisibleTo(rig.panel6));
        QVERIFY(!rig.links->frame(6)->isVisibleTo(rig.panel6));
        // The picture lies above its frame.
        QVERIFY(rig.panel6->children().indexOf(rig.links->picture(1)) > rig.panel6->children().indexOf(rig.links->frame(200)));

        // Five links: the last one shows, nothing to scroll.
        rig.links->scrollDown();
        QCOMPARE(rig.links->frame(1)->y(), 0);
        QVERIFY(rig.sound.played.contains(QStringLiteral("klik.wav")));

        // Six links: one press moves everything up a page of 320 pixels; up returns exactly.
        rig.model.activateTheme(QStringLiteral("Six"));
        rig.links->scrollDown();
        QCOMPARE(rig.links->frame(1)->y(), -320);
        QCOMPARE(rig.links->picture(6)->y(), 6 * 80 - 75 - 320);
        rig.links->scrollUp();
        QCOMPARE(rig.links->frame(1)->y(), 0);
        QCOMPARE(rig.links->picture(1)->y(), 5);

        // Mouse-down on the buttons scrolls.
        QToolButton up(&rig.window), down(&rig.window);
        rig.links->setScrollButtons(&up, &down);
        QTest::mousePress(&down, Qt::LeftButton);
        QCOMPARE(rig.links->frame(1)->y(), -320);
        QTest::mouseRelease(&down, Qt::LeftButton);
        QTest::mousePress(&up, Qt::LeftButton);
        QCOMPARE(rig.links->frame(1)->y(), 0);

        // On a screen scaled twice a picture is drawn smoothly, not in blocks: where its two
        // halves meet, blended colours show.
        Bitmap halves = Bitmap::filled(70, 70, 0xFFCC0000u);
        for (int y = 0; y < 70; ++y)
            for (int x = 35; x < 70; ++x)
                halves.setPixel(x, y, 0xFF0000CCu);
        QVERIFY(writeBmpFile(rig.state.themesFolder() + QStringLiteral("/Six1.bmp"), halves));
        rig.model.activateTheme(QStringLiteral("Six"));
        QImage shown(140, 140, QImage::Format_ARGB32);
        shown.setDevicePixelRatio(2);
        rig.links->picture(1)->render(&shown);
        QSet<QRgb> colours;
        for (int x = 0; x < 140; ++x)
            colours.insert(shown.pixel(x, 70));
        QVERIFY2(colours.size() > 2, qPrintable(QString::number(colours.size())));
    }

    void hoverAndHintFollowToonHintAndTheHint()
    {
        Rig rig;
        rig.window.show();
        rig.makeTheme(QStringLiteral("Blank"), 2, QStringLiteral("   "));
        rig.makeTheme(QStringLiteral("Hints"), 2, QStringLiteral("Zoo animals"));
        rig.model.activateTheme(QStringLiteral("Hints"));
        LinkPicture *picture = rig.links->picture(2);

        enter(picture); // ToonHint off: the frame lights up, no hint
        QCOMPARE(rig.links->frame(2)->fill(), linkpanel::kFrameMouseOver);
        QVERIFY(!rig.links->hintWindow()->isVisible());
        leave(picture);
        QCOMPARE(rig.links->frame(2)->fill(), linkpanel::kFrameNormal);

        rig.profile.ToonHint = true;
        enter(picture);
        HintWindow *hint = rig.links->hintWindow();
        QVERIFY(hint->isVisible());
        QCOMPARE(hint->text(), QStringLiteral("Zoo animals"));
        QCOMPARE(hint->width(), QFontMetrics(HintWindow::hintFont()).horizontalAdvance(QStringLiteral("Zoo animals")) + 20);
        const QPoint panelOnScreen = rig.panel6->mapToGlobal(QPoint(0, 0));
        QCOMPARE(hint->pos(), QPoint(2 + panelOnScreen.x() + 80, 40 + 80 + panelOnScreen.y() - 12));
        leave(picture);
        QVERIFY(!hint->isVisible());

        rig.model.activateTheme(QStringLiteral("Blank"));
        enter(rig.links->picture(1));
        QVERIFY(!hint->isVisible());
    }

    void clickAndSelectLinkMarkTheLinkYellow()
    {
        Rig rig;
        rig.makeTheme(QStringLiteral("Three"), 3);
        rig.model.activateTheme(QStringLiteral("Three"));
        QSignalSpy sizes(rig.links.get(), &LinkPanel::browserPanelSizeRequested);

        QTest::mouseClick(rig.links->picture(3), Qt::LeftButton);
        QCOMPARE(rig.browser.navigated, QStringList{QStringLiteral("http://kids.example/Three3")});
        QCOMPARE(rig.links->frame(3)->fill(), linkpanel::kFrameSelected);
        QVERIFY(rig.state.ClickPending);
        QCOMPARE(sizes.count(), 1);
        QCOMPARE(sizes.at(0).at(0).toInt(), -1);

        // SelectLink: no sound and no click window, the previous frame turns normal.
        rig.state.closeClickWindow();
        rig.sound.played.clear();
        QVERIFY(rig.links->SelectLink(1));
        QCOMPARE(rig.browser.navigated.last(), QStringLiteral("http://kids.example/Three1"));
        QCOMPARE(rig.links->frame(3)->fill(), linkpanel::kFrameNormal);
        QCOMPARE(rig.links->frame(1)->fill(), linkpanel::kFrameSelected);
        QVERIFY(!rig.state.ClickPending);
        QVERIFY(rig.sound.played.isEmpty());
        // An empty slot cannot be selected; the selection goes.
        QVERIFY(!rig.links->SelectLink(4));
        QCOMPARE(rig.model.SelectedLink(), -1);
        QCOMPARE(rig.links->frame(1)->fill(), linkpanel::kFrameNormal);
    }

    void chooserArrowsDropDownAndPick()
    {
        Rig rig;
        rig.makeTheme(QStringLiteral("Animals"), 2);
        rig.makeTheme(QStringLiteral("Games"), 3);
        QStringList allowed{QStringLiteral("Animals")};
        auto *label3 = new QLabel(&rig.window);
        ThemeChooser chooser(rig.model, rig.state, rig.sound, label3, &rig.window, [&] { return allowed; });
        chooser.titleArea()->setParent(&rig.window);
        chooser.titleArea()->setGeometry(500, 40, 180, 29);
        rig.window.show();

        // One allowed theme that is active: no arrow.
        rig.model.activateTheme(QStringLiteral("Animals"));
        chooser.FillThemeChooser();
        QCOMPARE(label3->text(), QStringLiteral("Animals"));
        QVERIFY(chooser.openArrow()->isHidden());
        QVERIFY(chooser.closeArrow()->isHidden());
        chooser.titleClicked();
        QVERIFY(!chooser.isOpen());

        // One allowed theme that is not active: the open arrow opens a one-line list.
        allowed = QStringList{QStringLiteral("Games")};
        chooser.FillThemeChooser();
        QVERIFY(!chooser.openArrow()->isHidden());
        rig.sound.played.clear();
        chooser.openArrowClicked();
        QVERIFY(rig.sound.played.isEmpty()); // the open arrow is silent
        QVERIFY(chooser.isOpen());
        QVERIFY(chooser.dropDown()->isVisible());
        QVERIFY(chooser.openArrow()->isHidden());
        QVERIFY(!chooser.closeArrow()->isHidden());
        QCOMPARE(chooser.dropDown()->geometry().topLeft(), QPoint(500 - 70, 40 + 29));
        QCOMPARE(chooser.list()->count(), 1);

        // The pick makes it active: links and title follow, the list closes.
        rig.sound.played.clear();
        chooser.pick(QStringLiteral("Games"));
        QCOMPARE(rig.state.activeTheme(), QStringLiteral("Games"));
        QCOMPARE(rig.model.LinkCount(), 3);
        QCOMPARE(label3->text(), QStringLiteral("Games"));
        QVERIFY(!chooser.isOpen());
        QVERIFY(!chooser.dropDown()->isVisible());
        QVERIFY(chooser.openArrow()->isHidden());
        QCOMPARE(rig.sound.played, QStringList{QStringLiteral("klik.wav")});

        // Two themes: the title toggles the list.
        allowed = QStringList{QStringLiteral("Animals"), QStringLiteral("Games")};
        chooser.FillThemeChooser();
        QVERIFY(!chooser.openArrow()->isHidden());
        rig.sound.played.clear();
        chooser.titleClicked();
        QVERIFY(chooser.isOpen());
        QCOMPARE(chooser.dropDown()->height(), 2 * 13 + 12 + 8);
        chooser.titleClicked();
        QVERIFY(!chooser.isOpen());
        QCOMPARE(rig.sound.played.size(), 2); // the name clicks both ways
        chooser.openArrowClicked();
        rig.sound.played.clear();
        chooser.closeArrowClicked();
        QVERIFY(!chooser.isOpen());
        QVERIFY(!chooser.openArrow()->isHidden());
        QVERIFY(chooser.closeArrow()->isHidden());
        QCOMPARE(rig.sound.played, QStringList{QStringLiteral("klik.wav")});
    }

    void browserPanelResizeRule()
    {
        QWidget page;
        page.resize(700, 500);
        SizeablePanel panel(&page);
        page.show();
        QCOMPARE(panel.geometry(), QRect(0, 0, 700, 500));
        QVERIFY(panel.fillsPage());

        panel.requestSize(QSize(400, 300)); // a link of 400 × 300, centred
        QCOMPARE(panel.geometry(), QRect(150, 100, 400, 300));
        QVERIFY(!panel.fillsPage());
        panel.requestSize(QSize(400, 10)); // 10 high: at least 60
        QCOMPARE(panel.size(), QSize(400, 60));
        panel.requestSize(QSize(10, 3000)); // at least 80 wide, at most the page high
        QCOMPARE(panel.geometry(), QRect(310, 0, 80, 500));
        panel.requestSize(QSize(401, 301)); // odd leftovers round half to even: 149.5 → 150, 99.5 → 100
        QCOMPARE(panel.geometry().topLeft(), QPoint(150, 100));
        panel.requestSize(QSize(403, 303)); // 148.5 → 148, 98.5 → 98
        QCOMPARE(panel.geometry().topLeft(), QPoint(148, 98));

        // A lower page shrinks a panel with room below it to one pixel less than the page.
        panel.requestSize(QSize(400, 300));
        QVERIFY(panel.PanelGap() != 0);
        page.resize(700, 250);
        panel.pageResized();
        QCOMPARE(panel.size(), QSize(400, 249));

        // Dragging the grip: smaller than 80 × 60 stops there; a double click restores the page.
        QWidget *grip = panel.findChild<QWidget *>(QStringLiteral("panelgrip"));
        QVERIFY(grip);
        QTest::mousePress(grip, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseMove(grip, QPoint(-600, -600));
        QTest::mouseRelease(grip, Qt::LeftButton, {}, QPoint(-600, -600));
        QCOMPARE(panel.size(), QSize(80, 60));
        QTest::mouseDClick(grip, Qt::LeftButton);
        QCOMPARE(panel.geometry(), QRect(0, 0, 700, 250));
        QVERIFY(panel.fillsPage());
        // A filling panel follows the page.
        page.resize(640, 480);
        panel.pageResized();
        QCOMPARE(panel.geometry(), QRect(0, 0, 640, 480));
    }
};

QTEST_MAIN(TestLinkPanel)
#include "test_link_panel.moc"
