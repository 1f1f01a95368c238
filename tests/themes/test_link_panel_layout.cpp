#include "themes/link_panel_layout.h"

#include <QtTest>

using namespace tovalin::linkpanel;

class TestLinkPanelLayout : public QObject {
    Q_OBJECT
private slots:
    void slotsStackEightyPixelsApartWithThePictureInside()
    {
        QCOMPARE(frameRect(1), QRect(2, 0, 80, 80));
        QCOMPARE(pictureRect(1), QRect(7, 5, 70, 70));
        QCOMPARE(frameRect(2), QRect(2, 80, 80, 80));
        QCOMPARE(pictureRect(200), QRect(7, 15925, 70, 70));
        for (int i : {1, 7, 200}) {
            const QRect f = frameRect(i, 320);
            const QRect p = pictureRect(i, 320);
            QCOMPARE(p.topLeft() - f.topLeft(), QPoint(5, 5));
            QCOMPARE(f.bottomRight() - p.bottomRight(), QPoint(5, 5));
        }
        // Trunc, not floor, for a column narrower than a frame.
        QCOMPARE(frameLeft(79), 2);
        QCOMPARE(pictureLeft(100), 17);
    }

    void scrollingAtA390PixelPanel()
    {
        QCOMPARE(pageHeight(390), 320);
        QCOMPARE(scrollDown(0, 390, 5), 0);   // frame 5 starts at 320: the last link shows
        QCOMPARE(scrollDown(0, 390, 6), 320); // frame 6 at 400: one page
        QCOMPARE(frameRect(6, 320).top(), 80);
        QCOMPARE(scrollDown(320, 390, 6), 320);
        QCOMPARE(scrollUp(320, 390), 0);

        int offset = 0;
        QList<int> downs;
        for (int i = 0; i < 6; ++i)
            downs << (offset = scrollDown(offset, 390, 20));
        QCOMPARE(downs, (QList<int>{320, 640, 960, 1280, 1280, 1280}));
        QList<int> ups;
        for (int i = 0; i < 5; ++i)
            ups << (offset = scrollUp(offset, 390));
        QCOMPARE(ups, (QList<int>{960, 640, 320, 0, 0}));

        QCOMPARE(scrollUp(100, 390), 0); // less than a page: exactly the first position
        QCOMPARE(scrollDown(0, 390, 0), 0);
        QCOMPARE(scrollDown(0, 60, 3), 0); // a panel lower than a slot has no page
        QCOMPARE(scrollUp(0, 390), 0);
    }

    void browserPanelForALink_data()
    {
        QTest::addColumn<int>("hoogte");
        QTest::addColumn<int>("breedte");
        QTest::addColumn<QSize>("page");
        QTest::addColumn<QSize>("panel");
        QTest::addColumn<QRect>("expected");
        QTest::addColumn<bool>("fillsPage");
        const QSize page(800, 600);
        QTest::newRow("400x300IsCentred") << 300 << 400 << page << page << QRect(200, 150, 400, 300) << false;
        QTest::newRow("tenHighBecomesSixty") << 10 << -1 << page << page << QRect(0, 270, 800, 60) << false;
        QTest::newRow("minusOneFillsThePage") << -1 << -1 << page << page << QRect(0, 0, 800, 600) << true;
        QTest::newRow("largerThanThePageIsBounded") << 900 << 1000 << page << page << QRect(0, 0, 800, 600) << true;
        QTest::newRow("tinyWidthBecomesEighty") << -1 << 5 << page << page << QRect(360, 0, 80, 600) << false;
        QTest::newRow("pageLowerThanPanelTakesThePage")
            << 300 << 400 << QSize(500, 400) << page << QRect(0, 0, 500, 400) << true;
        QTest::newRow("halvesRoundToEvenDown") << 300 << 400 << QSize(801, 601) << QSize(801, 601)
                                               << QRect(200, 150, 400, 300) << false;
        QTest::newRow("halvesRoundToEvenUp") << 300 << 400 << QSize(803, 603) << QSize(803, 603)
                                             << QRect(202, 152, 400, 300) << false;
    }

    void browserPanelForALink()
    {
        QFETCH(int, hoogte);
        QFETCH(int, breedte);
        QFETCH(QSize, page);
        QFETCH(QSize, panel);
        QFETCH(QRect, expected);
        QFETCH(bool, fillsPage);
        const PanelGeometry g = panelForLink(hoogte, breedte, page, panel);
        QCOMPARE(g.rect, expected);
        QCOMPARE(g.fillsPage, fillsPage);
    }

