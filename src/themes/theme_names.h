#pragma once
// Theme names from what parents type and what arrives from outside.

#include <QString>

namespace tovalin {

/// True when `name` can be a theme name: not blank, a plain file name of the themes folder (no
/// "/" or "\\", not "." or ".."), no control characters, and short enough that name + ".llt"
/// fits a file name. This is the test of New and Save as; it writes nothing.
bool isValidThemeName(const QString &name);

/// The spelling under which a theme exists in the folder (names compare case-insensitively), or
/// `name` itself when there is no such theme. Importing onto "animals" when "Animals" exists
/// replaces "Animals" rather than adding a second theme that differs only in letter case.
QString existingThemeSpelling(const QString &themesFolder, const QString &name);

/// The theme name of a download address ending in ".tvz": the last path segment before the first
/// ".tvz" (any letter case), percent-decoded ("%20" a blank; UTF-8, else Windows-1252; a "%" not
/// followed by two hexadecimal digits stays as it is). Empty when that is not a valid theme name
/// (an encoded "/" or "..", nothing before ".tvz"): such an address is refused.
QString themeNameFromDownloadAddress(const QString &address);

} // namespace tovalin
