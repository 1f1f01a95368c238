#pragma once
// Desktop shortcuts that start Tovalin for one user: a freedesktop launcher
// "<name>.desktop" in the user's desktop folder.
//
// The launcher runs this executable with the user's name as parameter 1, every
// blank written "#&#$#" (start-up turns it back into blanks), in the program
// folder, with one of the six shortcut icons.

#include <QByteArray>
#include <QString>

namespace tovalin {

/// What a launcher names.
struct LauncherSpec {
    QString userName;      ///< the user it starts
    QString executable;    ///< absolute path of the program
    QString programFolder; ///< the working folder
    QString iconPath;      ///< absolute path of the picture
};

/// The launcher file, UTF-8 with LF line ends as desktop environments read it:
/// `Type=Application`, `Name=Tovalin – <name>`, `Exec=`, `Path=`, `Icon=`, `Terminal=false`.
QByteArray launcherFileContents(const LauncherSpec &spec);

/// The `Exec` value: the executable and the encoded user argument, each quoted where the
/// Desktop Entry rules ask for it, "%" doubled, then escaped as a string value.
QString launcherExecValue(const QString &executable, const QString &userName);

/// What creating a launcher needs of the desktop; the real one asks the system.
class DesktopShell {
public:
    virtual ~DesktopShell() = default;
    /// The output of `xdg-user-dir DESKTOP`, trimmed; empty when the tool is missing or fails.
    virtual QString xdgUserDesktopDir() = 0;
    /// An environment variable ("XDG_DESKTOP_DIR", "HOME"); empty when unset.
    virtual QString environment(const char *name) = 0;
    /// Marks the launcher trusted so the desktop starts it without asking
    /// (`gio set <path> metadata::trusted true`); nothing where gio is missing.
    virtual void markTrusted(const QString &path) = 0;
};

/// The desktop's real tools, through QProcess (each call waits at most a few seconds).
class SystemDesktopShell final : public DesktopShell {
public:
    QString xdgUserDesktopDir() override;
    QString environment(const char *name) override;
    void markTrusted(const QString &path) override;
};

/// The user's desktop folder: `xdg-user-dir DESKTOP`, else $XDG_DESKTOP_DIR, else ~/Desktop.
QString desktopFolder(DesktopShell &shell);

struct LauncherResult {
    bool ok = false;
    QString path;  ///< the launcher file
    QString error; ///< the system's reason when !ok
};

/// Writes "<desktop folder>/<name>.desktop" (the folder is made when missing), replacing an
/// older launcher of that name whole, sets its executable bits and marks it trusted.
LauncherResult createDesktopLauncher(DesktopShell &shell, const LauncherSpec &spec);

/// "     Creating shortcut failed!     "
QString shortcutFailedText();

} // namespace tovalin
