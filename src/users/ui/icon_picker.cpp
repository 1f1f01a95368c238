#include "users/ui/icon_picker.h"

#include "users/ui/users_look.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QToolButton>
#include <QVBoxLayout>

namespace tovalin {

namespace {

constexpr int kButtonIcon = 40;
constexpr int kPreview = 64;

QString objectNameOf(ShortcutIcon icon)
{
    switch (icon) {
    case ShortcutIcon::Blue: return QStringLiteral("iconBlue");
    case ShortcutIcon::Yellow: return QStringLiteral("iconYellow");
    case ShortcutIcon::Green: return QStringLiteral("iconGreen");
    case ShortcutIcon::Orange: return QStringLiteral("iconOrange");
    case ShortcutIcon::Purple: return QStringLiteral("iconPurple");
    case ShortcutIcon::Red: break;
    }
    return QStringLiteral("iconRed");
}

} // namespace

IconPicker::IconPicker(const QString &programFolder, QWidget *parent)
    : QWidget(parent)
    , m_programFolder(programFolder)
{
    auto *lay = new QHBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(24);

    auto *choice = new QVBoxLayout;
    choice->setSpacing(6);
    auto *selectLabel = new QLabel(tr("Select an icon:"), this);
    selectLabel->setObjectName(QStringLiteral("selectIconLabel"));
    choice->addWidget(selectLabel);
    auto *grid = new QGridLayout;
    grid->setSpacing(6);
    int column = 0;
    for (const ShortcutIcon icon : kShortcutIcons) {
        auto *b = new QToolButton(this);
        b->setObjectName(objectNameOf(icon));
        b->setIcon(QPixmap(shortcutIconPath(m_programFolder, icon)));
        b->setIconSize(QSize(kButtonIcon, kButtonIcon));
        b->setAutoRaise(true);
        b->setCheckable(true);
        b->setCursor(Qt::PointingHandCursor);
        b->setToolTip(shortcutIconName(icon));
        connect(b, &QToolButton::clicked, this, [this, icon] {
            setIcon(icon);
            emit iconChosen(icon);
        });
        grid->addWidget(b, 0, column++);
        m_buttons.append(b);
    }
    choice->addLayout(grid);
    choice->addStretch(1);
    lay->addLayout(choice);

    auto *chosen = new QVBoxLayout;
    chosen->setSpacing(6);
    auto *selectedLabel = new QLabel(tr("Selected:"), this);
    selectedLabel->setObjectName(QStringLiteral("selectedIconLabel"));
    chosen->addWidget(selectedLabel);
    m_preview = new QLabel(this);
    m_preview->setObjectName(QStringLiteral("selectedIcon"));
    m_preview->setFixedSize(kPreview, kPreview);
    m_preview->setScaledContents(true);
    chosen->addWidget(m_preview);
    chosen->addStretch(1);
    lay->addLayout(chosen);
    lay->addStretch(1);

    setIcon(kDefaultShortcutIcon);
}

QToolButton *IconPicker::button(ShortcutIcon icon) const
{
    for (qsizetype i = 0; i < m_buttons.size(); ++i)
        if (kShortcutIcons[size_t(i)] == icon)
            return m_buttons.at(i);
    return nullptr;
}

void IconPicker::setIcon(ShortcutIcon icon)
{
    m_icon = icon;
    m_preview->setPixmap(QPixmap(shortcutIconPath(m_programFolder, icon)));
    for (qsizetype i = 0; i < m_buttons.size(); ++i)
        m_buttons.at(i)->setChecked(kShortcutIcons[size_t(i)] == icon);
}

} // namespace tovalin
