#include "users/user_store.h"

#include "state/program_state.h"
#include "core/ini.h"
#include "users/user_profile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSet>

#include <algorithm>

namespace tovalin {

namespace {

// Debug output is off unless QT_LOGGING_RULES="tovalin.users.debug=true".
Q_LOGGING_CATEGORY(lcUsers, "tovalin.users", QtWarningMsg)

const QString kUserSuffix = QStringLiteral(".usr");
const QString kThemeSuffix = QStringLiteral(".llt");

// The texts of this file, under one translation context.
struct UserStoreText {
    Q_DECLARE_TR_FUNCTIONS(UserStore)
};

bool sameIgnoringCase(const QString &a, const QString &b)
{
    return a.toUpper() == b.toUpper();
}

QString userNameOf(const QString &fileName)
{
    return fileName.chopped(kUserSuffix.size()).trimmed();
}

QStringList regularFilesIn(const QString &folder, const QString &suffix)
{
    // Only regular files: a pipe named like a profile would block the reader.
    // The suffix is matched exactly, the way the program itself writes it, so
    // every listed name maps back to a file that can be opened.
    const QFileInfoList entries = QDir(folder).entryInfoList(
        QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
    QStringList names;
    for (const QFileInfo &info : entries) {
        const QString fileName = info.fileName();
        if (fileName.endsWith(suffix, Qt::CaseSensitive) && info.isFile())
            names.append(fileName);
    }
    return names;
}

} // namespace

UserStore::UserStore(ProgramState &state, UserProfile &profile, QObject *parent)
    : QObject(parent)
    , m_state(state)
    , m_profile(profile)
{
}

QStringList UserStore::filesIn(const QString &folder, const QString &suffix) const
{
    return regularFilesIn(folder, suffix);
}

QStringList UserStore::ListUsers() const
{
    QStringList users;
    // The ending is cut rather than the first ".usr" of the name, so that
    // "my.usrfile.usr" lists as a user whose profile can be found again.
    for (const QString &fileName : filesIn(m_state.usersFolder(), kUserSuffix))
        users.append(userNameOf(fileName));
    return users;
}

bool UserStore::UserExists(const QString &name) const
{
    const QStringList users = ListUsers();
    return std::any_of(users.cbegin(), users.cend(),
                       [&](const QString &user) { return sameIgnoringCase(user, name); });
}

bool UserStore::isUsableName(const QString &name)
{
    if (name.contains(u'/') || name.contains(u'\\') || name.contains(QStringLiteral("..")))
        return false;
    return std::none_of(name.cbegin(), name.cend(), [](QChar c) { return c.category() == QChar::Other_Control; });
}

QString profilePathIn(const QString &usersFolder, const QString &name)
{
    // The name a parent types may differ in case or surrounding blanks from the
    // file on disk; it still names that user, so load and save both reach the
    // existing file instead of making a twin beside it.
    const QStringList files = regularFilesIn(usersFolder, kUserSuffix);
    for (const QString &fileName : files)
        if (userNameOf(fileName) == name)
            return usersFolder + u'/' + fileName;
    for (const QString &fileName : files)
        if (sameIgnoringCase(userNameOf(fileName), name))
            return usersFolder + u'/' + fileName;
    return usersFolder + u'/' + name + kUserSuffix;
}

QString UserStore::profilePath(const QString &name) const
{
    return profilePathIn(m_state.usersFolder(), name);
}

ProfileLoad UserStore::LoadUserProfile(const QString &name)
{
    m_allowedThemes.clear();

    ProfileLoad outcome = ProfileLoad::Missing;
    const QString path = profilePath(name);
    if (isUsableName(name) && QFileInfo(path).isFile()) {
        if (const std::optional<IniDocument> doc = IniDocument::load(path)) {
            m_profile.readFrom(*doc);
            const QStringList themes = AvailableThemes();
            const QSet<QString> existing(themes.cbegin(), themes.cend());
            const QString value = doc->stringValue(QStringLiteral("Favorieten"), QStringLiteral("gebruikfav"));
            for (const QString &theme : decodeAllowedThemes(value))
                if (!theme.isEmpty() && existing.contains(theme))
                    m_allowedThemes.append(theme);
            outcome = ProfileLoad::Loaded;
        } else {
            // A profile that is there but cannot be read must not leave the
            // previous user's (maybe looser) settings in force: every key takes
            // its default, which blocks rather than allows.
            m_profile.readFrom(IniDocument{});
            outcome = ProfileLoad::Unreadable;
            qCWarning(lcUsers) << "profile cannot be read:" << path;
        }
    }
    qCDebug(lcUsers) << "loaded user" << name << "themes" << m_allowedThemes;

    if (!m_allowedThemes.isEmpty() && !m_allowedThemes.contains(m_state.activeTheme()))
        m_state.setActiveTheme(m_allowedThemes.constFirst());

    emit displayChanged();
    return outcome;
}

WriteResult UserStore::SaveUserProfile(const QString &name, const QStringList &themes)
{
    if (!isUsableName(name))
        return {false, UserStoreText::tr("You did not enter a valid name. Try again!.")};

    const QString folder = m_state.usersFolder();
    if (!QFileInfo(folder).isDir())
        QDir().mkpath(folder); // when this fails, the write below says why

    const QString path = profilePath(name);
    const std::optional<IniDocument> existing = IniDocument::load(path);
    if (!existing) {
        // Writing from scratch over a file we could not read would throw away
        // whatever it holds beyond our keys.
        return {false, UserStoreText::tr("The file %1 could not be read.").arg(QDir::toNativeSeparators(path))};
    }
    IniDocument doc = *existing;
    m_profile.writeTo(doc);
    doc.setValue(QStringLiteral("Favorieten"), QStringLiteral("gebruikfav"), encodeAllowedThemes(themes));
    WriteResult result = doc.save(path);
    if (!result.ok)
        qCWarning(lcUsers) << "profile not saved:" << path << result.error;
    return result;
}

WriteResult UserStore::createUserProfile(const QString &name, const QStringList &themes)
{
    if (!isUsableName(name))
        return {false, UserStoreText::tr("You did not enter a valid name. Try again!.")};
    const QString folder = m_state.usersFolder();
    if (!QFileInfo(folder).isDir())
        QDir().mkpath(folder);
    IniDocument doc;
    m_profile.writeTo(doc);
    doc.setValue(QStringLiteral("Favorieten"), QStringLiteral("gebruikfav"), encodeAllowedThemes(themes));
    // The new file replaces the old one whole (never a truncated file left behind).
    WriteResult result = doc.save(profilePath(name));
    if (!result.ok)
        qCWarning(lcUsers) << "profile not created:" << name << result.error;
    return result;
}

bool UserStore::deleteUserProfile(const QString &name)
{
    if (!isUsableName(name))
        return false;
    const QString path = profilePath(name);
    return QFileInfo(path).isFile() && QFile::remove(path);
}

QStringList UserStore::AvailableThemes() const
{
    QStringList themes;
    for (const QString &fileName : filesIn(m_state.themesFolder(), kThemeSuffix))
        themes.append(fileName.chopped(kThemeSuffix.size()));
    return themes;
}

QString UserStore::encodeAllowedThemes(const QStringList &themes)
{
    if (themes.isEmpty())
        return UserStoreText::tr("None selected");
    QString value;
    for (const QString &theme : themes)
        value += theme + u'*';
    return value;
}

QStringList UserStore::decodeAllowedThemes(const QString &value)
{
    QStringList parts = value.split(u'*');
    parts.removeLast(); // the text after the last "*" (the empty-list marker among others)
    return parts;
}

bool UserStore::chooserArrowVisible(const QStringList &themes, const QString &activeTheme)
{
    if (themes.size() > 1)
        return true;
    return themes.size() == 1 && themes.constFirst() != activeTheme;
}

QString UserStore::userLabelText() const
{
    const QString &user = m_state.activeUser();
    return user.isEmpty() ? UserStoreText::tr("No user available") : user;
}

QString UserStore::themeLabelText() const
{
    const QString &theme = m_state.activeTheme();
    return theme.isEmpty() ? UserStoreText::tr("None selected") : theme;
}

bool UserStore::chooserArrowVisible() const
{
    return chooserArrowVisible(m_allowedThemes, m_state.activeTheme());
}

} // namespace tovalin
