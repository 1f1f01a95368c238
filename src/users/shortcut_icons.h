#pragma once
// The six pictures a desktop shortcut of a user can carry: a "T" badge in
// blue, yellow, green, orange, purple or red. They lie in the program folder
// under resources/icons/ and are used by the user manager and the wizard.

#include <QString>
#include <array>

namespace tovalin {

enum class ShortcutIcon { Blue, Yellow, Green, Orange, Purple, Red };

inline constexpr std::array<ShortcutIcon, 6> kShortcutIcons = {
    ShortcutIcon::Blue, ShortcutIcon::Yellow, ShortcutIcon::Green,
    ShortcutIcon::Orange, ShortcutIcon::Purple, ShortcutIcon::Red,
};

/// The icon a shortcut gets unless the parent picks another.
inline constexpr ShortcutIcon kDefaultShortcutIcon = ShortcutIcon::Red;

/// The icon's file name ("Tblauw2.png" ... "Trood2.png").
QString shortcutIconFileName(ShortcutIcon icon);

/// The icon's absolute path: programFolder (ending in "/") + "resources/icons/" + file name.
QString shortcutIconPath(const QString &programFolder, ShortcutIcon icon);

/// The colour's name for a tool tip ("Blue" ... "Red").
QString shortcutIconName(ShortcutIcon icon);

} // namespace tovalin
