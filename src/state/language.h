#pragma once
// The interface language: Dutch on a Dutch desktop, English everywhere else.

#include <QString>
#include <QStringList>

class QCoreApplication;

namespace tovalin {

/// The locale variables the language follows, as the environment holds them.
struct LocaleEnvironment {
    QString language;   ///< LANGUAGE: a colon-separated list of preferred languages
    QString lcAll;      ///< LC_ALL
    QString lcMessages; ///< LC_MESSAGES
    QString lang;       ///< LANG

    static LocaleEnvironment fromProcess();
};

/// "nl" or "en". The messages locale is LC_ALL, else LC_MESSAGES, else LANG (else the
/// system locale Qt reports). Under "C" or "POSIX" the interface is English and LANGUAGE
/// is not consulted; otherwise the first entry of LANGUAGE that names Dutch or English
/// decides, and without one the messages locale does: Dutch for "nl", "nl_NL", "nl_BE"...,
/// English for every other language.
QString chooseLanguage(const LocaleEnvironment &env, const QString &systemLocaleName = {});

/// The language of this process's desktop.
QString interfaceLanguage();

/// The program's translation folder: <program folder>/translations/.
QString translationsFolder(const QString &programFolder);

/// The help page in the given language: <program folder>/resources/help/tovalin3_<language>.html.
QString helpPagePath(const QString &programFolder, const QString &language);

/// What installTranslations loaded (file paths) and what it looked for in vain.
struct TranslationReport {
    QString language;
    QStringList loaded;
    QStringList missing;
};

/// Makes the application speak `language`: for Dutch, the program's own texts
/// (tovalin_nl.qm from the translations folder) and Qt's (qtbase_nl.qm and
/// qtmultimedia_nl.qm from Qt's translations). English needs nothing: the program's
/// texts are English and so are Qt's. The translators live as long as the application.
TranslationReport installTranslations(QCoreApplication &app, const QString &programFolder,
                                      const QString &language);

/// The language installTranslations last made the application speak ("en" before).
QString activeLanguage();

} // namespace tovalin
