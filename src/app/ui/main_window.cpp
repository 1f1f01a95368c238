#include "app/ui/main_window.h"

#include "state/language.h"

#include "app/ui/pictures.h"
#include "app/ui/theme_tab.h"
#include "clocks/ui/clock_views.h"
#include "guard/navigation_guard.h"
#include "guard/popup_guard.h"
#include "guard/site_lists.h"
#include "platform/browser.h"
#include "platform/sound.h"
#include "platform/webengine_browser.h"
#include "themes/link_panel_layout.h"
#include "themes/theme_model.h"
#include "themes/ui/link_panel.h"
#include "themes/ui/theme_chooser.h"
#include "users/user_profile.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace tovalin {

namespace {

// Colours of the parents' text links: over and otherwise.
const QColor kLinkHover(100, 149, 230);
const QColor kLinkNormal(33, 93, 198);
// The top panel's green.
const QColor kTopPanelColour(0x47, 0xD3, 0x52);

QLabel *pictureLabel(const QString &objectName, pictures::Sign sign, int size, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setPixmap(pictures::sign(sign, size));
    label->setFixedSize(size, size);
    label->hide();
    return label;
}

QToolButton *navButton(const QString &objectName, pictures::Button icon, const QString &tip, QWidget *parent)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(objectName);
    b->setIcon(pictures::button(icon, 96));
    b->setIconSize(QSize(48, 48));
    b->setAutoRaise(true);
    b->setToolTip(tip);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

void fillBackground(QWidget *w, const QColor &colour)
{
    w->setAutoFillBackground(true);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, colour);
    w->setPalette(pal);
}

} // namespace

LinkLabel::LinkLabel(const QString &text, QWidget *parent, Hover hover)
    : QLabel(text, parent)
    , m_hover(hover)
{
    setCursor(Qt::PointingHandCursor);
    setColour(false);
}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit clicked();
    QLabel::mousePressEvent(event);
}

void LinkLabel::enterEvent(QEnterEvent *event)
{
    setColour(true);
    QLabel::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent *event)
{
    setColour(false);
    QLabel::leaveEvent(event);
}

void LinkLabel::setColour(bool hover)
{
    QPalette pal = palette();
    if (m_hover == Hover::Underline) {
        QFont f = font();
        f.setUnderline(hover);
        setFont(f);
        pal.setColor(QPalette::WindowText, kLinkNormal);
    } else {
        pal.setColor(QPalette::WindowText, hover ? kLinkHover : kLinkNormal);
    }
    setPalette(pal);
}

MainWindow::MainWindow(MainWindowContext context, Browser &browser, QWidget *browserView, QWidget *parent)
    : QWidget(parent)
    , m_ctx(context)
    , m_browser(browser)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(tr("Tovalin 3.0"));
    setWindowIcon(pictures::appIcon());

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(buildMenuBar());
    outer->addWidget(buildTopPanel());

    auto *tovalinWindow = new QWidget(this);
    tovalinWindow->setObjectName(QStringLiteral("tovalinwindow"));
    auto *middle = new QHBoxLayout(tovalinWindow);
    middle->setContentsMargins(0, 0, 0, 0);
    middle->setSpacing(0);
    middle->addWidget(buildLinkColumn());
    middle->addWidget(buildBrowserArea(browserView), 1);
    outer->addWidget(tovalinWindow, 1);

    // The switch clock's strip sits at the bottom of the browser area, just above the time clock's gauge.
    m_switchStrip = new QWidget(this);
    m_switchStrip->setObjectName(QStringLiteral("Panel15"));
    m_switchStrip->setFixedHeight(35);
    m_switchStrip->hide();
    outer->addWidget(m_switchStrip);

    m_timeGauge = new QProgressBar(this);
    m_timeGauge->setObjectName(QStringLiteral("ProgressBar1"));
    m_timeGauge->setRange(0, 1000);
    m_timeGauge->setValue(0);
    m_timeGauge->hide();
    outer->addWidget(m_timeGauge);

    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("StatusBar1"));
    m_statusBar->setSizeGripEnabled(false);
    outer->addWidget(m_statusBar);

    // Timers of the window. The foreign-window guard, the update check, the
    // switch clock and the late pop-up clear attach to them as they are built.
    auto makeTimer = [this](const char *name, int ms, bool singleShot) {
        auto *t = new QTimer(this);
        t->setObjectName(QLatin1String(name));
        t->setInterval(ms);
        t->setSingleShot(singleShot);
        return t;
    };
    m_timer1 = makeTimer("Timer1", 1000, false);
    m_timer2 = makeTimer("Timer2", 5000, true);
    m_vertrager = makeTimer("vertrager", 3000, true);
    m_wisseltimer = makeTimer("wisseltimer", 2000, false);
    m_updatetimer = makeTimer("updatetimer", 5000, false);
    connect(m_timer2, &QTimer::timeout, this, [this] {
        emit firstRunWizardDue();
        m_ctx.state.FirstRun = false;
    });

    wireBrowser();
    wireIndicator();

    m_ctx.state.ClickPending = false;
    m_ctx.state.PopupShown = false;
    m_pageControl2->setCurrentWidget(m_navigatieTab);
    m_pageControl1->setCurrentWidget(m_browserPage);
    m_btnBack->setEnabled(false);
    m_btnForward->setEnabled(false); // until the browser has a page to go forward to

    qApp->installEventFilter(this);
}

