#include "state/language.h"
#include "state/startup.h"
#include "app/account_rights.h"
#include "state/termination.h"
#include "state/startup_marks.h"
#include "app/ui/application.h"
#include "app/ui/pictures.h"

#include <QApplication>
#include <QFileInfo>
#include <QFontDatabase>
#include <QThreadPool>

int main(int argc, char **argv)
{
    tovalin::startup::mark("main");
    QApplication app(argc, argv);
    tovalin::startup::mark("application object made");
    // The system's fonts are listed, and the first window's pictures drawn, on a worker while the
    // web engine starts: both take milliseconds the main thread can spend otherwise.
    QThreadPool::globalInstance()->start([] {
        (void)QFontDatabase::families();
        tovalin::pictures::drawAhead();
    });
    QApplication::setApplicationName(QStringLiteral("Tovalin - De Varnebrowser"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tovalin"));
    // The launcher installed as tovalin.desktop: desktops match the windows to it.
    QApplication::setDesktopFileName(QStringLiteral("tovalin"));

    // Dutch on a Dutch desktop, English elsewhere; a missing catalogue leaves English.
    const tovalin::TranslationReport texts =
        tovalin::installTranslations(app, tovalin::resolveProgramFolder(), tovalin::interfaceLanguage());
    for (const QString &file : texts.missing)
        qWarning("Texts missing for language %s: %s", qPrintable(texts.language), qPrintable(file));

    tovalin::startup::mark("texts installed");
    // One instance per executable name; a second start ends at once.
    tovalin::SingleInstance instance(QFileInfo(QApplication::applicationFilePath()).fileName());
    if (!instance.isFirst())
        return 0;

    tovalin::Application::Options options;
    options.arguments = QApplication::arguments();
    options.administratorGroups = tovalin::administratorGroupsOfThisAccount;
    tovalin::Application tovalinApp(options);
    tovalinApp.start();
    // An end asked for by the system (SIGTERM at a log-out) saves what is in memory first.
    tovalin::quitOnTerminationSignals(app);
    return QApplication::exec();
}
