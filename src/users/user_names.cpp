#include "users/user_names.h"

#include "users/user_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tovalin {

NameCheck checkUserName(const QString &name, const QString &probeFolder)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return NameCheck::Empty;
    if (!UserStore::isUsableName(trimmed))
        return NameCheck::Invalid;

    QDir().mkpath(probeFolder);
    const QString probe = probeFolder + u'/' + trimmed + QStringLiteral(".tst");
    if (QFileInfo::exists(probe))
        return NameCheck::Usable;
    QFile file(probe);
    // NewOnly: the probe never truncates a file that appeared meanwhile.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return NameCheck::Invalid;
    file.close();
    file.remove();
    return NameCheck::Usable;
}

QString noNameText()
{
    return QCoreApplication::translate("UserNames", "     You did not enter a name     ");
}

QString invalidNameText()
{
    return QCoreApplication::translate("UserNames", "You did not enter a valid name. Try again!.");
}

} // namespace tovalin