MainWindow::~MainWindow()
{
    // The application's event filter must not reach a window half destroyed.
    qApp->removeEventFilter(this);
}

QWidget *MainWindow::buildMenuBar()
{
    m_menuBar = new QWidget(this);
    m_menuBar->setObjectName(QStringLiteral("Panel33"));
    m_menuBar->setFixedHeight(25);
    fillBackground(m_menuBar, QColor(235, 240, 250));
    auto *row = new QHBoxLayout(m_menuBar);
    row->setContentsMargins(8, 0, 4, 0);
    row->setSpacing(21 - 16);
    const struct {
        const char *name;
        const char *text;
    } entries[] = {
        {"Label45", QT_TR_NOOP("Theme's")},   {"Label46", QT_TR_NOOP("Users")},
        {"Label48", QT_TR_NOOP("Clocks")},    {"Label50", QT_TR_NOOP("Help")},
        {"Label51", QT_TR_NOOP("Create homepage")}, {"Label47", QT_TR_NOOP("Lock menu")},
        {"Label44", QT_TR_NOOP("Exit Tovalin")},
    };
    // Each entry: a 16-pixel icon, the label 21 pixels after the icon's left, the
    // next icon 36 pixels after the label's width from this icon's left.
    const QColor iconColours[] = {QColor(71, 211, 82), QColor(40, 150, 230), QColor(250, 170, 30), QColor(150, 90, 210),
                                  QColor(120, 190, 60), QColor(60, 60, 160), QColor(220, 60, 50)};
    int iconIndex = 0;
    for (const auto &e : entries) {
        auto *icon = new QLabel(m_menuBar);
        icon->setPixmap(pictures::menuIcon(iconColours[iconIndex++], 16));
        icon->setFixedSize(16, 16);
        row->addWidget(icon);
        // "Exit Tovalin" is underlined under the mouse; the other entries change colour.
        auto *label = new LinkLabel(tr(e.text), m_menuBar,
                                    qstrcmp(e.name, "Label44") == 0 ? LinkLabel::Hover::Underline : LinkLabel::Hover::Colour);
        label->setObjectName(QLatin1String(e.name));
        row->addWidget(label);
        row->addSpacing(36 - 21 - row->spacing());
        if (qstrcmp(e.name, "Label44") == 0)
            connect(label, &LinkLabel::clicked, this, &MainWindow::quitProgram);
        if (qstrcmp(e.name, "Label50") == 0)
            connect(label, &LinkLabel::clicked, this, &MainWindow::showHelp);
        if (qstrcmp(e.name, "Label45") == 0)
            connect(label, &LinkLabel::clicked, this, [this] { showParentsPage(true); });
    }
    row->addStretch(1);
    auto *close = new QToolButton(m_menuBar);
    m_menuClose = close;
    close->setObjectName(QStringLiteral("Image49"));
    close->setIcon(pictures::button(pictures::Button::Close, 32));
    close->setAutoRaise(true);
    close->setToolTip(tr("Close menu"));
    connect(close, &QToolButton::clicked, this, [this] { setParentsMenuOpen(false); });
    row->addWidget(close);
    m_menuBar->hide();
    return m_menuBar;
}

QWidget *MainWindow::buildTopPanel()
{
    m_topPanel = new QWidget(this);
    m_topPanel->setObjectName(QStringLiteral("Panel9"));
    m_topPanel->setFixedHeight(kTopPanelChildHeight);
    fillBackground(m_topPanel, kTopPanelColour);
    auto *lay = new QVBoxLayout(m_topPanel);
    lay->setContentsMargins(0, 0, 0, 0);
    m_pageControl2 = new QStackedWidget(m_topPanel);
    m_pageControl2->setObjectName(QStringLiteral("PageControl2"));
    m_navigatieTab = buildNavigationBar();
    m_themeTabPages = new ThemeTab(buildParentsPage());
    m_themaTab = m_themeTabPages;
    connect(m_themeTabPages, &ThemeTab::closeRequested, this, [this] {
        // "Close": back to the child's bar at its own height.
        showParentsPage(false);
        m_topPanel->setFixedHeight(kTopPanelChildHeight);
    });
    m_pageControl2->addWidget(m_navigatieTab);
    m_pageControl2->addWidget(m_themaTab);
    lay->addWidget(m_pageControl2);
    return m_topPanel;
}

