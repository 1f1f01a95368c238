// Desktop launchers: the file byte for byte, where it goes, its executable
// bit, and the round trip of the user's name through the Exec line and the
// start-up argument rule, read as the Desktop Entry rules say and started as
// a desktop starts it (gio launch).

#include "core/text_file.h"
#include "users/desktop_launcher.h"
#include "users/start_user.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace tovalin;

namespace {

class FakeDesktop : public DesktopShell {
public:
    QString xdgDir;
    QHash<QString, QString> env;
    QStringList trusted;
    QString xdgUserDesktopDir() override { return xdgDir; }
    QString environment(const char *name) override { return env.value(QLatin1String(name)); }
    void markTrusted(const QString &path) override { trusted << path; }
};

/// The Exec value as a desktop reads it: string escapes first, then the quoting
/// rule splits the arguments, and "%%" is a literal "%".
QStringList desktopArguments(const QString &value)
{
    QString unescaped;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value.at(i) == u'\\' && i + 1 < value.size()) {
            const QChar n = value.at(++i);
            unescaped += n == u's' ? u' ' : n == u'n' ? u'\n' : n == u't' ? u'\t' : n == u'r' ? u'\r' : n;
        } else {
            unescaped += value.at(i);
        }
    }
    QStringList args;
    QString current;
    bool inQuotes = false;
    bool inArg = false;
    for (qsizetype i = 0; i < unescaped.size(); ++i) {
        const QChar c = unescaped.at(i);
        if (inQuotes) {
            if (c == u'\\' && i + 1 < unescaped.size()) {
                current += unescaped.at(++i);
            } else if (c == u'"') {
                inQuotes = false;
            } else {
                current += c;
            }
        } else if (c == u'"') {
            inQuotes = inArg = true;
        } else if (c == u' ') {
            if (inArg)
                args << current;
            current.clear();
            inArg = false;
        } else {
            current += c;
            inArg = true;
        }
    }
    if (inArg)
        args << current;
    for (QString &arg : args)
        arg.replace(QStringLiteral("%%"), QStringLiteral("%"));
    return args;
}

QString execValueOf(const QByteArray &file)
{
    for (const QByteArray &line : file.split('\n'))
        if (line.startsWith("Exec="))
            return QString::fromUtf8(line.mid(5));
    return {};
}

} // namespace

class TestDesktopLauncher : public QObject {
    Q_OBJECT
private slots:
    void theLauncherFileByteForByte()
    {
        const LauncherSpec spec{QStringLiteral("Piet Jansen"), QStringLiteral("/opt/tovalin/bin/tovalin"),
                                QStringLiteral("/opt/tovalin/bin/"), QStringLiteral("/opt/tovalin/bin/resources/icons/Tgroen2.png")};
        QCOMPARE(launcherFileContents(spec),
                 QByteArray("[Desktop Entry]\n"
                            "Type=Application\n"
                            "Name=Tovalin \xe2\x80\x93 Piet Jansen\n"
                            "Exec=/opt/tovalin/bin/tovalin \"Piet#&#\\\\$#Jansen\"\n"
                            "Path=/opt/tovalin/bin/\n"
                            "Icon=/opt/tovalin/bin/resources/icons/Tgroen2.png\n"
                            "Terminal=false\n"));
        // A plain name and a plain path need no quotes.
        QCOMPARE(launcherExecValue(QStringLiteral("/usr/bin/tovalin"), QStringLiteral("Anna")),
                 QStringLiteral("/usr/bin/tovalin Anna"));
        QCOMPARE(launcherExecValue(QStringLiteral("/home/juf Ans/tovalin"), QStringLiteral("Groep 1")),
                 QStringLiteral("\"/home/juf Ans/tovalin\" \"Groep#&#\\\\$#1\""));
    }

