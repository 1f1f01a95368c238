#include "users/shortcut_icons.h"

#include <QCoreApplication>

namespace tovalin {

QString shortcutIconFileName(ShortcutIcon icon)
{
    switch (icon) {
    case ShortcutIcon::Blue: return QStringLiteral("Tblauw2.png");
    case ShortcutIcon::Yellow: return QStringLiteral("Tgeel2.png");
    case ShortcutIcon::Green: return QStringLiteral("Tgroen2.png");
    case ShortcutIcon::Orange: return QStringLiteral("Toranje2.png");
    case ShortcutIcon::Purple: return QStringLiteral("Tpaars2.png");
    case ShortcutIcon::Red: break;
    }
    return QStringLiteral("Trood2.png");
}

QString shortcutIconPath(const QString &programFolder, ShortcutIcon icon)
{
    return programFolder + QStringLiteral("resources/icons/") + shortcutIconFileName(icon);
}

QString shortcutIconName(ShortcutIcon icon)
{
    switch (icon) {
    case ShortcutIcon::Blue: return QCoreApplication::translate("ShortcutIcons", "Blue");
    case ShortcutIcon::Yellow: return QCoreApplication::translate("ShortcutIcons", "Yellow");
    case ShortcutIcon::Green: return QCoreApplication::translate("ShortcutIcons", "Green");
    case ShortcutIcon::Orange: return QCoreApplication::translate("ShortcutIcons", "Orange");
    case ShortcutIcon::Purple: return QCoreApplication::translate("ShortcutIcons", "Purple");
    case ShortcutIcon::Red: break;
    }
    return QCoreApplication::translate("ShortcutIcons", "Red");
}

} // namespace tovalin