QWidget *MainWindow::buildNavigationBar()
{
    auto *tab = new QWidget;
    tab->setObjectName(QStringLiteral("navigatietab"));
    auto *tabLayout = new QVBoxLayout(tab);
    tabLayout->setContentsMargins(6, 6, 6, 6);

    m_navBar = new QWidget(tab);
    m_navBar->setObjectName(QStringLiteral("navigatiebalk"));
    fillBackground(m_navBar, QColor(250, 250, 235));
    auto *bar = new QHBoxLayout(m_navBar);
    bar->setContentsMargins(8, 4, 8, 4);
    tabLayout->addWidget(m_navBar);

    // The indicator: forbidden, loading or broken, one at a time.
    auto *indicator = new QWidget(m_navBar);
    indicator->setFixedSize(64, 64);
    auto *stack = new QGridLayout(indicator);
    stack->setContentsMargins(0, 0, 0, 0);
    m_imgForbidden = pictureLabel(QStringLiteral("Image12"), pictures::Sign::Forbidden, 60, indicator);
    m_imgLoading = pictureLabel(QStringLiteral("Image13"), pictures::Sign::Loading, 60, indicator);
    m_imgBroken = pictureLabel(QStringLiteral("Image9"), pictures::Sign::Broken, 60, indicator);
    stack->addWidget(m_imgForbidden, 0, 0);
    stack->addWidget(m_imgLoading, 0, 0);
    stack->addWidget(m_imgBroken, 0, 0);
    // Image6 and Image7 are the forbidden and allowed marks of the bar's design; they stay hidden.
    pictureLabel(QStringLiteral("Image6"), pictures::Sign::Forbidden, 24, indicator);
    pictureLabel(QStringLiteral("Image7"), pictures::Sign::Allowed, 24, indicator);
    bar->addWidget(indicator);

    m_navButtons = new QWidget(m_navBar);
    m_navButtons->setObjectName(QStringLiteral("navigatieknoppen"));
    auto *buttons = new QHBoxLayout(m_navButtons);
    buttons->setContentsMargins(0, 0, 0, 0);
    m_btnBack = navButton(QStringLiteral("ImgBtn1"), pictures::Button::Back, tr("Back"), m_navButtons);
    m_btnForward = navButton(QStringLiteral("ImgBtn2"), pictures::Button::Forward, tr("Forward"), m_navButtons);
    auto *stop = navButton(QStringLiteral("ImgBtn3"), pictures::Button::Stop, tr("Stop"), m_navButtons);
    auto *refresh = navButton(QStringLiteral("ImgBtn4"), pictures::Button::Refresh, tr("Refresh"), m_navButtons);
    auto *home = navButton(QStringLiteral("ImgBtn5"), pictures::Button::Home, tr("Home"), m_navButtons);
    for (QToolButton *b : {m_btnBack, m_btnForward, stop, refresh, home})
        buttons->addWidget(b);
    bar->addWidget(m_navButtons);

    connect(m_btnBack, &QToolButton::clicked, this, [this] {
        // Leaving the video page is silent: the player stops and the browser shows again.
        if (m_pageControl1->currentWidget() == m_videoPage) {
            m_pageControl1->setCurrentWidget(m_browserPage);
            emit videoPlaybackStopRequested();
            return;
        }
        playClick();
        if (m_pageControl1->currentWidget() == m_hiddenEmbedded) {
            m_pageControl1->setCurrentWidget(m_browserPage);
            return;
        }
        BeginUserNavigation();
        m_browser.goBack();
    });
    connect(m_btnForward, &QToolButton::clicked, this, [this] {
        playClick();
        BeginUserNavigation();
        m_browser.goForward();
    });
    connect(stop, &QToolButton::clicked, this, [this] {
        playClick();
        m_browser.stop();
    });
    connect(refresh, &QToolButton::clicked, this, [this] {
        playClick();
        BeginUserNavigation();
        m_browser.refresh();
        m_edit1->setText(m_browser.location());
    });
    connect(home, &QToolButton::clicked, this, [this] {
        playClick();
        BeginUserNavigation();
        goToStartPage();
    });

    m_addressPanel = new QWidget(m_navBar);
    auto *addr = new QHBoxLayout(m_addressPanel);
    addr->setContentsMargins(8, 0, 0, 0);
    m_edit1 = new QLineEdit(m_addressPanel);
    m_edit1->setObjectName(QStringLiteral("Edit1"));
    m_edit1->setMinimumWidth(200);
    QFont big = m_edit1->font();
    big.setPointSize(big.pointSize() + 2);
    m_edit1->setFont(big);
    auto *go = navButton(QStringLiteral("ImgBtn6"), pictures::Button::Go, tr("Go"), m_addressPanel);
    auto goToTyped = [this] {
        playClick();
        QString address = m_edit1->text().trimmed();
        if (address.isEmpty())
            return;
        // A typed https address is a web address as it stands, and so is one whose
        // scheme is typed in capitals: neither may become "http://https://...".
        if (!address.startsWith(u"http://", Qt::CaseInsensitive) && !address.startsWith(u"https://", Qt::CaseInsensitive))
            address.prepend(QStringLiteral("http://"));
        m_edit1->setText(address);
        BeginUserNavigation();
        m_browser.navigate(address);
    };
    connect(go, &QToolButton::clicked, this, goToTyped);
    connect(m_edit1, &QLineEdit::returnPressed, this, goToTyped);
    addr->addWidget(m_edit1, 1);
    addr->addWidget(go);
    bar->addWidget(m_addressPanel, 1);

    m_btnPrint = navButton(QStringLiteral("ImgBtn7"), pictures::Button::Print, tr("Print"), m_navBar);
    connect(m_btnPrint, &QToolButton::clicked, this, [this] {
        playClick();
        printPage();
    });
    bar->addWidget(m_btnPrint);

    m_themePanel = new QWidget(m_navBar);
    m_themePanel->setObjectName(QStringLiteral("categoriepanel"));
    auto *themeLay = new QVBoxLayout(m_themePanel);
    themeLay->setContentsMargins(8, 0, 8, 0);
    auto *themeCaption = new QLabel(tr("Theme"), m_themePanel);
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
    userLay->addWidget(new QLabel(tr("User"), m_userPanel));
    m_userLabel = new QLabel(m_userPanel);
    m_userLabel->setObjectName(QStringLiteral("gebruikerlabel"));
    m_userLabel->setFont(bold);
    userLay->addWidget(m_userLabel);
    bar->addWidget(m_userPanel);

    // The parents' menu button.
    auto *parents = navButton(QStringLiteral("Image1"), pictures::Button::ParentsMenu, tr("Parents menu"), m_navBar);
    connect(parents, &QToolButton::clicked, this, &MainWindow::parentsButtonClicked);
    bar->addWidget(parents);

    m_exitPanel = new QWidget(m_navBar);
    m_exitPanel->setObjectName(QStringLiteral("sluitpanel"));
    auto *exitLay = new QHBoxLayout(m_exitPanel);
    exitLay->setContentsMargins(0, 0, 0, 0);
    auto *exit = navButton(QStringLiteral("Image5"), pictures::Button::Exit, tr("Exit Tovalin"), m_exitPanel);
    connect(exit, &QToolButton::clicked, this, &MainWindow::quitProgram);
    exitLay->addWidget(exit);
    m_exitPanel->hide();
    bar->addWidget(m_exitPanel);
    return tab;
}

