#pragma once
// The age templates of the new-user wizard: complete profiles "<N>.usr" for
// N = 2 to 15 in the program folder's resources/templates/ (English starter
// themes) and resources/templates/nl/ (Dutch ones). The child's age picks the
// template; every age from 16 up uses the one for 15.

#include <QString>

namespace tovalin {

inline constexpr int kYoungestTemplateAge = 2;
inline constexpr int kOldestTemplateAge = 15;

/// The template's age for a child's age: the age itself up to 15, 15 above it (and 2 below 2).
int templateAgeFor(int age);

/// programFolder (ending in "/") + "resources/templates/<N>.usr" for the age's template; for
/// language "nl" the one in "resources/templates/nl/" when it exists.
QString templatePath(const QString &programFolder, int age, const QString &language = QString());

/// Copies the age's template in the language unchanged, byte for byte, to profilePath
/// (replacing any file there, atomically). False when the template is missing or unreadable
/// or the copy fails; then nothing is written.
bool copyAgeTemplate(const QString &programFolder, int age, const QString &language, const QString &profilePath);

} // namespace tovalin