    void theExecLineGivesTheUserBack_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << "Piet";
        QTest::newRow("threeWords") << "Anna Lies Berg";
        QTest::newRow("shellCharacters") << "Kim's $HOME `x` \"y\" & z;";
        QTest::newRow("percentIsNoFieldCode") << "100% Lisa %u";
        QTest::newRow("accents") << "Zoë Ångström";
        QTest::newRow("hashes") << "#1 groep";
    }
    void theExecLineGivesTheUserBack()
    {
        QFETCH(QString, name);
        const QString exe = QStringLiteral("/opt/to valin/tovalin");
        const QStringList args =
            desktopArguments(execValueOf(launcherFileContents({name, exe, QStringLiteral("/opt/"), QString()})));
        QCOMPARE(args.size(), 2);
        QCOMPARE(args.at(0), exe);
        QCOMPARE(startUserFromArguments(args, QString()), name);
    }

    void aDesktopStartsTheProgramForTheUser()
    {
        // gio starts a launcher the way the desktop does (GLib's reading of Exec).
        const QString gio = QStandardPaths::findExecutable(QStringLiteral("gio"));
        if (gio.isEmpty())
            QSKIP("gio is not installed");
        QTemporaryDir dir;
        const QString recorder = dir.filePath(QStringLiteral("start me.sh"));
        const QString out = dir.filePath(QStringLiteral("args.txt"));
        QVERIFY(writeFileAtomic(recorder, QStringLiteral("#!/bin/sh\npwd > '%1.cwd'\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '%1'\n")
                                              .arg(out)
                                              .toUtf8())
                    .ok);
        QFile::setPermissions(recorder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

        FakeDesktop desktop;
        desktop.xdgDir = dir.filePath(QStringLiteral("Bureaublad"));
        const QString name = QStringLiteral("Kim's $HOME 50% \"Berg\"");
        const LauncherResult made = createDesktopLauncher(desktop, {name, recorder, dir.path() + u'/', QString()});
        QVERIFY2(made.ok, qPrintable(made.error));

        QProcess launch;
        launch.start(gio, {QStringLiteral("launch"), made.path});
        QVERIFY(launch.waitForFinished(20000));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(out), 20000);
        QTRY_VERIFY(!readLines(out).value_or(QStringList()).isEmpty());
        const QStringList args = QStringList{recorder} + readLines(out).value();
        QCOMPARE(startUserFromArguments(args, QString()), name);
        QCOMPARE(readLines(out + ".cwd").value_or(QStringList()).value(0), dir.path());
    }

    void whereTheLauncherGoes()
    {
        QTemporaryDir dir;
        FakeDesktop desktop;
        desktop.env.insert(QStringLiteral("HOME"), dir.path());
        QCOMPARE(desktopFolder(desktop), dir.path() + "/Desktop");
        desktop.env.insert(QStringLiteral("XDG_DESKTOP_DIR"), dir.filePath("Xdg"));
        QCOMPARE(desktopFolder(desktop), dir.filePath("Xdg"));
        desktop.xdgDir = dir.filePath("Bureaublad/");
        QCOMPARE(desktopFolder(desktop), dir.filePath("Bureaublad"));

        // The folder is made; the file is executable, marked trusted, and replaced whole next time.
        const LauncherSpec spec{QStringLiteral("Anna"), QStringLiteral("/usr/bin/tovalin"), QStringLiteral("/usr/bin/"),
                                QStringLiteral("/usr/share/t.png")};
        const LauncherResult made = createDesktopLauncher(desktop, spec);
        QVERIFY2(made.ok, qPrintable(made.error));
        QCOMPARE(made.path, dir.filePath("Bureaublad/Anna.desktop"));
        QVERIFY(QFileInfo(made.path).isExecutable());
        QCOMPARE(desktop.trusted, QStringList{made.path});
        QVERIFY(createDesktopLauncher(desktop, spec).ok);
        QCOMPARE(QDir(dir.filePath("Bureaublad")).entryList(QDir::Files), QStringList{"Anna.desktop"});

        // A name that would leave the folder makes nothing; an unwritable folder fails.
        QVERIFY(!createDesktopLauncher(desktop, {QStringLiteral("../Anna"), spec.executable, spec.programFolder, spec.iconPath}).ok);
        QVERIFY(!QFile::exists(dir.filePath("Anna.desktop")));
        desktop.xdgDir = QStringLiteral("/proc/tovalin-no-such-folder");
        QVERIFY(!createDesktopLauncher(desktop, spec).ok);
    }
};

QTEST_GUILESS_MAIN(TestDesktopLauncher)
#include "test_desktop_launcher.moc"