QWidget *MainWindow::buildParentsPage()
{
    auto *tab = new QWidget;
    tab->setObjectName(QStringLiteral("thematab"));
    auto *lay = new QVBoxLayout(tab);
    lay->setContentsMargins(8, 6, 8, 6);

    auto *row = new QHBoxLayout;
    m_parentsAddressRow = row;
    // `navpan`: the parents' own navigation buttons; they play no sound.
    auto parentsButton = [tab](const char *name, pictures::Button icon, const QString &text) {
        auto *b = new QToolButton(tab);
        b->setObjectName(QLatin1String(name));
        b->setIcon(pictures::button(icon, 48));
        b->setIconSize(QSize(24, 24));
        b->setAutoRaise(true);
        b->setToolTip(text);
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    auto *terug2 = parentsButton("terug2", pictures::Button::Back, tr("Back"));
    auto *vooruit2 = parentsButton("vooruit2", pictures::Button::Forward, tr("Forward"));
    auto *refresh2 = parentsButton("refresh2", pictures::Button::Refresh, tr("Refresh"));
    auto *stop2 = parentsButton("stop2", pictures::Button::Stop, tr("Stop"));
    auto *home2 = parentsButton("home2", pictures::Button::Home, tr("Home page"));
    terug2->setEnabled(false);
    vooruit2->setEnabled(false);
    m_terug2 = terug2;
    m_vooruit2 = vooruit2;
    connect(terug2, &QToolButton::clicked, this, [this] {
        BeginUserNavigation();
        m_browser.goBack();
    });
    connect(vooruit2, &QToolButton::clicked, this, [this] {
        BeginUserNavigation();
        m_browser.goForward();
    });
    connect(refresh2, &QToolButton::clicked, this, [this] {
        BeginUserNavigation();
        m_browser.refresh();
    });
    connect(stop2, &QToolButton::clicked, this, [this] { m_browser.stop(); });
    connect(home2, &QToolButton::clicked, this, [this] {
        BeginUserNavigation();
        goToStartPage();
    });
    for (QToolButton *b : {terug2, vooruit2, refresh2, stop2, home2})
        row->addWidget(b);
    m_adresedit = new QLineEdit(tab);
    m_adresedit->setObjectName(QStringLiteral("adresedit"));
    connect(m_adresedit, &QLineEdit::returnPressed, this, [this] {
        BeginUserNavigation();
        m_browser.navigate(m_adresedit->text().trimmed());
    });
    row->addWidget(m_adresedit, 1);
    auto *go2 = parentsButton("go2", pictures::Button::Go, tr("Go to this address"));
    connect(go2, &QToolButton::clicked, this, [this] {
        BeginUserNavigation();
        m_browser.navigate(m_adresedit->text().trimmed());
    });
    row->addWidget(go2);
    m_status2 = new QLabel(tab);
    m_status2->setObjectName(QStringLiteral("status2"));
    m_status2->hide();
    m_toegestaan2 = pictureLabel(QStringLiteral("toegestaan2"), pictures::Sign::Allowed, 28, tab);
    m_toegestaan2->setToolTip(tr("Suitable for children"));
    m_verboden2 = pictureLabel(QStringLiteral("verboden2"), pictures::Sign::Forbidden, 28, tab);
    m_verboden2->setToolTip(tr("Not suitable for children"));
    m_kapot2 = pictureLabel(QStringLiteral("kapot2"), pictures::Sign::Broken, 28, tab);
    m_kapot2->setCursor(Qt::PointingHandCursor);
    m_popupImage = pictureLabel(QStringLiteral("popupimage"), pictures::Sign::Loading, 28, tab);
    m_popupImage->setToolTip(tr("The website was a pop-up"));
    for (QWidget *w : {static_cast<QWidget *>(m_status2), static_cast<QWidget *>(m_toegestaan2),
                       static_cast<QWidget *>(m_verboden2), static_cast<QWidget *>(m_kapot2),
                       static_cast<QWidget *>(m_popupImage)})
        row->addWidget(w);
    m_gauge2 = new QProgressBar(tab);
    m_gauge2->setObjectName(QStringLiteral("Gauge2"));
    m_gauge2->setRange(0, 100);
    m_gauge2->setFixedWidth(120);
    row->addWidget(m_gauge2);
    lay->addLayout(row);

    auto *commands = new QHBoxLayout;
    m_acceptBlock = new LinkLabel(NavigationModel::blockActiveSiteText(), tab);
    m_acceptBlock->setObjectName(QStringLiteral("accepteerblokkeer"));
    commands->addWidget(m_acceptBlock);
    commands->addSpacing(24);
    m_filterState = new QLabel(m_ctx.guard.filterStateCaption(), tab);
    m_filterState->setObjectName(QStringLiteral("Label39"));
    m_filterSwitch = new LinkLabel(m_ctx.guard.filterLabelCaption(), tab);
    m_filterSwitch->setObjectName(QStringLiteral("Label29"));
    // One state for the switch: the captions always show FilterOn, however it changed.
    connect(m_filterSwitch, &LinkLabel::clicked, this, [this] { m_ctx.guard.toggleFilter(); });
    connect(&m_ctx.guard, &NavigationGuard::filterCaptionsChanged, this, [this] {
        m_filterSwitch->setText(m_ctx.guard.filterLabelCaption());
        m_filterState->setText(m_ctx.guard.filterStateCaption());
    });
    commands->addWidget(m_filterState);
    commands->addWidget(m_filterSwitch);
    commands->addSpacing(24);
    m_popupImage->setPixmap(pictures::button(pictures::Button::Popup, 56).pixmap(28, 28));
    m_image34 = new QLabel(tab);
    m_image34->setObjectName(QStringLiteral("Image34"));
    m_image34->setPixmap(pictures::button(pictures::Button::Popup, 40).pixmap(20, 20));
    m_image34->hide();
    m_label30 = new LinkLabel(PopupGuard::blockPopupText(), tab);
    m_label30->setObjectName(QStringLiteral("Label30"));
    m_label30->hide();
    commands->addWidget(m_image34);
    commands->addWidget(m_label30);
    commands->addStretch(1);
    lay->addLayout(commands);
    // While a list file cannot be read the guard refuses every site but the start page's: the
    // parents see which file and why for as long as that lasts.
    auto *listProblem = new QLabel(tab);
    listProblem->setObjectName(QStringLiteral("listProblem"));
    listProblem->setWordWrap(true);
    listProblem->setStyleSheet(QStringLiteral("color: rgb(190, 20, 20); font-weight: bold;"));
    auto showListProblem = [listProblem](const QString &problem) {
        listProblem->setText(problem.isEmpty() ? QString()
                                               : problem + u' '
                                                     + tr("Every site except the start page's is refused until the "
                                                          "file can be read."));
        listProblem->setVisible(!problem.isEmpty());
    };
    showListProblem(m_ctx.lists.listProblem());
    connect(&m_ctx.lists, &SiteLists::listProblemChanged, listProblem, showListProblem);
    lay->addWidget(listProblem);
    lay->addStretch(1);
    return tab;
}

QWidget *MainWindow::buildLinkColumn()
{
    m_linkColumn = new QWidget(this);
    m_linkColumn->setObjectName(QStringLiteral("Panel2"));
    m_linkColumn->setFixedWidth(81);
    fillBackground(m_linkColumn, QColor(250, 250, 235));
    auto *lay = new QVBoxLayout(m_linkColumn);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(0);
    m_miniMenu = new QWidget(m_linkColumn);
    m_miniMenu->setObjectName(QStringLiteral("minimenu"));
    m_miniMenu->setFixedHeight(41);
    {
        // The parents' menu button while the navigation bar is hidden.
        auto *miniLay = new QHBoxLayout(m_miniMenu);
        miniLay->setContentsMargins(0, 0, 0, 0);
        auto *parents16 = navButton(QStringLiteral("Image16"), pictures::Button::ParentsMenu, tr("Parents menu"), m_miniMenu);
        parents16->setIconSize(QSize(36, 36));
        connect(parents16, &QToolButton::clicked, this, &MainWindow::parentsButtonClicked);
        miniLay->addWidget(parents16, 0, Qt::AlignCenter);
    }
    m_miniMenu->hide();
    lay->addWidget(m_miniMenu);
    auto scrollPanel = [this](const char *panelName, const char *buttonName, pictures::Button icon,
                              const QString &tip, QToolButton **button) {
        auto *panel = new QWidget(m_linkColumn);
        panel->setObjectName(QLatin1String(panelName));
        panel->setFixedHeight(linkpanel::kButtonPanelHeight);
        auto *panelLay = new QHBoxLayout(panel);
        panelLay->setContentsMargins(0, 0, 0, 0);
        *button = navButton(QLatin1String(buttonName), icon, tip, panel);
        (*button)->setIconSize(QSize(44, 44));
        panelLay->addWidget(*button, 0, Qt::AlignCenter);
        return panel;
    };
    lay->addWidget(scrollPanel("Panel4", "ImgBtn8", pictures::Button::ScrollUp, tr("Up"), &m_scrollUp));
    m_linkArea = new QWidget(m_linkColumn);
    m_linkArea->setObjectName(QStringLiteral("Panel6"));
    lay->addWidget(m_linkArea, 1);
    lay->addWidget(scrollPanel("Panel5", "ImgBtn9", pictures::Button::ScrollDown, tr("Down"), &m_scrollDown));
    return m_linkColumn;
}

QWidget *MainWindow::buildBrowserArea(QWidget *browserView)
{
    auto *area = new QWidget(this);
    area->setObjectName(QStringLiteral("MainWindow"));
    auto *lay = new QVBoxLayout(area);
    lay->setContentsMargins(0, 0, 0, 0);
    m_pageControl1 = new QStackedWidget(area);
    m_pageControl1->setObjectName(QStringLiteral("PageControl1"));
    lay->addWidget(m_pageControl1);

    m_browserPage = new QWidget;
    m_browserPage->setObjectName(QStringLiteral("BrowserPage"));
    // Its resizes reach eventFilter through the program-wide filter installed in the constructor.
    m_sizeablePanel = new SizeablePanel(m_browserPage);
    auto *panelLay = new QVBoxLayout(m_sizeablePanel);
    panelLay->setContentsMargins(0, 0, 0, 0);
    auto *panel41 = new QWidget(m_sizeablePanel);
    panel41->setObjectName(QStringLiteral("Panel41"));
    panel41->setFixedHeight(0);
    panelLay->addWidget(panel41);
    browserView->setParent(m_sizeablePanel);
    browserView->setObjectName(QStringLiteral("EmbeddedWB1"));
    panelLay->addWidget(browserView, 1);
    m_refusedList = new QListWidget(m_browserPage);
    m_refusedList->setObjectName(QStringLiteral("ListBox1"));
    m_refusedList->hide();

    m_selectPage = new QWidget;
    m_selectPage->setObjectName(QStringLiteral("SelectPage"));
    m_hiddenEmbedded = new QWidget;
    m_hiddenEmbedded->setObjectName(QStringLiteral("HiddenEmbedded"));
    m_timeupPage = new QWidget;
    m_timeupPage->setObjectName(QStringLiteral("Timeup"));
    // Its picture `Image11` and the yellow "Time's up!" panel `Panel47` come with the time clock.
    fillTimeUpPage(m_timeupPage);
    m_videoPage = new QWidget;
    m_videoPage->setObjectName(QStringLiteral("video"));
    for (QWidget *page : {m_browserPage, m_selectPage, m_hiddenEmbedded, m_timeupPage, m_videoPage})
        m_pageControl1->addWidget(page);
    return area;
}

void MainWindow::wireBrowser()
{
    connect(&m_browser, &Browser::statusTextChanged, this, [this](const QString &text) { m_statusBar->showMessage(text); });
    connect(&m_browser, &Browser::progressChanged, this, [this](int progress, int maximum) {
        if (progress < 0 || maximum <= 0)
            return;
        const int percent = qRound(progress * 100.0 / maximum);
        if (percent < 100)
            m_gauge2->setValue(percent);
    });
    connect(&m_browser, &Browser::commandStateChanged, this, [this](BrowserCommand command, bool enabled) {
        (command == BrowserCommand::Back ? m_btnBack : m_btnForward)->setEnabled(enabled);
        (command == BrowserCommand::Back ? m_terug2 : m_vooruit2)->setEnabled(enabled);
    });
    // A click inside the page waits for the link navigation it may start, which a busy engine
    // may begin well after the click window.
    connect(&m_browser, &Browser::documentClicked, this, [this] { m_ctx.state.openPageClick(); });
    connect(&m_ctx.guard, &NavigationGuard::progressGaugeSet, m_gauge2, &QProgressBar::setValue);
    connect(&m_ctx.guard, &NavigationGuard::popupMarkerShown, m_popupImage, &QWidget::setVisible);
    connect(&m_ctx.guard, &NavigationGuard::aboutBlankReached, this,
            [this] { m_pageControl1->setCurrentWidget(m_browserPage); });
}

void MainWindow::wireIndicator()
{
    NavigationModel &nav = m_ctx.nav;
    connect(&nav, &NavigationModel::navStateChanged, this, &MainWindow::showIndicator);
    connect(&nav, &NavigationModel::forbiddenVisibleChanged, this, [this](bool visible) {
        m_imgForbidden->setVisible(visible);
        m_verboden2->setVisible(visible);
    });
    connect(&nav, &NavigationModel::acceptBlockCaptionChanged, m_acceptBlock, &QLabel::setText);
    connect(&nav, &NavigationModel::addressDisplaysSet, this, [this](const QString &address) {
        m_edit1->setText(address);
        m_adresedit->setText(address);
    });
    connect(&nav, &NavigationModel::refusedListChanged, this, [this] {
        m_refusedList->clear();
        m_refusedList->addItems(m_ctx.nav.refusedList());
    });
    showIndicator(nav.navState());
}

void MainWindow::showIndicator(NavState state)
{
    const bool forbidden = state == NavState::Forbidden || state == NavState::Forbidden2;
    m_imgLoading->setVisible(state == NavState::Loading);
    m_imgBroken->setVisible(state == NavState::Broken);
    m_imgForbidden->setVisible(forbidden && m_ctx.nav.forbiddenVisible());
    m_status2->setVisible(true);
    m_toegestaan2->setVisible(state == NavState::Ready || state == NavState::Loading);
    m_verboden2->setVisible(forbidden && m_ctx.nav.forbiddenVisible());
    m_kapot2->setVisible(state == NavState::Broken);
}

void MainWindow::BeginUserNavigation()
{
    // A running video transfer ends (its abort flag) before the new navigation starts.
    emit transfersCancelRequested();
    fitBrowserPanel();
    // The command's own navigation opens the new sequence, however long the engine takes to start it.
    m_ctx.state.openHostNavigation();
    m_ctx.nav.clearNavlijst();
    m_ctx.nav.clearRefused();
}

void MainWindow::fitBrowserPanel()
{
    m_sizeablePanel->fillPage();
}

void MainWindow::goToStartPage()
{
    const QString start = m_ctx.profile.StartURL;
    if (!start.isEmpty())
        m_browser.navigate(start);
}

void MainWindow::playClick()
{
    m_ctx.sound.play(m_ctx.state.soundPath(QStringLiteral("klik.wav")));
}

void MainWindow::setParentsMenuOpen(bool open)
{
    const bool wasOpen = !m_menuBar->isHidden();
    m_menuBar->setVisible(open);
    m_topPanel->setFixedHeight(open ? kTopPanelParentsHeight : kTopPanelChildHeight);
    if (!open)
        showParentsPage(false);
    if (open != wasOpen)
        emit parentsMenuOpenChanged(open);
}

bool MainWindow::parentsMenuOpen() const
{
    return m_menuBar->isVisible();
}

void MainWindow::showParentsPage(bool parentsPage)
{
    const bool wasShown = parentsPageShown();
    m_pageControl2->setCurrentWidget(parentsPage ? m_themaTab : m_navigatieTab);
    if (parentsPage && !wasShown)
        themeTabShown();
    else if (!parentsPage && wasShown)
        themeTabHidden();
    if (parentsPage) {
        // Opened from the menu bar: the tab starts on its navigate-browser page.
        m_topPanel->setFixedHeight(kTopPanelParentsHeight);
        m_topPanel->show();
        m_themeTabPages->showPage(m_themeTabPages->navigatePage());
    }
    if (!parentsPage) {
        // Back on the child's page the filter is always on again and the top panel is the child's.
        m_ctx.guard.childPageShown();
        m_topPanel->setFixedHeight(kTopPanelChildHeight);
    }
}

bool MainWindow::parentsPageShown() const
{
    return m_pageControl2->currentWidget() == m_themaTab;
}

void MainWindow::setUserLabels(const QString &user, const QString &theme)
{
    m_userLabel->setText(user);
    m_themeLabel->setText(theme);
}

void MainWindow::applyWindowSettings(const UserProfile &profile)
{
    m_btnPrint->setVisible(!profile.Hideprint);
    m_exitPanel->setVisible(profile.Toonsluit);
    m_addressPanel->setVisible(!profile.Hideadres);
    m_navBar->setVisible(!profile.Hidenavbalk);
    m_miniMenu->setVisible(profile.Hidenavbalk);
    m_navButtons->setVisible(!profile.Hidenavigatieknoppen);
    m_themePanel->setVisible(!profile.Hidethema);
    m_userPanel->setVisible(!profile.Hideuser);
}

void MainWindow::showHelp()
{
    // The help page in the interface's language, in the desktop's own browser.
    const QString help = helpPagePath(m_ctx.state.ProgramFolder, activeLanguage());
    if (!QFileInfo::exists(help)) {
        QMessageBox::information(this, windowTitle(), tr("The help file cannot be found:\n%1").arg(help));
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(help));
}

void MainWindow::addToParentsAddressRow(QWidget *widget)
{
    // Right after the address field, whose text the commands work on.
    m_parentsAddressRow->insertWidget(m_parentsAddressRow->indexOf(m_adresedit) + 1, widget);
}

LinkLabel *MainWindow::menuBarLink(const QString &objectName) const
{
    return m_menuBar->findChild<LinkLabel *>(objectName);
}

void MainWindow::quitProgram()
{
    emit transfersCancelRequested();
    m_ctx.state.QuitRequested = true;
    close();
}

void MainWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    fitBrowserPanel();
    m_ctx.state.LastURL = m_ctx.profile.StartURL;
    goToStartPage();
    // An X session without a window manager never activates the window: the
    // wizard of a first start is then due five seconds after the window shows.
    if (m_ctx.state.FirstRun && !m_timer2->isActive())
        m_timer2->start();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // With key combinations blocked only the exit commands end the program.
    if (m_ctx.profile.Nieteruit && !m_ctx.state.QuitRequested) {
        event->ignore();
        return;
    }
    event->accept();
    emit programEnding();
    qApp->quit();
}

void MainWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow()) {
            // Activations come and go (a message box, the parents' dialogs); the wizard is
            // due five seconds after the first one, not after the last.
            if (m_ctx.state.FirstRun && !m_timer2->isActive())
                m_timer2->start();
            m_ctx.lists.LoadSiteLists();
        } else {
            m_ctx.state.DeactivateURL = m_browser.location();
        }
    }
    QWidget::changeEvent(event);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_browserPage && event->type() == QEvent::Resize) {
        m_sizeablePanel->pageResized();
        return false;
    }
    if (watched == m_browserPage && event->type() == QEvent::MouseButtonDblClick) {
        // The page around a smaller panel: a double click there restores the full size too.
        m_sizeablePanel->fillPage();
        return true;
    }
    if (watched == m_kapot2 && event->type() == QEvent::MouseButtonPress) {
        BeginUserNavigation();
        goToStartPage();
        return true;
    }
    // The application's message filter: a right button never reaches a page, a
    // left button opens the click window.
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease || type == QEvent::MouseButtonDblClick
        || type == QEvent::ContextMenu) {
        QWidget *w = qobject_cast<QWidget *>(watched);
        if (!w || w->window() != this || !isActiveWindow())
            return false;
        if (type == QEvent::ContextMenu)
            return true;
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::RightButton) {
            if (type == QEvent::MouseButtonPress
                && (parentsMenuOpen() || m_topPanel->height() == kTopPanelParentsHeight))
                emit quickMenuRequested(mouse->globalPosition().toPoint());
            return true;
        }
        if (mouse->button() == Qt::LeftButton && type == QEvent::MouseButtonPress)
            m_ctx.state.openClickWindow();
    }
    return false;
}

