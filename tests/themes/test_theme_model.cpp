#include "themes/support_theme_fixtures.h"
#include "themes/theme_model.h"

#include "state/program_state.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace tovalin;
using namespace tovalin::testing;

class TestThemeModel : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<ProgramState> m_state;
    std::unique_ptr<ThemeModel> m_model;
    QString m_themes;
    int m_run = 0;

    void verifyEmptyFrom(int first)
    {
        for (int n = first; n <= ThemeModel::kSlotCount; ++n) {
            const LinkSlot &s = m_model->slot(n);
            QVERIFY2(s.isEmpty() && s.link == ThemeLink{} && s.picture.isNull(), qPrintable(QString::number(n)));
        }
    }

private slots:
    void init()
    {
        m_state = std::make_unique<ProgramState>();
        m_state->DataFolder = m_dir.filePath(QStringLiteral("data%1").arg(++m_run));
        m_themes = m_state->themesFolder();
        QVERIFY(QDir().mkpath(m_themes));
        m_model = std::make_unique<ThemeModel>(*m_state);
    }

    void linesWithoutPropertiesOrPictureAreLeftOut()
    {
        writeLink(m_themes, "A", "http://a.example/", true, 0xFF0000AA, 300, 400);
        writeLink(m_themes, "C", "http://c.example/");
        writeLink(m_themes, "D", "http://d.example/", false); // no thumbnail
        writeRaw(m_themes + "/E.kld", "[LinkProp]\r\nURL=http://e.example/\r\n");
        writeRaw(m_themes + "/E.bmp", "BM this is no bitmap");
        writeLink(m_themes, "F", "http://f.example/");
        writeLinkList(m_themes, "Zoo", {"A", "B", "C", "D", "E", "F"});

        QSignalSpy loaded(m_model.get(), &ThemeModel::themeLoaded);
        m_model->LoadTheme("Zoo", Scroll::ToTop);
        QCOMPARE(loaded.count(), 1);
        QCOMPARE(loaded.first().first().toString(), QStringLiteral("Zoo"));
        QCOMPARE(m_model->LinkCount(), 3);

        const LinkSlot &one = m_model->slot(1);
        QVERIFY(one.enabled);
        QCOMPARE(one.link.ID, QStringLiteral("A"));
        QCOMPARE(one.link.URL, QStringLiteral("http://a.example/"));
        QCOMPARE(one.link.Hint, QStringLiteral("hint A"));
        QCOMPARE(one.link.Beschrijving, QStringLiteral("d"));
        QCOMPARE(one.link.hoogte, 300);
        QCOMPARE(one.link.breedte, 400);
        QCOMPARE(one.link.pictureFile, QStringLiteral("A.bmp"));
        QCOMPARE(one.picture.pixel(35, 35), 0xFF0000AAu);
        QCOMPARE(m_model->slot(2).link.ID, QStringLiteral("C"));
        QCOMPARE(m_model->slot(3).link.ID, QStringLiteral("F"));
        verifyEmptyFrom(4);
        QVERIFY(m_model->slot(0).isEmpty());
        QVERIFY(m_model->slot(201).isEmpty());
    }

    void oldFormListLoadsAfterConversion()
    {
        writeBmpFile(m_themes + "/P.bmp", Bitmap::filled(70, 70, 0xFF00FF00));
        writeRaw(m_themes + "/Old.llt", "P.bmp=http://www.zoo.example/\r\n");
        m_model->LoadTheme("Old", Scroll::ToTop);
        QCOMPARE(m_model->LinkCount(), 1);
        QCOMPARE(m_model->slot(1).link.URL, QStringLiteral("http://www.zoo.example/"));
        QCOMPARE(m_model->slot(1).link.ID, QStringLiteral("P"));
        QCOMPARE(m_model->slot(1).link.hoogte, -1);
        QCOMPARE(readRaw(m_themes + "/Old.llt"), QByteArray("P\r\n"));
    }

    void aMissingThemeShowsNoLinks()
    {
        writeLink(m_themes, "A", "http://a.example/");
        writeLinkList(m_themes, "Zoo", {"A"});
        m_model->LoadTheme("Zoo", Scroll::ToTop);
        QVERIFY(m_model->setSelectedLink(1));
        m_model->LoadTheme("Gone", Scroll::ToTop);
        QCOMPARE(m_model->LinkCount(), 0);
        QCOMPARE(m_model->SelectedLink(), -1);
        verifyEmptyFrom(1);
        m_model->LoadTheme("../themas/Zoo", Scroll::ToTop); // never reaches outside the folder by name
        QCOMPARE(m_model->LinkCount(), 0);
    }

    void unsafeLinkIdsAreNeverOpened()
    {
        writeLink(m_dir.path(), "outside", "http://outside.example/");
        writeLink(m_themes, "A", "http://a.example/");
        writeLinkList(m_themes, "Zoo", {"../../outside", "", "A"});
        m_model->LoadTheme("Zoo", Scroll::ToTop);
        QCOMPARE(m_model->LinkCount(), 1);
        QCOMPARE(m_model->slot(1).link.ID, QStringLiteral("A"));
    }

    void noSlotBeyondTheLastIsWritten()
    {
        QStringList ids;
        for (int i = 0; i < 203; ++i) {
            const QString id = QStringLiteral("L%1").arg(i, 3, 10, QLatin1Char('0'));
            writeRaw(m_themes + u'/' + id + ".kld", "[LinkProp]\r\nURL=http://x.example/" + id.toLatin1() + "\r\n");
            writeBmpFile(m_themes + u'/' + id + ".bmp", Bitmap::filled(1, 1, 0xFF000000));
            ids << id;
        }
        writeLinkList(m_themes, "Big", ids);
        m_model->LoadTheme("Big", Scroll::ToTop);
        QCOMPARE(m_model->LinkCount(), 200);
        QCOMPARE(m_model->slot(200).link.ID, QStringLiteral("L199"));
    }

    void largeThumbnailsKeepTheirCentre()
    {
        Bitmap big = Bitmap::filled(100, 90, 0xFFFFFFFF);
        big.setPixel(15, 10, 0xFFFF0000); // the crop's top-left
        writeRaw(m_themes + "/A.kld", "[LinkProp]\r\nURL=http://a.example/\r\n");
        writeBmpFile(m_themes + "/A.bmp", big);
        writeLinkList(m_themes, "Zoo", {"A"});
        m_model->LoadTheme("Zoo", Scroll::ToTop);
        QCOMPARE(m_model->slot(1).picture.width, 70);
        QCOMPARE(m_model->slot(1).picture.height, 70);
        QCOMPARE(m_model->slot(1).picture.pixel(0, 0), 0xFFFF0000u);
    }

    void reloadLinkSlotFollowsSwappedLines()
    {
        writeLink(m_themes, "A", "http://a.example/");
        writeLink(m_themes, "B", "http://b.example/");
        writeLinkList(m_themes, "Zoo", {"A", "B"});
        m_model->LoadTheme("Zoo", Scroll::ToTop);
        writeLinkList(m_themes, "Zoo", {"B", "A"});
        QSignalSpy changed(m_model.get(), &ThemeModel::slotChanged);
        m_model->ReloadLinkSlot("Zoo", 0);
        m_model->ReloadLinkSlot("Zoo", 1);
        m_model->ReloadLinkSlot("Zoo", 2);  // no such line
        m_model->ReloadLinkSlot("Zoo", -1);
        m_model->ReloadLinkSlot("None", 0); // no such theme
        QCOMPARE(changed.count(), 2);
        QCOMPARE(m_model->slot(1).link.ID, QStringLiteral("B"));
        QCOMPARE(m_model->slot(2).link.ID, QStringLiteral("A"));
        QCOMPARE(m_model->slot(2).link.URL, QStringLiteral("http://a.example/"));
    }

    void activatingAThemeLoadsItsLinksThenItsLists()
    {
        writeLink(m_themes, "A", "http://a.example/");
        writeLinkList(m_themes, "Zoo", {"A"});
        QStringList order;
        connect(m_model.get(), &ThemeModel::themeLoaded, this, [&](const QString &n) { order << "loaded " + n; });
        m_model->setSiteListLoader([&] { order << "lists " + m_state->activeTheme(); });
        m_model->activateTheme("Zoo");
        QCOMPARE(m_state->activeTheme(), QStringLiteral("Zoo"));
        QCOMPARE(order, (QStringList{"loaded Zoo", "lists Zoo"}));
    }

    void selectionAndScrolling()
    {
        QStringList ids;
        for (const char *id : {"A", "B", "C", "D", "E", "F"}) {
            writeLink(m_themes, id, "http://x.example/");
            ids << id;
        }
        writeLinkList(m_themes, "Zoo", ids);
        writeLinkList(m_themes, "Small", {"A"});
        m_model->LoadTheme("Zoo", Scroll::ToTop);

        QSignalSpy selection(m_model.get(), &ThemeModel::selectionChanged);
        QVERIFY(m_model->setSelectedLink(6));
        QVERIFY(!m_model->setSelectedLink(7)); // empty slot
        QCOMPARE(m_model->SelectedLink(), -1);
        QVERIFY(m_model->setSelectedLink(6));
        QCOMPARE(selection.count(), 3);
        QCOMPARE(selection.at(1), (QVariantList{6, -1}));

        m_model->scrollDown(390);
        QCOMPARE(m_model->scrollOffset(), 320);
        m_model->LoadTheme("Zoo", Scroll::Keep); // an edited link keeps the strip where it is
        QCOMPARE(m_model->scrollOffset(), 320);
        QCOMPARE(m_model->SelectedLink(), 6);
        m_model->scrollUp(390);
        QCOMPARE(m_model->scrollOffset(), 0);
        m_model->scrollDown(390);
        m_model->LoadTheme("Small", Scroll::ToTop);
        QCOMPARE(m_model->scrollOffset(), 0);
        QCOMPARE(m_model->SelectedLink(), -1); // slot 6 is empty now
    }
};

QTEST_GUILESS_MAIN(TestThemeModel)
#include "test_theme_model.moc"
