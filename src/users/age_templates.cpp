#include "users/age_templates.h"

#include "core/text_file.h"

#include <QFileInfo>

#include <algorithm>

namespace tovalin {

int templateAgeFor(int age)
{
    return std::clamp(age, kYoungestTemplateAge, kOldestTemplateAge);
}

QString templatePath(const QString &programFolder, int age, const QString &language)
{
    const QString file = QString::number(templateAgeFor(age)) + QStringLiteral(".usr");
    const QString folder = programFolder + QStringLiteral("resources/templates/");
    // An English desktop, and a program folder from before the Dutch themes, use the English set.
    if (language == u"nl" && QFileInfo::exists(folder + QStringLiteral("nl/") + file))
        return folder + QStringLiteral("nl/") + file;
    return folder + file;
}

bool copyAgeTemplate(const QString &programFolder, int age, const QString &language, const QString &profilePath)
{
    const ReadResult read = readFileBytes(templatePath(programFolder, age, language));
    if (!read.ok())
        return false;
    return writeFileAtomic(profilePath, read.bytes).ok;
}

} // namespace tovalin