// --- Picture links, theme chooser and theme tab -----------------------------

void MainWindow::setUpThemes(ThemeModel &model, std::function<QStringList()> allowedThemes)
{
    if (m_themes)
        return;
    m_themes = &model;
    m_linkPanel = new LinkPanel(model, m_ctx.state, m_ctx.profile, m_ctx.sound, m_browser, m_linkArea, this);
    m_linkPanel->setScrollButtons(m_scrollUp, m_scrollDown);
    connect(m_linkPanel, &LinkPanel::transfersCancelRequested, this, &MainWindow::transfersCancelRequested);
    connect(m_linkPanel, &LinkPanel::linkOpened, this, &MainWindow::showLinkAddress);
    connect(m_linkPanel, &LinkPanel::browserPanelSizeRequested, this, &MainWindow::sizePanelForLink);

    m_themeChooser = new ThemeChooser(model, m_ctx.state, m_ctx.sound, m_themeLabel, this, std::move(allowedThemes), this);
    if (auto *box = qobject_cast<QBoxLayout *>(m_themePanel->layout())) {
        // Caption and name stay together, centred, however tall the bar is.
        box->insertStretch(0);
        box->addWidget(m_themeChooser->titleArea());
        box->addStretch();
    }
    connect(m_themeChooser, &ThemeChooser::themeTitleChanged, m_themeTabPages, &ThemeTab::setTitle);
    connect(&model, &ThemeModel::themeLoaded, this, [this](const QString &name) {
        if (!name.isEmpty())
            m_themeLabel->setText(name);
    });
}