    void linkSizesAndRounding()
    {
        QCOMPARE(linkSizeFromPanel(QSize(800, 300), QSize(800, 600)), QSize(-1, 300));
        QCOMPARE(linkSizeFromPanel(QSize(800, 600), QSize(800, 600)), QSize(-1, -1));
        QCOMPARE(roundHalfEven(5, 2), 2);
        QCOMPARE(roundHalfEven(7, 2), 4);
        QCOMPARE(roundHalfEven(-5, 2), -2);
        QCOMPARE(roundHalfEven(-7, 2), -4);
        QCOMPARE(roundHalfEven(8, 3), 3);
        // A page smaller than the smallest panel: centred, sticking out on both sides.
        QCOMPARE(resizeBrowserPanel(QSize(10, 10), QSize(50, 40)).rect, QRect(-15, -10, 80, 60));
    }

    void framesHintsAndColours()
    {
        QCOMPARE(kFrameNormal.colorRef(), 0x0052D347u);
        QCOMPARE(kFrameSelected.colorRef(), 0x0000FFFFu);
        QCOMPARE(kFrameMouseOver.argb(), 0xFFCDF3D0u);
        QCOMPARE(frameFill(3, 3, 3), kFrameMouseOver); // under the mouse, even when selected
        QCOMPARE(frameFill(3, -1, 3), kFrameSelected);  // leaving the selected link keeps it yellow
        QCOMPARE(frameFill(3, 4, 5), kFrameNormal);

        QVERIFY(showsHint(true, QStringLiteral("Zoo")));
        QVERIFY(!showsHint(true, QStringLiteral("   ")));
        QVERIFY(!showsHint(false, QStringLiteral("Zoo")));
        QCOMPARE(hintPosition(frameRect(2, 0), QPoint(0, 169)), QPoint(82, 277));
        QCOMPARE(themeTitle(QStringLiteral("Zoo")), QStringLiteral("Theme: Zoo"));
    }

    void themeChooser()
    {
        const QStringList entries = chooserEntries({"Zoo", "Games", "Secret"}, {"GAMES", "zoo"});
        QCOMPARE(entries, (QStringList{"Zoo", "Games"}));
        QCOMPARE(defaultActiveTheme(QString(), entries), QStringLiteral("Zoo"));
        QCOMPARE(defaultActiveTheme(QStringLiteral("Games"), entries), QStringLiteral("Games"));

        const ChooserView open = chooserOpened(ChooserView{});
        // One allowed theme that is active: no arrow; one that is not: the open arrow.
        QCOMPARE(chooserAfterFill(open, {"Zoo"}, "Zoo"), (ChooserView{false, false, false}));
        QCOMPARE(chooserAfterFill(open, {"Zoo"}, "Games"), (ChooserView{false, true, false}));
        QCOMPARE(chooserAfterFill(open, {"Zoo", "Games"}, "Zoo"), (ChooserView{false, true, false}));
        // No allowed theme: no arrow, so no empty list to open.
        QCOMPARE(chooserAfterFill(open, {}, "Zoo"), (ChooserView{false, false, false}));
        QCOMPARE(chooserAfterFill(ChooserView{}, {}, ""), (ChooserView{false, false, false}));

        QVERIFY(!chooserTitleClicked(ChooserView{}, 1));
        QCOMPARE(*chooserTitleClicked(ChooserView{}, 2), open);
        QCOMPARE(*chooserTitleClicked(open, 2), chooserClosed(open));

        QCOMPARE(chooserAfterPick({"Zoo"}, "Zoo"), (ChooserView{false, false, false}));
        QCOMPARE(chooserAfterPick({"Zoo", "Games"}, "Zoo"), (ChooserView{false, true, false}));
        QVERIFY(pickChangesTheme("zoo", "Zoo"));
        QVERIFY(!pickChangesTheme("Zoo", "Zoo"));

        QCOMPARE(dropDownRect(QPoint(500, 40), 1, 150), QRect(430, 69, 150, 25));
        QCOMPARE(dropDownRect(QPoint(500, 40), 30, 150).height(), 300);
    }
};

QTEST_GUILESS_MAIN(TestLinkPanelLayout)
#include "test_link_panel_layout.moc"
