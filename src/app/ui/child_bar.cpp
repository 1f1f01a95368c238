#include "app/ui/child_bar.h"

#include "app/ui/window_parts.h"
#include "users/user_profile.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace tovalin {

using parts::childButton;
using parts::signLabel;

ChildBar::ChildBar(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("navigatietab"));
    auto *tabLayout = new QVBoxLayout(this);
    tabLayout->setContentsMargins(6, 6, 6, 6);

    m_navBar = new QWidget(this);
    m_navBar->setObjectName(QStringLiteral("navigatiebalk"));
    parts::fillBackground(m_navBar, parts::kChildPanelColour);
    auto *bar = new QHBoxLayout(m_navBar);
    bar->setContentsMargins(8, 4, 8, 4);
    tabLayout->addWidget(m_navBar);

    // The indicator: forbidden, loading or broken, one at a time.
    auto *indicator = new QWidget(m_navBar);
    indicator->setFixedSize(64, 64);
    auto *stack = new QGridLayout(indicator);
    stack->setContentsMargins(0, 0, 0, 0);
    m_imgForbidden = signLabel(QStringLiteral("Image12"), pictures::Sign::Forbidden, 60, indicator);
    m_imgLoading = signLabel(QStringLiteral("Image13"), pictures::Sign::Loading, 60, indicator);
    m_imgBroken = signLabel(QStringLiteral("Image9"), pictures::Sign::Broken, 60, indicator);
    stack->addWidget(m_imgForbidden, 0, 0);
    stack->addWidget(m_imgLoading, 0, 0);
    stack->addWidget(m_imgBroken, 0, 0);
    // Image6 and Image7 are the forbidden and allowed marks of the bar's design; they stay hidden.
    signLabel(QStringLiteral("Image6"), pictures::Sign::Forbidden, 24, indicator);
    signLabel(QStringLiteral("Image7"), pictures::Sign::Allowed, 24, indicator);
    bar->addWidget(indicator);

    m_navButtons = new QWidget(m_navBar);
    m_navButtons->setObjectName(QStringLiteral("navigatieknoppen"));
    auto *buttons = new QHBoxLayout(m_navButtons);
    buttons->setContentsMargins(0, 0, 0, 0);
    m_btnBack = childButton(QStringLiteral("ImgBtn1"), pictures::Button::Back,
                            QCoreApplication::translate("tovalin::MainWindow", "Back"), m_navButtons);
    m_btnForward = childButton(QStringLiteral("ImgBtn2"), pictures::Button::Forward,
                               QCoreApplication::translate("tovalin::MainWindow", "Forward"), m_navButtons);
    auto *stop = childButton(QStringLiteral("ImgBtn3"), pictures::Button::Stop,
                             QCoreApplication::translate("tovalin::MainWindow", "Stop"), m_navButtons);
    auto *refresh = childButton(QStringLiteral("ImgBtn4"), pictures::Button::Refresh,
                                QCoreApplication::translate("tovalin::MainWindow", "Refresh"), m_navButtons);
    auto *home = childButton(QStringLiteral("ImgBtn5"), pictures::Button::Home,
                             QCoreApplication::translate("tovalin::MainWindow", "Home"), m_navButtons);
    for (QToolButton *b : {m_btnBack, m_btnForward, stop, refresh, home})
        buttons->addWidget(b);
    bar->addWidget(m_navButtons);
    connect(m_btnBack, &QToolButton::clicked, this, &ChildBar::backClicked);
    connect(m_btnForward, &QToolButton::clicked, this, &ChildBar::forwardClicked);
    connect(stop, &QToolButton::clicked, this, &ChildBar::stopClicked);
    connect(refresh, &QToolButton::clicked, this, &ChildBar::refreshClicked);
    connect(home, &QToolButton::clicked, this, &ChildBar::homeClicked);

    m_addressPanel = new QWidget(m_navBar);
    auto *addr = new QHBoxLayout(m_addressPanel);
    addr->setContentsMargins(8, 0, 0, 0);
    m_edit1 = new QLineEdit(m_addressPanel);
    m_edit1->setObjectName(QStringLiteral("Edit1"));
    m_edit1->setMinimumWidth(200);
    QFont big = m_edit1->font();
    big.setPointSize(big.pointSize() + 2);
    m_edit1->setFont(big);
    auto *go = childButton(QStringLiteral("ImgBtn6"), pictures::Button::Go,
                           QCoreApplication::translate("tovalin::MainWindow", "Go"), m_addressPanel);
    connect(go, &QToolButton::clicked, this, &ChildBar::goClicked);
    connect(m_edit1, &QLineEdit::returnPressed, this, &ChildBar::goClicked);
    addr->addWidget(m_edit1, 1);
    addr->addWidget(go);
    bar->addWidget(m_addressPanel, 1);

    m_btnPrint = childButton(QStringLiteral("ImgBtn7"), pictures::Button::Print,
                             QCoreApplication::translate("tovalin::MainWindow", "Print"), m_navBar);
    connect(m_btnPrint, &QToolButton::clicked, this, &ChildBar::printClicked);
    bar->addWidget(m_btnPrint);

    m_themePanel = new QWidget(m_navBar);
    m_themePanel->setObjectName(QStringLiteral("categoriepanel"));
    auto *themeLay = new QVBoxLayout(m_themePanel);
    themeLay->setContentsMargins(8, 0, 8, 0);
    auto *themeCaption = new QLabel(QCoreApplication::translate("tovalin::MainWindow", "Theme"), m_themePanel);
    themeCaption->setObjectName(QStringLiteral("Themalabel"));
    m_themeLabel = new QLabel(m_themePanel);
    m_themeLabel->setObjectName(QStringLiteral("Label3"));
    QFont bold = m_themeLabel->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    m_themeLabel->setFont(bold);
    themeLay->addWidget(themeCaption);
    themeLay->addWidget(m_themeLabel);
    bar->addWidget(m_themePanel);

    m_userPanel = new QWidget(m_navBar);
    m_userPanel->setObjectName(QStringLiteral("gebruikerpanel"));
    auto *userLay = new QVBoxLayout(m_userPanel);
    userLay->setContentsMargins(8, 0, 8, 0);
    userLay->addWidget(new QLabel(QCoreApplication::translate("tovalin::MainWindow", "User"), m_userPanel));
    m_userLabel = new QLabel(m_userPanel);
    m_userLabel->setObjectName(QStringLiteral("gebruikerlabel"));
    m_userLabel->setFont(bold);
    userLay->addWidget(m_userLabel);
    bar->addWidget(m_userPanel);

    // The parents' menu button.
    auto *parents = childButton(QStringLiteral("Image1"), pictures::Button::ParentsMenu,
                                QCoreApplication::translate("tovalin::MainWindow", "Parents menu"), m_navBar);
    connect(parents, &QToolButton::clicked, this, &ChildBar::parentsButtonClicked);
    bar->addWidget(parents);
    m_parentsButton = parents;

    m_exitPanel = new QWidget(m_navBar);
    m_exitPanel->setObjectName(QStringLiteral("sluitpanel"));
    auto *exitLay = new QHBoxLayout(m_exitPanel);
    exitLay->setContentsMargins(0, 0, 0, 0);
    auto *exit = childButton(QStringLiteral("Image5"), pictures::Button::Exit,
                             QCoreApplication::translate("tovalin::MainWindow", "Exit Tovalin"), m_exitPanel);
    connect(exit, &QToolButton::clicked, this, &ChildBar::exitClicked);
    exitLay->addWidget(exit);
    m_exitPanel->hide();
    bar->addWidget(m_exitPanel);

    m_btnBack->setEnabled(false);
    m_btnForward->setEnabled(false); // until the browser has a page to go forward to
}