void MainWindow::fillThemeChooser()
{
    if (m_themeChooser)
        m_themeChooser->FillThemeChooser();
}

void MainWindow::showLinkAddress(int slot)
{
    if (!m_themes)
        return;
    const QString &url = m_themes->slot(slot).link.URL;
    m_edit1->setText(url);
    m_adresedit->setText(url);
}

void MainWindow::sizePanelForLink(int hoogte, int breedte)
{
    m_sizeablePanel->requestSize(
        linkpanel::requestedPanelSize(hoogte, breedte, m_browserPage->size(), m_sizeablePanel->size()));
}

void MainWindow::resizeBrowserPanel(int width, int height)
{
    const QSize now = m_sizeablePanel->size();
    m_sizeablePanel->requestSize(QSize(width < 0 ? now.width() : width, height < 0 ? now.height() : height));
}

void MainWindow::themeTabShown()
{
    m_themeTabPages->setTitle(linkpanel::themeTitle(m_ctx.state.activeTheme()));
    const linkpanel::Rgb blue = linkpanel::kThemeTabBackground;
    fillBackground(m_topPanel, QColor(blue.r, blue.g, blue.b));
    m_themeTabPages->showPage(m_themeTabPages->startPage());
    m_ctx.guard.switchFilterOn();
    m_topPanel->setFixedHeight(kTopPanelParentsHeight);
}

