// The interface language follows the desktop's locale the way gettext programs do.

#include "state/language.h"

#include <QtTest>

using namespace tovalin;

class TestLanguage : public QObject {
    Q_OBJECT

private slots:
    void choosesFromTheLocaleVariables_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("lcAll");
        QTest::addColumn<QString>("lcMessages");
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("system");
        QTest::addColumn<QString>("expected");

        QTest::newRow("Dutch desktop") << "" << "" << "" << "nl_NL.UTF-8" << "" << "nl";
        QTest::newRow("Flemish desktop") << "" << "" << "" << "nl_BE.UTF-8@euro" << "" << "nl";
        QTest::newRow("British desktop") << "" << "" << "" << "en_GB.UTF-8" << "" << "en";
        QTest::newRow("German desktop") << "" << "" << "" << "de_DE.UTF-8" << "" << "en";
        QTest::newRow("C") << "" << "" << "" << "C" << "" << "en";
        QTest::newRow("C.UTF-8") << "" << "" << "" << "C.UTF-8" << "" << "en";
        QTest::newRow("POSIX") << "" << "" << "" << "POSIX" << "" << "en";
        QTest::newRow("nothing set") << "" << "" << "" << "" << "" << "en";
        QTest::newRow("only the system locale") << "" << "" << "" << "" << "nl_NL" << "nl";
        // LC_ALL wins over LC_MESSAGES, which wins over LANG.
        QTest::newRow("LC_ALL over LANG") << "" << "nl_NL.UTF-8" << "" << "en_GB.UTF-8" << "" << "nl";
        QTest::newRow("LC_ALL=C over Dutch LANG") << "" << "C" << "" << "nl_NL.UTF-8" << "" << "en";
        QTest::newRow("LC_MESSAGES over LANG") << "" << "" << "en_US.UTF-8" << "nl_NL.UTF-8" << "" << "en";
        // LANGUAGE lists preferences; the first one the program has decides...
        QTest::newRow("LANGUAGE prefers Dutch") << "nl:en" << "" << "" << "en_GB.UTF-8" << "" << "nl";
        QTest::newRow("LANGUAGE skips French") << "fr_FR:nl_BE" << "" << "" << "fr_FR.UTF-8" << "" << "nl";
        QTest::newRow("LANGUAGE prefers English") << "en_GB:en" << "" << "" << "nl_NL.UTF-8" << "" << "en";
        QTest::newRow("LANGUAGE without a known one") << "fr:de" << "" << "" << "nl_NL.UTF-8" << "" << "nl";
        // ...but not under the C locale, where every program speaks English.
        QTest::newRow("LANGUAGE ignored under C") << "nl" << "" << "" << "C" << "" << "en";
        QTest::newRow("capitals and dashes") << "" << "" << "" << "NL-nl" << "" << "nl";
        QTest::newRow("a language that only starts like Dutch") << "" << "" << "" << "nds_DE.UTF-8" << "" << "en";
    }

    void choosesFromTheLocaleVariables()
    {
        QFETCH(QString, language);
        QFETCH(QString, lcAll);
        QFETCH(QString, lcMessages);
        QFETCH(QString, lang);
        QFETCH(QString, system);
        QFETCH(QString, expected);
        const LocaleEnvironment env{language, lcAll, lcMessages, lang};
        QCOMPARE(chooseLanguage(env, system), expected);
    }

    void helpPageAndTranslationsLiveInTheProgramFolder()
    {
        QCOMPARE(helpPagePath(QStringLiteral("/usr/share/tovalin/"), QStringLiteral("nl")),
                 QStringLiteral("/usr/share/tovalin/resources/help/tovalin3_nl.html"));
        QCOMPARE(translationsFolder(QStringLiteral("/opt/t/")), QStringLiteral("/opt/t/translations/"));
    }

    void everyLanguageHasItsHelpPage()
    {
        // The program folder of the build: every language the program speaks has its page.
        const QString folder = QStringLiteral(TOVALIN_BIN_DIR "/");
        for (const char *language : {"en", "nl"}) {
            const QString page = helpPagePath(folder, QString::fromLatin1(language));
            QVERIFY2(QFileInfo(page).size() > 1000, qPrintable(page));
        }
    }
};

QTEST_GUILESS_MAIN(TestLanguage)
#include "test_language.moc"