void ChildBar::addBesideIndicator(QWidget *widget)
{
    static_cast<QBoxLayout *>(m_navBar->layout())->insertWidget(1, widget);
}

void ChildBar::setUserLabels(const QString &user, const QString &theme)
{
    m_userLabel->setText(user);
    m_themeLabel->setText(theme);
}

void ChildBar::applyWindowSettings(const UserProfile &profile)
{
    m_btnPrint->setVisible(!profile.Hideprint);
    m_exitPanel->setVisible(profile.Toonsluit);
    m_addressPanel->setVisible(!profile.Hideadres);
    m_navBar->setVisible(!profile.Hidenavbalk);
    m_navButtons->setVisible(!profile.Hidenavigatieknoppen);
    m_themePanel->setVisible(!profile.Hidethema);
    m_userPanel->setVisible(!profile.Hideuser);
}

void ChildBar::showIndicator(NavState state, bool forbiddenVisible)
{
    const bool forbidden = state == NavState::Forbidden || state == NavState::Forbidden2;
    m_imgLoading->setVisible(state == NavState::Loading);
    m_imgBroken->setVisible(state == NavState::Broken);
    m_imgForbidden->setVisible(forbidden && forbiddenVisible);
}

void ChildBar::setForbiddenVisible(bool visible)
{
    m_imgForbidden->setVisible(visible);
}

void ChildBar::setCommandEnabled(BrowserCommand command, bool enabled)
{
    (command == BrowserCommand::Back ? m_btnBack : m_btnForward)->setEnabled(enabled);
}

} // namespace tovalin
