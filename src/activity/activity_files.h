#pragma once
// Where the parents' requests and the activity report live in the data folder,
// and how their files are written: readable by the account alone (files 0600,
// folders 0700), a whole file through a temporary one and a rename, a report
// line appended and handed to the system at once.

#include "core/text_file.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>

namespace tovalin::activity {

/// DataFolder + "/verzoeken.json": the requests and the allows for today only.
QString requestsFile(const QString &dataFolder);
/// DataFolder + "/verslagen": one folder per user, one file per day.
QString reportsFolder(const QString &dataFolder);
/// The report file of a user's day: reportsFolder + "/<user>/<yyyy-MM-dd>.jsonl".
QString reportFile(const QString &dataFolder, const QString &user, QDate day);
/// reportsFolder + "/bewaren.ini": how many days the report keeps.
QString reportSettingsFile(const QString &dataFolder);

/// Makes the folder (and its parents) when missing; a folder made here is 0700.
bool makePrivateFolder(const QString &path);
/// Writes the whole file through a temporary file and a rename; the file is 0600.
WriteResult writePrivateFile(const QString &path, const QByteArray &bytes);
/// Appends one line (CR LF added) and hands it to the system before returning, so a crash
/// loses nothing written before. A new file is 0600. A last line left broken by a crash is
/// ended first, so it never runs into the new one.
WriteResult appendPrivateLine(const QString &path, const QByteArray &line);

/// Local time with its offset from UTC, to the second ("2024-05-01T10:22:03+02:00").
QString isoTime(const QDateTime &time);
/// The time isoTime wrote; invalid when the text is not one.
QDateTime parseIsoTime(const QString &text);

} // namespace tovalin::activity