void MainWindow::themeTabHidden()
{
    fillBackground(m_topPanel, kTopPanelColour);
    // The user's window settings again, clocks included; the session lays the window out.
    emit userWindowSettingsDue();
}

// --- Pop-ups -------------------------------------------------------------------

void MainWindow::attachPopupGuard(PopupGuard &popups)
{
    m_popups = &popups;
    auto showLabel30 = [this](const QString &caption, bool visible) {
        m_label30->setText(caption);
        m_label30->setVisible(visible);
        m_image34->setVisible(visible);
    };
    connect(&popups, &PopupGuard::label30Changed, this, [this, showLabel30](const QString &caption, bool visible) {
        showLabel30(caption, visible);
        if (visible)
            m_popupAskedOnThisPage = true;
    });
    connect(&popups, &PopupGuard::popupMarkerShown, m_popupImage, &QWidget::setVisible);
    connect(m_label30, &LinkLabel::clicked, &popups, &PopupGuard::label30Click);
    connect(&m_browser, &Browser::downloadBegun, this, [this] { m_popupAskedOnThisPage = false; });
    // The completed page shows "Block popup" when it was a pop-up. A pop-up the
    // page itself asked for while loading has already set the caption ("Allow
    // popup" for an opener on the popup list); completing the page must not take
    // that offer away again, or the parent could never allow such a pop-up.
    connect(&m_ctx.guard, &NavigationGuard::popupPageCompleted, this, [this, showLabel30](bool wasPopup) {
        if (wasPopup)
            showLabel30(PopupGuard::blockPopupText(), true);
        else if (!m_popupAskedOnThisPage)
            showLabel30(m_label30->text(), false);
    });
}

// --- Print -----------------------------------------------------------------------

void MainWindow::printPage()
{
    if (m_pageControl1->currentWidget() != m_browserPage)
        return;
    auto *web = qobject_cast<WebEngineBrowser *>(&m_browser);
    if (!web)
        return;
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(m_printer.get(), this);
    dialog.setObjectName(QStringLiteral("printdialog"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    web->print(m_printer.get());
}

} // namespace tovalin
