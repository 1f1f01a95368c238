#include "app/ui/picture_panel.h"

#include "app/ui/window_parts.h"
#include "themes/link_panel_layout.h"
#include "themes/ui/link_panel.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

namespace tovalin {

PicturePanel::PicturePanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Panel2"));
    setFixedWidth(81);
    parts::fillBackground(this, parts::kChildPanelColour);
    auto *lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);
    m_miniMenu = new QWidget(this);
    m_miniMenu->setObjectName(QStringLiteral("minimenu"));
    m_miniMenu->setFixedHeight(41);
    {
        // The parents' menu button while the navigation bar is hidden.
        auto *miniLay = new QHBoxLayout(m_miniMenu);
        miniLay->setContentsMargins(0, 0, 0, 0);
        auto *parents16 = parts::childButton(QStringLiteral("Image16"), pictures::Button::ParentsMenu,
                                             QCoreApplication::translate("tovalin::MainWindow", "Parents menu"),
                                             m_miniMenu);
        parents16->setIconSize(QSize(36, 36));
        m_parentsButton = parents16;
        connect(parents16, &QToolButton::clicked, this, &PicturePanel::parentsButtonClicked);
        miniLay->addWidget(parents16, 0, Qt::AlignCenter);
    }
    m_miniMenu->hide();
    lay->addWidget(m_miniMenu);
    auto scrollPanel = [this](const char *panelName, const char *buttonName, pictures::Button icon,
                              const QString &tip, QToolButton **button) {
        auto *panel = new QWidget(this);
        panel->setObjectName(QLatin1String(panelName));
        panel->setFixedHeight(linkpanel::kButtonPanelHeight);
        auto *panelLay = new QHBoxLayout(panel);
        panelLay->setContentsMargins(0, 0, 0, 0);
        *button = parts::childButton(QLatin1String(buttonName), icon, tip, panel);
        (*button)->setIconSize(QSize(44, 44));
        panelLay->addWidget(*button, 0, Qt::AlignCenter);
        return panel;
    };
    lay->addWidget(scrollPanel("Panel4", "ImgBtn8", pictures::Button::ScrollUp,
                               QCoreApplication::translate("tovalin::MainWindow", "Up"), &m_scrollUp));
    m_linkArea = new QWidget(this);
    m_linkArea->setObjectName(QStringLiteral("Panel6"));
    lay->addWidget(m_linkArea, 1);
    lay->addWidget(scrollPanel("Panel5", "ImgBtn9", pictures::Button::ScrollDown,
                               QCoreApplication::translate("tovalin::MainWindow", "Down"), &m_scrollDown));
}

LinkPanel *PicturePanel::showThemes(ThemeModel &model, ProgramState &state, const UserProfile &profile,
                                    SoundPlayer &sound, Browser &browser)
{
    if (m_linkPanel)
        return m_linkPanel;
    m_linkPanel = new LinkPanel(model, state, profile, sound, browser, m_linkArea, this);
    m_linkPanel->setScrollButtons(m_scrollUp, m_scrollDown);
    return m_linkPanel;
}

void PicturePanel::setMiniMenuVisible(bool visible)
{
    m_miniMenu->setVisible(visible);
}

} // namespace tovalin
