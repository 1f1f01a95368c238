#include "users/start_user.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace tovalin {

namespace {

const QString kBlankMarker = QStringLiteral("#&#$#");

WriteResult noRights()
{
    return {false, QCoreApplication::translate("UserStore", "You don't have administator rights. Use another account!")};
}

} // namespace

QString readStartUser(const QString &path)
{
    const std::optional<QStringList> lines = readLines(path);
    if (!lines || lines->isEmpty())
        return {};
    return lines->constFirst();
}

WriteResult setStartUser(const QString &path, const QString &name, StartUserWrite mode)
{
    QStringList lines;
    const ReadResult read = readFileBytes(path);
    if (read.ok()) {
        lines = splitLines(decodeText(read.bytes));
    } else if (read.error != ReadError::Missing || QFileInfo::exists(path)) {
        // Unreadable or too large (or a folder): rewriting it would lose its other lines.
        return noRights();
    }
    if (lines.isEmpty()) {
        if (mode == StartUserWrite::ReplaceOnly)
            return noRights();
        lines.append(name);
    } else {
        lines[0] = name;
    }
    if (!writeLines(path, lines).ok)
        return noRights();
    return {};
}

QString startUserFromArguments(const QStringList &args, const QString &startTvrPath)
{
    if (args.size() < 2)
        return readStartUser(startTvrPath);
    QString name = args.at(1);
    name.replace(kBlankMarker, QStringLiteral(" "), Qt::CaseInsensitive);
    return name;
}

QString encodeStartUserArgument(const QString &name)
{
    QString arg = name;
    arg.replace(u' ', kBlankMarker);
    return arg;
}

} // namespace tovalin
