#pragma once
// The activity report: per user and day, in local time, the minutes surfed per
// theme, the pages visited, the refusals with their reason, the requests and
// what became of them, and the videos played. It stays on this machine.
//
// One file per user and day (verslagen/<user>/<yyyy-MM-dd>.jsonl), one JSON
// object a line, appended and handed to the system as each thing happens: an
// orderly end loses nothing, a crash at most the minute under way, and a line
// broken by a crash is skipped on reading while every other line still counts.
// Days older than the days kept (1, 7 or 30, chosen by the parent) are
// deleted at start.

#include "activity/request_store.h"
#include "core/text_file.h"

#include <QDate>
#include <QDateTime>
#include <QJsonObject>
#include <QList>
#include <QString>

namespace tovalin {

/// One address of a day, with how often and when.
struct AddressTally {
    QString address; ///< as the browser loaded it
    QString theme;   ///< the theme on show the first time
    QString reason;  ///< for a refusal: "whitelist", "blacklist", "timeup", "document", ...
    int count = 0;
    QDateTime first;
    QDateTime last;
};

struct ThemeTime {
    QString theme;
    qint64 seconds = 0;
};

struct DayReport {
    QString user;
    QDate day;
    bool found = false;   ///< the day's file exists
    QString problem;      ///< the file exists but cannot be read
    int skippedLines = 0; ///< lines that do not read (a line broken by a crash)
    QList<ThemeTime> themes;
    QList<AddressTally> pages;
    QList<AddressTally> refusals;
    QList<Request> requests; ///< as asked that day, with the answer when one came
    QList<AddressTally> videos;

    qint64 seconds() const;
    /// Whole minutes surfed, rounded to the nearest.
    int minutes() const;
    /// The day as `tovalinctl report --json` gives it (README: "The activity report").
    QJsonObject toJson() const;
};

class ActivityLog {
public:
    /// Days a report may keep; the default is kDefaultKeepDays.
    static constexpr int kKeepChoices[] = {1, 7, 30};
    static constexpr int kDefaultKeepDays = 7;

    explicit ActivityLog(QString dataFolder);

    const QString &dataFolder() const { return m_dataFolder; }

    WriteResult surfed(const QString &user, const QString &theme, int seconds, const QDateTime &when);
    WriteResult pageVisited(const QString &user, const QString &theme, const QString &address, const QDateTime &when);
    WriteResult refused(const QString &user, const QString &theme, const QString &address, const QString &reason,
                        const QDateTime &when);
    WriteResult videoPlayed(const QString &user, const QString &theme, const QString &address, const QDateTime &when);
    /// A request, in the file of the day it was asked.
    WriteResult requested(const Request &request);
    /// The answer to a request, in the file of the day it was asked (when that day is still kept).
    WriteResult answered(const Request &request);

    /// The last write that failed, empty while they all succeed.
    const QString &lastError() const { return m_lastError; }

    /// Reads one day of a user's report.
    static DayReport readDay(const QString &dataFolder, const QString &user, QDate day);
    /// Deletes every day of every user older than the days kept (today counts as one).
    /// Returns how many files went.
    static int removeOldDays(const QString &dataFolder, QDate today, int keepDays);
    /// The days kept, as the parent chose (kDefaultKeepDays when not chosen or not one of the choices).
    static int keepDays(const QString &dataFolder);
    static WriteResult setKeepDays(const QString &dataFolder, int days);

private:
    WriteResult append(const QString &user, const QDate &day, QJsonObject line, const QDateTime &when);

    QString m_dataFolder;
    QString m_lastError;
};

} // namespace tovalin
