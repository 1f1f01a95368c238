#pragma once
// What every tovalinctl subcommand shares: the exit statuses, the error line, the data folder.
//
// Exit statuses, the same for every subcommand: 0 done (or every address allowed, the
// password matches), 1 a negative answer (an address refused, the password does not match, an
// entry to remove was not listed, a theme name taken), 2 a usage or data error. On exit status
// 2 nothing has been written.

#include <QCommandLineParser>
#include <QString>
#include <QTextStream>
#include <optional>

namespace tovalin::ctl {

enum Exit { Done = 0, Negative = 1, UsageOrDataError = 2 };

/// Writes "tovalinctl: message" to stderr and gives UsageOrDataError.
inline int fail(const QString &message)
{
    QTextStream(stderr) << "tovalinctl: " << message << '\n';
    return UsageOrDataError;
}

/// The --data folder, else the browser's own data folder.
QString dataFolder(const QCommandLineParser &parser);
/// The --user NAME, else line 1 of the data folder's start.tvr; nullopt (and the message told)
/// when neither names a user.
std::optional<QString> userOrStartUser(const QCommandLineParser &parser, const QString &startUserFile);

int users(const QCommandLineParser &parser);
int themes(const QCommandLineParser &parser);
int lists(const QCommandLineParser &parser);
int password(const QCommandLineParser &parser);
int categories(const QCommandLineParser &parser);
int requests(const QCommandLineParser &parser);
int report(const QCommandLineParser &parser);

} // namespace tovalin::ctl
