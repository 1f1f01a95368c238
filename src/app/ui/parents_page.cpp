#include "app/ui/parents_page.h"

#include "app/ui/link_label.h"
#include "app/ui/window_parts.h"
#include "guard/category_filter.h"
#include "guard/ui/category_problem_label.h"
#include "guard/navigation_guard.h"
#include "guard/popup_guard.h"
#include "guard/site_lists.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace tovalin {

using parts::signLabel;


ParentsPage::ParentsPage(NavigationGuard &guard, SiteLists &lists, QWidget *parent)
    : QWidget(parent)
    , m_guard(guard)
{
    setObjectName(QStringLiteral("thematab"));
    auto *lay = new QVBoxLayout(this);
    lay->setContentsMargins(8, 6, 8, 6);

    auto *row = new QHBoxLayout;
    m_addressRow = row;
    // `navpan`: the parents' own navigation buttons; they play no sound.
    auto parentsButton = [this](const char *name, pictures::Button icon, const QString &tip) {
        auto *b = new QToolButton(this);
        b->setObjectName(QLatin1String(name));
        b->setIcon(pictures::button(icon, 48));
        b->setIconSize(QSize(24, 24));
        b->setAutoRaise(true);
        b->setToolTip(tip);
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    m_terug2 = parentsButton("terug2", pictures::Button::Back, QCoreApplication::translate("tovalin::MainWindow", "Back"));
    m_vooruit2 = parentsButton("vooruit2", pictures::Button::Forward,
                               QCoreApplication::translate("tovalin::MainWindow", "Forward"));
    auto *refresh2 = parentsButton("refresh2", pictures::Button::Refresh,
                                   QCoreApplication::translate("tovalin::MainWindow", "Refresh"));
    auto *stop2 = parentsButton("stop2", pictures::Button::Stop, QCoreApplication::translate("tovalin::MainWindow", "Stop"));
    auto *home2 = parentsButton("home2", pictures::Button::Home,
                                QCoreApplication::translate("tovalin::MainWindow", "Home page"));
    m_terug2->setEnabled(false);
    m_vooruit2->setEnabled(false);
    connect(m_terug2, &QToolButton::clicked, this, &ParentsPage::backClicked);
    connect(m_vooruit2, &QToolButton::clicked, this, &ParentsPage::forwardClicked);
    connect(refresh2, &QToolButton::clicked, this, &ParentsPage::refreshClicked);
    connect(stop2, &QToolButton::clicked, this, &ParentsPage::stopClicked);
    connect(home2, &QToolButton::clicked, this, &ParentsPage::homeClicked);
    for (QToolButton *b : {m_terug2, m_vooruit2, refresh2, stop2, home2})
        row->addWidget(b);
    m_adresedit = new QLineEdit(this);
    m_adresedit->setObjectName(QStringLiteral("adresedit"));
    connect(m_adresedit, &QLineEdit::returnPressed, this, &ParentsPage::goClicked);
    row->addWidget(m_adresedit, 1);
    auto *go2 = parentsButton("go2", pictures::Button::Go,
                              QCoreApplication::translate("tovalin::MainWindow", "Go to this address"));
    connect(go2, &QToolButton::clicked, this, &ParentsPage::goClicked);
    row->addWidget(go2);
    m_status2 = new QLabel(this);
    m_status2->setObjectName(QStringLiteral("status2"));
    m_status2->hide();
    m_toegestaan2 = signLabel(QStringLiteral("toegestaan2"), pictures::Sign::Allowed, 28, this);
    m_toegestaan2->setToolTip(QCoreApplication::translate("tovalin::MainWindow", "Suitable for children"));
    m_verboden2 = signLabel(QStringLiteral("verboden2"), pictures::Sign::Forbidden, 28, this);
    m_verboden2->setToolTip(QCoreApplication::translate("tovalin::MainWindow", "Not suitable for children"));
    m_kapot2 = signLabel(QStringLiteral("kapot2"), pictures::Sign::Broken, 28, this);
    m_kapot2->setCursor(Qt::PointingHandCursor);
    m_popupImage = signLabel(QStringLiteral("popupimage"), pictures::Sign::Loading, 28, this);
    m_popupImage->setToolTip(QCoreApplication::translate("tovalin::MainWindow", "The website was a pop-up"));
    for (QWidget *w : {static_cast<QWidget *>(m_status2), static_cast<QWidget *>(m_toegestaan2),
                       static_cast<QWidget *>(m_verboden2), static_cast<QWidget *>(m_kapot2),
                       static_cast<QWidget *>(m_popupImage)})
        row->addWidget(w);
    m_gauge2 = new QProgressBar(this);
    m_gauge2->setObjectName(QStringLiteral("Gauge2"));
    m_gauge2->setRange(0, 100);
    m_gauge2->setFixedWidth(120);
    row->addWidget(m_gauge2);
    lay->addLayout(row);

    auto *commands = new QHBoxLayout;
    m_acceptBlock = new LinkLabel(NavigationModel::blockActiveSiteText(), this);
    m_acceptBlock->setObjectName(QStringLiteral("accepteerblokkeer"));
    commands->addWidget(m_acceptBlock);
    commands->addSpacing(24);
    m_filterState = new QLabel(m_guard.filterStateCaption(), this);
    m_filterState->setObjectName(QStringLiteral("Label39"));
    m_filterSwitch = new LinkLabel(m_guard.filterLabelCaption(), this);
    m_filterSwitch->setObjectName(QStringLiteral("Label29"));
    // One state for the switch: the captions always show FilterOn, however it changed.
    connect(m_filterSwitch, &LinkLabel::clicked, this, [this] { m_guard.toggleFilter(); });
    connect(&m_guard, &NavigationGuard::filterCaptionsChanged, this, [this] {
        m_filterSwitch->setText(m_guard.filterLabelCaption());
        m_filterState->setText(m_guard.filterStateCaption());
    });
    commands->addWidget(m_filterState);
    commands->addWidget(m_filterSwitch);
    commands->addSpacing(24);
    m_popupImage->setPixmap(pictures::button(pictures::Button::Popup, 56).pixmap(28, 28));
    m_image34 = new QLabel(this);
    m_image34->setObjectName(QStringLiteral("Image34"));
    m_image34->setPixmap(pictures::button(pictures::Button::Popup, 40).pixmap(20, 20));
    m_image34->hide();
    m_label30 = new LinkLabel(PopupGuard::blockPopupText(), this);
    m_label30->setObjectName(QStringLiteral("Label30"));
    m_label30->hide();
    commands->addWidget(m_image34);
    commands->addWidget(m_label30);
    commands->addStretch(1);
    lay->addLayout(commands);
    // While a list file cannot be read the guard refuses every site but the start page's: the
    // parents see which file and why for as long as that lasts.
    auto *listProblem = new QLabel(this);
    listProblem->setObjectName(QStringLiteral("listProblem"));
    listProblem->setWordWrap(true);
    listProblem->setStyleSheet(QStringLiteral("color: rgb(190, 20, 20); font-weight: bold;"));
    auto showListProblem = [listProblem](const QString &problem) {
        listProblem->setText(problem.isEmpty() ? QString()
                                               : problem + u' '
                                                     + QCoreApplication::translate(
                                                         "tovalin::MainWindow",
                                                         "Every site except the start page's is refused until the "
                                                         "file can be read."));
        listProblem->setVisible(!problem.isEmpty());
    };
    showListProblem(lists.listProblem());
    connect(&lists, &SiteLists::listProblemChanged, listProblem, showListProblem);
    lay->addWidget(listProblem);
    if (const CategoryFilter *categories = lists.categoryFilter())
        lay->addWidget(new CategoryProblemLabel(*categories, this));
    lay->addStretch(1);
}

void ParentsPage::addToAddressRow(QWidget *widget)
{
    // Right after the address field, whose text the commands work on.
    m_addressRow->insertWidget(m_addressRow->indexOf(m_adresedit) + 1, widget);
}

void ParentsPage::showIndicator(NavState state, bool forbiddenVisible)
{
    const bool forbidden = state == NavState::Forbidden || state == NavState::Forbidden2;
    m_status2->setVisible(true);
    m_toegestaan2->setVisible(state == NavState::Ready || state == NavState::Loading);
    m_verboden2->setVisible(forbidden && forbiddenVisible);
    m_kapot2->setVisible(state == NavState::Broken);
}

void ParentsPage::setForbiddenVisible(bool visible)
{
    m_verboden2->setVisible(visible);
}

void ParentsPage::showPopupOffer(const QString &caption, bool visible)
{
    m_label30->setText(caption);
    m_label30->setVisible(visible);
    m_image34->setVisible(visible);
}

void ParentsPage::setCommandEnabled(BrowserCommand command, bool enabled)
{
    (command == BrowserCommand::Back ? m_terug2 : m_vooruit2)->setEnabled(enabled);
}

} // namespace tovalin
