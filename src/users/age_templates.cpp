#include "users/age_templates.h"

#include "core/text_file.h"

#include <algorithm>

namespace tovalin {

int templateAgeFor(int age)
{
    return std::clamp(age, kYoungestTemplateAge, kOldestTemplateAge);
}

QString templatePath(const QString &programFolder, int age)
{
    return programFolder + QStringLiteral("resources/templates/") + QString::number(templateAgeFor(age))
           + QStringLiteral(".usr");
}

bool copyAgeTemplate(const QString &programFolder, int age, const QString &profilePath)
{
    const ReadResult read = readFileBytes(templatePath(programFolder, age));
    if (!read.ok())
        return false;
    return writeFileAtomic(profilePath, read.bytes).ok;
}

} // namespace tovalin
