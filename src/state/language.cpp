#include "state/language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tovalin {

namespace {

const QString kDutch = QStringLiteral("nl");
const QString kEnglish = QStringLiteral("en");

QString &activeLanguageSlot()
{
    static QString language = kEnglish;
    return language;
}

// The language part of a locale name: "nl" of "nl_NL.UTF-8@euro", "nl-BE" or "NL".
QString languageOf(const QString &locale)
{
    qsizetype end = 0;
    while (end < locale.size() && locale.at(end).isLetter())
        ++end;
    return locale.left(end).toLower();
}

bool isPlainC(const QString &locale)
{
    const QString base = locale.section(u'.', 0, 0);
    return base == u"C" || base == u"POSIX";
}

} // namespace

LocaleEnvironment LocaleEnvironment::fromProcess()
{
    LocaleEnvironment env;
    env.language = qEnvironmentVariable("LANGUAGE");
    env.lcAll = qEnvironmentVariable("LC_ALL");
    env.lcMessages = qEnvironmentVariable("LC_MESSAGES");
    env.lang = qEnvironmentVariable("LANG");
    return env;
}

QString chooseLanguage(const LocaleEnvironment &env, const QString &systemLocaleName)
{
    QString messages = env.lcAll;
    if (messages.isEmpty())
        messages = env.lcMessages;
    if (messages.isEmpty())
        messages = env.lang;
    if (messages.isEmpty())
        messages = systemLocaleName;
    if (messages.isEmpty() || isPlainC(messages))
        return kEnglish;
    // As gettext does: the first language of the list that the program has.
    for (const QString &entry : env.language.split(u':', Qt::SkipEmptyParts)) {
        const QString language = languageOf(entry);
        if (language == kDutch || language == kEnglish)
            return language;
    }
    return languageOf(messages) == kDutch ? kDutch : kEnglish;
}

QString interfaceLanguage()
{
    return chooseLanguage(LocaleEnvironment::fromProcess(), QLocale::system().name());
}

QString translationsFolder(const QString &programFolder)
{
    return programFolder + QStringLiteral("translations/");
}

QString helpPagePath(const QString &programFolder, const QString &language)
{
    return programFolder + QStringLiteral("resources/help/tovalin3_") + language + QStringLiteral(".html");
}

TranslationReport installTranslations(QCoreApplication &app, const QString &programFolder, const QString &language)
{
    TranslationReport report;
    report.language = language;
    activeLanguageSlot() = language;
    if (language == kEnglish)
        return report;
    const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + u'/';
    const QString files[] = {
        qtFolder + QStringLiteral("qtbase_") + language + QStringLiteral(".qm"),
        qtFolder + QStringLiteral("qtmultimedia_") + language + QStringLiteral(".qm"),
        translationsFolder(programFolder) + QStringLiteral("tovalin_") + language + QStringLiteral(".qm"),
    };
    for (const QString &file : files) {
        auto *translator = new QTranslator(&app);
        if (translator->load(file)) {
            QCoreApplication::installTranslator(translator);
            report.loaded << QDir::cleanPath(file);
        } else {
            delete translator;
            report.missing << QDir::cleanPath(file);
        }
    }
    return report;
}

QString activeLanguage()
{
    return activeLanguageSlot();
}

} // namespace tovalin
