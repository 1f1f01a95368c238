#pragma once
// What the real-window tests share: a sound player that records, and a data
// folder with one user that the whole program starts with.

#include "platform/sound.h"

#include <QDeadlineTimer>
#include <QtTest>

#include <QFileInfo>
#include <QStringList>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace tovalin::test {

/// Plays nothing; remembers the file names it was asked to play.
class RecordingSound final : public SoundPlayer {
public:
    void play(const QString &path) override { played.append(QFileInfo(path).fileName()); }
    QStringList played;
};

/// Prepares dataDir for a start that is not a first run, with `user` as the start
/// user and the given profile lines, and points TOVALIN_DATA_DIR at it.
bool prepareDataFolder(const QString &dataDir, const QString &user, const QStringList &profileLines);

/// Writes a theme's link list and its three site lists.
bool writeThemeLists(const QString &dataDir, const QString &theme, const QStringList &links,
                     const QStringList &whitelist, const QStringList &blacklist = {}, const QStringList &popupList = {});

/// Waits until the browser shows `address` with its document complete and the
/// program's own completion handlers run. Commit alone is not enough: scripts and
/// the address fields need the finished document.
template <typename App>
bool waitUntilShown(App &app, const QString &address, int timeoutMs = 20000)
{
    // Short waits in a loop: one long qWaitFor keeps the event loop busy in a way
    // that starves the local test server, and every page then takes seconds.
    QDeadlineTimer deadline(timeoutMs);
    const auto shown = [&] {
        return app.browser().location() == address && !app.browser().isLoading() && app.state().PageComplete;
    };
    while (!shown() && !deadline.hasExpired())
        QTest::qWait(20);
    return shown();
}

/// Runs a script in the page the browser shows and returns its result as text
/// ("<no answer>" when the page gives none in time).
template <typename App>
QString evaluateInPage(App &app, const QString &script, int timeoutMs = 20000)
{
    QString result;
    bool done = false;
    app.browser().view()->page()->runJavaScript(script, [&](const QVariant &v) {
        result = v.toString();
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, timeoutMs))
        return QStringLiteral("<no answer>");
    return result;
}

} // namespace tovalin::test
