#pragma once
// Testing a user name a parent types (New user, Save as, the new-user wizard).
//
// A user name becomes a file name ("<name>.usr", "<name>.desktop"), so a name
// is usable only when it stays inside its folder and the file system accepts it.

#include <QString>

namespace tovalin {

enum class NameCheck {
    Empty,   ///< nothing but blanks
    Invalid, ///< "/", "\\", "..", a control character, or a name the file system refuses
    Usable,
};

/// Tests the trimmed name: the rules of UserStore::isUsableName, then whether the file
/// system takes "<name>.tst" in probeFolder. The probe file is removed again; nothing is
/// left behind (an existing file of that name proves the name and is not touched).
NameCheck checkUserName(const QString &name, const QString &probeFolder);

/// "     You did not enter a name     "
QString noNameText();
/// "You did not enter a valid name. Try again!."
QString invalidNameText();

} // namespace tovalin
