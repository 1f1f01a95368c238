#include "users/desktop_launcher.h"

#include "core/text_file.h"
#include "users/start_user.h"
#include "users/user_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace tovalin {

namespace {

constexpr int kToolTimeoutMs = 5000;

// A string value of a desktop entry: backslash and the characters a line
// cannot carry are escaped; a leading blank would be eaten by the parser.
QString escapeString(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == u'\\')
            out += QStringLiteral("\\\\");
        else if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == u'\t')
            out += QStringLiteral("\\t");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else if (c == u' ' && i == 0)
            out += QStringLiteral("\\s");
        else
            out += c;
    }
    return out;
}

// One argument of Exec by the quoting rule: an argument holding a reserved
// character is quoted whole, and inside the quotes '"', '`', '$' and '\' get a
// backslash. '%' starts a field code, so a literal one is doubled.
QString execArgument(const QString &arg)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    const bool quote = arg.isEmpty() || std::any_of(arg.cbegin(), arg.cend(), [](QChar c) { return reserved.contains(c); });
    QString out;
    for (const QChar c : arg) {
        if (quote && (c == u'"' || c == u'`' || c == u'$' || c == u'\\'))
            out += u'\\';
        out += c;
        if (c == u'%')
            out += u'%';
    }
    return quote ? u'"' + out + u'"' : out;
}

} // namespace

QString launcherExecValue(const QString &executable, const QString &userName)
{
    return escapeString(execArgument(executable) + u' ' + execArgument(encodeStartUserArgument(userName)));
}

QByteArray launcherFileContents(const LauncherSpec &spec)
{
    // Desktop entries are read with LF line ends; this file keeps to that.
    const QString text = QStringLiteral("[Desktop Entry]\n")
                         + QStringLiteral("Type=Application\n")
                         + QStringLiteral("Name=") + escapeString(QStringLiteral("Tovalin \u2013 ") + spec.userName) + u'\n'
                         + QStringLiteral("Exec=") + launcherExecValue(spec.executable, spec.userName) + u'\n'
                         + QStringLiteral("Path=") + escapeString(spec.programFolder) + u'\n'
                         + QStringLiteral("Icon=") + escapeString(spec.iconPath) + u'\n'
                         + QStringLiteral("Terminal=false\n");
    return text.toUtf8();
}

QString SystemDesktopShell::xdgUserDesktopDir()
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("xdg-user-dir"));
    if (tool.isEmpty())
        return {};
    QProcess p;
    p.start(tool, {QStringLiteral("DESKTOP")});
    if (!p.waitForFinished(kToolTimeoutMs) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        p.kill();
        return {};
    }
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

QString SystemDesktopShell::environment(const char *name)
{
    return qEnvironmentVariable(name);
}

void SystemDesktopShell::markTrusted(const QString &path)
{
    const QString gio = QStandardPaths::findExecutable(QStringLiteral("gio"));
    if (gio.isEmpty())
        return;
    QProcess p;
    p.start(gio, {QStringLiteral("set"), path, QStringLiteral("metadata::trusted"), QStringLiteral("true")});
    // Without a desktop session gio may have no metadata store; the launcher works all the same.
    if (!p.waitForFinished(kToolTimeoutMs))
        p.kill();
}

QString desktopFolder(DesktopShell &shell)
{
    QString folder = shell.xdgUserDesktopDir();
    if (folder.isEmpty())
        folder = shell.environment("XDG_DESKTOP_DIR");
    if (folder.isEmpty())
        folder = shell.environment("HOME") + QStringLiteral("/Desktop");
    return QDir::cleanPath(folder);
}

LauncherResult createDesktopLauncher(DesktopShell &shell, const LauncherSpec &spec)
{
    LauncherResult result;
    const QString name = spec.userName.trimmed();
    if (name.isEmpty() || !UserStore::isUsableName(name)) {
        result.error = QCoreApplication::translate("DesktopLauncher", "The user name cannot be a file name.");
        return result;
    }
    const QString folder = desktopFolder(shell);
    if (!QDir().mkpath(folder)) {
        result.error = QCoreApplication::translate("DesktopLauncher", "The folder %1 cannot be made.").arg(folder);
        return result;
    }
    result.path = folder + u'/' + name + QStringLiteral(".desktop");
    const WriteResult written = writeFileAtomic(result.path, launcherFileContents(spec));
    if (!written.ok) {
        result.error = written.error;
        return result;
    }
    QFile::setPermissions(result.path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                           | QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther
                                           | QFileDevice::ExeOther);
    shell.markTrusted(result.path);
    result.ok = true;
    return result;
}

QString shortcutFailedText()
{
    return QCoreApplication::translate("DesktopLauncher", "     Creating shortcut failed!     ");
}

} // namespace tovalin
