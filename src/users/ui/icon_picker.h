#pragma once
// The six shortcut icons to choose from, with a preview of the chosen one:
// the Shortcut page of the user manager and of the new-user wizard.

#include "users/shortcut_icons.h"

#include <QWidget>

class QLabel;
class QToolButton;

namespace tovalin {

class IconPicker : public QWidget {
    Q_OBJECT
public:
    /// programFolder (ending in "/") holds the pictures under resources/icons/.
    IconPicker(const QString &programFolder, QWidget *parent = nullptr);

    ShortcutIcon icon() const { return m_icon; }
    /// Shows icon in the preview and makes it the chosen one.
    void setIcon(ShortcutIcon icon);
    /// The button of one icon (object names "iconBlue" ... "iconRed").
    QToolButton *button(ShortcutIcon icon) const;

signals:
    void iconChosen(tovalin::ShortcutIcon icon);

private:
    QString m_programFolder;
    ShortcutIcon m_icon = kDefaultShortcutIcon;
    QList<QToolButton *> m_buttons;
    QLabel *m_preview = nullptr;
};

} // namespace tovalin
