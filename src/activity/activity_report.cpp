#include "activity/activity_report.h"

#include "activity/activity_files.h"
#include "activity/activity_log.h"
#include "core/ini.h"
#include "users/user_store.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>


namespace tovalin {

namespace {

const QString kSection = QStringLiteral("Verslag");
const QString kKeepKey = QStringLiteral("Dagen");

// One line's event names.
const QString kSurf = QStringLiteral("surf");
const QString kPage = QStringLiteral("page");
const QString kRefused = QStringLiteral("refused");
const QString kVideo = QStringLiteral("video");
const QString kRequest = QStringLiteral("request");
const QString kAnswer = QStringLiteral("answer");

QString str(const QJsonObject &o, const char *key)
{
    return o.value(QLatin1String(key)).toString();
}

void tally(QList<AddressTally> &list, const QString &address, const QString &theme, const QString &reason,
           const QDateTime &when)
{
    for (AddressTally &t : list) {
        if (t.address == address && t.reason == reason) {
            ++t.count;
            t.first = std::min(t.first, when);
            t.last = std::max(t.last, when);
            return;
        }
    }
    list.append({address, theme, reason, 1, when, when});
}

QJsonArray tallyJson(const QList<AddressTally> &list, bool withReason)
{
    QJsonArray out;
    for (const AddressTally &t : list) {
        QJsonObject o{{QStringLiteral("address"), t.address},
                      {QStringLiteral("theme"), t.theme},
                      {QStringLiteral("count"), t.count},
                      {QStringLiteral("first"), activity::isoTime(t.first)},
                      {QStringLiteral("last"), activity::isoTime(t.last)}};
        if (withReason)
            o.insert(QStringLiteral("reason"), t.reason);
        out.append(o);
    }
    return out;
}

} // namespace

qint64 DayReport::seconds() const
{
    qint64 total = 0;
    for (const ThemeTime &t : themes)
        total += t.seconds;
    return total;
}

int DayReport::minutes() const
{
    return int((seconds() + 30) / 60);
}

QJsonObject DayReport::toJson() const
{
    QJsonArray themeArray;
    for (const ThemeTime &t : themes)
        themeArray.append(QJsonObject{{QStringLiteral("theme"), t.theme},
                                      {QStringLiteral("seconds"), t.seconds},
                                      {QStringLiteral("minutes"), int((t.seconds + 30) / 60)}});
    QJsonArray requestArray;
    for (const Request &r : requests)
        requestArray.append(r.toJson());
    QJsonObject o{{QStringLiteral("user"), user},
                  {QStringLiteral("day"), day.toString(Qt::ISODate)},
                  {QStringLiteral("seconds"), seconds()},
                  {QStringLiteral("minutes"), minutes()},
                  {QStringLiteral("themes"), themeArray},
                  {QStringLiteral("pages"), tallyJson(pages, false)},
                  {QStringLiteral("refusals"), tallyJson(refusals, true)},
                  {QStringLiteral("requests"), requestArray},
                  {QStringLiteral("videos"), tallyJson(videos, false)},
                  {QStringLiteral("skippedLines"), skippedLines}};
    if (!problem.isEmpty())
        o.insert(QStringLiteral("problem"), problem);
    return o;
}

ActivityLog::ActivityLog(QString dataFolder) : m_dataFolder(std::move(dataFolder)) {}

WriteResult ActivityLog::append(const QString &user, const QDate &day, QJsonObject line, const QDateTime &when)
{
    // A name that would leave the folder never names a file; nothing is written for it.
    if (!UserStore::isUsableName(user))
        return {false, QStringLiteral("no usable user")};
    const QString path = activity::reportFile(m_dataFolder, user, day);
    if (!activity::makePrivateFolder(activity::reportsFolder(m_dataFolder))
        || !activity::makePrivateFolder(QFileInfo(path).absolutePath())) {
        m_lastError = QStringLiteral("cannot make the folder of %1").arg(path);
        qCWarning(lcActivity) << m_lastError;
        return {false, m_lastError};
    }
    line.insert(QStringLiteral("time"), activity::isoTime(when));
    const WriteResult written = activity::appendPrivateLine(path, QJsonDocument(line).toJson(QJsonDocument::Compact));
    if (!written.ok) {
        m_lastError = path + QStringLiteral(": ") + written.error;
        qCWarning(lcActivity) << "cannot write" << m_lastError;
    } else {
        m_lastError.clear();
    }
    return written;
}

WriteResult ActivityLog::surfed(const QString &user, const QString &theme, int seconds, const QDateTime &when)
{
    return append(user, when.date(),
                  {{QStringLiteral("event"), kSurf}, {QStringLiteral("theme"), theme}, {QStringLiteral("seconds"), seconds}},
                  when);
}

WriteResult ActivityLog::pageVisited(const QString &user, const QString &theme, const QString &address,
                                     const QDateTime &when)
{
    return append(user, when.date(),
                  {{QStringLiteral("event"), kPage}, {QStringLiteral("theme"), theme}, {QStringLiteral("address"), address}},
                  when);
}

WriteResult ActivityLog::refused(const QString &user, const QString &theme, const QString &address,
                                 const QString &reason, const QDateTime &when)
{
    return append(user, when.date(),
                  {{QStringLiteral("event"), kRefused},
                   {QStringLiteral("theme"), theme},
                   {QStringLiteral("address"), address},
                   {QStringLiteral("reason"), reason}},
                  when);
}

WriteResult ActivityLog::videoPlayed(const QString &user, const QString &theme, const QString &address,
                                     const QDateTime &when)
{
    return append(user, when.date(),
                  {{QStringLiteral("event"), kVideo}, {QStringLiteral("theme"), theme}, {QStringLiteral("address"), address}},
                  when);
}

WriteResult ActivityLog::requested(const Request &request)
{
    QJsonObject line = request.toJson();
    line.insert(QStringLiteral("event"), kRequest);
    return append(request.user, request.asked.date(), line, request.asked);
}

WriteResult ActivityLog::answered(const Request &request)
{
    // A day no longer kept gets no file back for one line.
    if (!QFileInfo::exists(activity::reportFile(m_dataFolder, request.user, request.asked.date())))
        return {};
    QJsonObject line = request.toJson();
    line.insert(QStringLiteral("event"), kAnswer);
    return append(request.user, request.asked.date(), line, request.answered);
}

DayReport ActivityLog::readDay(const QString &dataFolder, const QString &user, QDate day)
{
    DayReport report;
    report.user = user;
    report.day = day;
    if (!UserStore::isUsableName(user))
        return report;
    const QString path = activity::reportFile(dataFolder, user, day);
    const ReadResult read = readFileBytes(path);
    if (read.error == ReadError::Missing)
        return report;
    report.found = true;
    if (!read.ok()) {
        report.problem = path + (read.error == ReadError::TooLarge ? QStringLiteral(": too large")
                                                                   : QStringLiteral(": cannot be read"));
        return report;
    }
    const QList<QByteArray> lines = read.bytes.split('\n');
    for (QByteArray line : lines) {
        line = line.trimmed();
        if (line.isEmpty())
            continue;
        const QJsonDocument doc = QJsonDocument::fromJson(line);
        const QJsonObject o = doc.object();
        const QString event = str(o, "event");
        const QDateTime when = activity::parseIsoTime(str(o, "time"));
        if (!doc.isObject() || !when.isValid()) {
            ++report.skippedLines;
            continue;
        }
        const QString theme = str(o, "theme");
        const QString address = str(o, "address");
        if (event == kSurf) {
            const qint64 seconds = o.value(QStringLiteral("seconds")).toInteger();
            auto it = std::find_if(report.themes.begin(), report.themes.end(),
                                   [&](const ThemeTime &t) { return t.theme == theme; });
            if (seconds <= 0) {
                ++report.skippedLines;
            } else if (it == report.themes.end()) {
                report.themes.append({theme, seconds});
            } else {
                it->seconds += seconds;
            }
        } else if (event == kPage && !address.isEmpty()) {
            tally(report.pages, address, theme, {}, when);
        } else if (event == kRefused && !address.isEmpty()) {
            tally(report.refusals, address, theme, str(o, "reason"), when);
        } else if (event == kVideo && !address.isEmpty()) {
            tally(report.videos, address, theme, {}, when);
        } else if (event == kRequest || event == kAnswer) {
            const std::optional<Request> r = Request::fromJson(o);
            if (!r) {
                ++report.skippedLines;
                continue;
            }
            auto it = std::find_if(report.requests.begin(), report.requests.end(),
                                   [&](const Request &x) { return x.id == r->id; });
            if (it == report.requests.end())
                report.requests.append(*r);
            else if (event == kAnswer)
                *it = *r;
        } else {
            ++report.skippedLines;
        }
    }
    return report;
}

int ActivityLog::removeOldDays(const QString &dataFolder, QDate today, int keepDays)
{
    const QDate oldestKept = today.addDays(1 - std::max(1, keepDays));
    int removed = 0;
    const QString root = activity::reportsFolder(dataFolder);
    const QStringList users = QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QString &user : users) {
        QDir folder(root + u'/' + user);
        const QStringList files = folder.entryList({QStringLiteral("*.jsonl")}, QDir::Files | QDir::Hidden);
        for (const QString &file : files) {
            const QDate day = QDate::fromString(file.chopped(6), Qt::ISODate);
            if (day.isValid() && day < oldestKept && folder.remove(file))
                ++removed;
        }
    }
    qCDebug(lcActivity) << "removed" << removed << "report days before" << oldestKept;
    return removed;
}

int ActivityLog::keepDays(const QString &dataFolder)
{
    const std::optional<IniDocument> ini = IniDocument::load(activity::reportSettingsFile(dataFolder));
    const int days = ini ? ini->stringValue(kSection, kKeepKey).toInt() : 0;
    return std::find(std::begin(kKeepChoices), std::end(kKeepChoices), days) != std::end(kKeepChoices) ? days
                                                                                                      : kDefaultKeepDays;
}

WriteResult ActivityLog::setKeepDays(const QString &dataFolder, int days)
{
    const QString path = activity::reportSettingsFile(dataFolder);
    if (!activity::makePrivateFolder(activity::reportsFolder(dataFolder)))
        return {false, QStringLiteral("cannot make the folder of %1").arg(path)};
    IniDocument ini = IniDocument::load(path).value_or(IniDocument());
    ini.setValue(kSection, kKeepKey, QString::number(days));
    return ini.save(path);
}

} // namespace tovalin
