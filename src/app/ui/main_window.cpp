#include "app/ui/main_window.h"

#include "app/ui/help_page.h"

#include "state/language.h"

#include "app/ui/child_bar.h"
#include "app/ui/clocks_strip.h"
#include "app/ui/parents_menu_bar.h"
#include "app/ui/parents_page.h"
#include "app/ui/picture_panel.h"
#include "app/ui/pictures.h"
#include "app/ui/theme_tab.h"
#include "app/ui/window_parts.h"
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
    m_menuBar = new ParentsMenuBar(this);
    outer->addWidget(m_menuBar);
    outer->addWidget(buildTopPanel());

    auto *tovalinWindow = new QWidget(this);
    tovalinWindow->setObjectName(QStringLiteral("tovalinwindow"));
    auto *middle = new QHBoxLayout(tovalinWindow);
    middle->setContentsMargins(0, 0, 0, 0);
    middle->setSpacing(0);
    m_picturePanel = new PicturePanel(tovalinWindow);
    middle->addWidget(m_picturePanel);
    middle->addWidget(buildBrowserArea(browserView), 1);
    outer->addWidget(tovalinWindow, 1);

    // The clocks sit at the bottom of the browser area, the switch clock's strip above the time clock's gauge.
    m_clocksStrip = new ClocksStrip(this);
    outer->addWidget(m_clocksStrip);

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

    wireRegions();
    wireBrowser();
    wireIndicator();

    m_ctx.state.ClickPending = false;
    m_ctx.state.PopupShown = false;
    m_pageControl2->setCurrentWidget(m_childBar);
    m_pageControl1->setCurrentWidget(m_browserPage);

    qApp->installEventFilter(this);
}

MainWindow::~MainWindow()
{
    // The application's event filter must not reach a window half destroyed.
    qApp->removeEventFilter(this);
}

QWidget *MainWindow::buildTopPanel()
{
    m_topPanel = new QWidget(this);
    m_topPanel->setObjectName(QStringLiteral("Panel9"));
    m_topPanel->setFixedHeight(kTopPanelChildHeight);
    parts::fillBackground(m_topPanel, parts::kTopPanelColour);
    auto *lay = new QVBoxLayout(m_topPanel);
    lay->setContentsMargins(0, 0, 0, 0);
    m_pageControl2 = new QStackedWidget(m_topPanel);
    m_pageControl2->setObjectName(QStringLiteral("PageControl2"));
    m_childBar = new ChildBar;
    m_parentsPage = new ParentsPage(m_ctx.guard, m_ctx.lists);
    m_themeTabPages = new ThemeTab(m_parentsPage);
    m_themaTab = m_themeTabPages;
    connect(m_themeTabPages, &ThemeTab::closeRequested, this, [this] {
        // "Close": back to the child's bar at its own height.
        showParentsPage(false);
        m_topPanel->setFixedHeight(kTopPanelChildHeight);
    });
    m_pageControl2->addWidget(m_childBar);
    m_pageControl2->addWidget(m_themaTab);
    lay->addWidget(m_pageControl2);
    return m_topPanel;
}

void MainWindow::wireRegions()
{
    connect(m_menuBar, &ParentsMenuBar::exitClicked, this, &MainWindow::quitProgram);
    connect(m_menuBar, &ParentsMenuBar::helpClicked, this, &MainWindow::showHelp);
    connect(m_menuBar, &ParentsMenuBar::themesClicked, this, [this] { showParentsPage(true); });
    connect(m_menuBar, &ParentsMenuBar::closeClicked, this, [this] { setParentsMenuOpen(false); });

    ChildBar *bar = m_childBar;
    connect(bar, &ChildBar::backClicked, this, [this] {
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
    connect(bar, &ChildBar::forwardClicked, this, [this] {
        playClick();
        BeginUserNavigation();
        m_browser.goForward();
    });
    connect(bar, &ChildBar::stopClicked, this, [this] {
        playClick();
        m_browser.stop();
    });
    connect(bar, &ChildBar::refreshClicked, this, [this] {
        playClick();
        BeginUserNavigation();
        m_browser.refresh();
        m_childBar->addressEdit()->setText(m_browser.location());
    });
    connect(bar, &ChildBar::homeClicked, this, [this] {
        playClick();
        BeginUserNavigation();
        goToStartPage();
    });
    connect(bar, &ChildBar::goClicked, this, &MainWindow::goToTypedAddress);
    connect(bar, &ChildBar::printClicked, this, [this] {
        playClick();
        printPage();
    });
    connect(bar, &ChildBar::parentsButtonClicked, this, &MainWindow::parentsButtonClicked);
    connect(bar, &ChildBar::exitClicked, this, &MainWindow::quitProgram);

    ParentsPage *page = m_parentsPage;
    connect(page, &ParentsPage::backClicked, this, [this] {
        BeginUserNavigation();
        m_browser.goBack();
    });
    connect(page, &ParentsPage::forwardClicked, this, [this] {
        BeginUserNavigation();
        m_browser.goForward();
    });
    connect(page, &ParentsPage::refreshClicked, this, [this] {
        BeginUserNavigation();
        m_browser.refresh();
    });
    connect(page, &ParentsPage::stopClicked, this, [this] { m_browser.stop(); });
    connect(page, &ParentsPage::homeClicked, this, [this] {
        BeginUserNavigation();
        goToStartPage();
    });
    connect(page, &ParentsPage::goClicked, this, [this] {
        BeginUserNavigation();
        m_browser.navigate(m_parentsPage->addressEdit()->text().trimmed());
    });

    connect(m_picturePanel, &PicturePanel::parentsButtonClicked, this, &MainWindow::parentsButtonClicked);
}

void MainWindow::goToTypedAddress()
{
    playClick();
    QLineEdit *edit = m_childBar->addressEdit();
    QString address = edit->text().trimmed();
    if (address.isEmpty())
        return;
    // A typed https address is a web address as it stands, and so is one whose
    // scheme is typed in capitals: neither may become "http://https://...".
    if (!address.startsWith(u"http://", Qt::CaseInsensitive) && !address.startsWith(u"https://", Qt::CaseInsensitive))
        address.prepend(QStringLiteral("http://"));
    edit->setText(address);
    BeginUserNavigation();
    m_browser.navigate(address);
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
    // Its picture `Image11` and the yellow "Time's up!" panel `Panel47` come with the time clock;
    // they are made when time first runs out (see below), not at every start.
    m_videoPage = new QWidget;
    m_videoPage->setObjectName(QStringLiteral("video"));
    for (QWidget *page : {m_browserPage, m_selectPage, m_hiddenEmbedded, m_timeupPage, m_videoPage})
        m_pageControl1->addWidget(page);
    connect(m_pageControl1, &QStackedWidget::currentChanged, this, [this] {
        if (m_pageControl1->currentWidget() != m_timeupPage || m_timeupPage->layout())
            return;
        fillTimeUpPage(m_timeupPage);
        // Shown and laid out at once, as if they had been there all along.
        for (QWidget *child : m_timeupPage->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            child->show();
        m_timeupPage->layout()->activate();
    });
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
            m_parentsPage->gauge()->setValue(percent);
    });
    connect(&m_browser, &Browser::commandStateChanged, this, [this](BrowserCommand command, bool enabled) {
        m_childBar->setCommandEnabled(command, enabled);
        m_parentsPage->setCommandEnabled(command, enabled);
    });
    // A click inside the page waits for the link navigation it may start, which a busy engine
    // may begin well after the click window.
    connect(&m_browser, &Browser::documentClicked, this, [this] { m_ctx.state.openPageClick(); });
    connect(&m_ctx.guard, &NavigationGuard::progressGaugeSet, m_parentsPage->gauge(), &QProgressBar::setValue);
    connect(&m_ctx.guard, &NavigationGuard::popupMarkerShown, m_parentsPage->popupMarker(), &QWidget::setVisible);
    connect(&m_ctx.guard, &NavigationGuard::aboutBlankReached, this,
            [this] { m_pageControl1->setCurrentWidget(m_browserPage); });
}

void MainWindow::wireIndicator()
{
    NavigationModel &nav = m_ctx.nav;
    connect(&nav, &NavigationModel::navStateChanged, this, &MainWindow::showIndicator);
    connect(&nav, &NavigationModel::forbiddenVisibleChanged, this, [this](bool visible) {
        m_childBar->setForbiddenVisible(visible);
        m_parentsPage->setForbiddenVisible(visible);
    });
    connect(&nav, &NavigationModel::acceptBlockCaptionChanged, m_parentsPage->acceptBlockLink(), &QLabel::setText);
    connect(&nav, &NavigationModel::addressDisplaysSet, this, [this](const QString &address) {
        m_childBar->addressEdit()->setText(address);
        m_parentsPage->addressEdit()->setText(address);
    });
    connect(&nav, &NavigationModel::refusedListChanged, this, [this] {
        m_refusedList->clear();
        m_refusedList->addItems(m_ctx.nav.refusedList());
    });
    showIndicator(nav.navState());
}

void MainWindow::showIndicator(NavState state)
{
    m_childBar->showIndicator(state, m_ctx.nav.forbiddenVisible());
    m_parentsPage->showIndicator(state, m_ctx.nav.forbiddenVisible());
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
    m_pageControl2->setCurrentWidget(parentsPage ? m_themaTab : static_cast<QWidget *>(m_childBar));
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
    m_childBar->setUserLabels(user, theme);
}

void MainWindow::applyWindowSettings(const UserProfile &profile)
{
    m_childBar->applyWindowSettings(profile);
    m_picturePanel->setMiniMenuVisible(profile.Hidenavbalk);
}

void MainWindow::showHelp()
{
    // The help page in the interface's language, in the desktop's own browser.
    const QString help = helpPagePath(m_ctx.state.ProgramFolder, activeLanguage());
    if (!QFileInfo::exists(help)) {
        QMessageBox::information(this, windowTitle(), tr("The help file cannot be found:\n%1").arg(help));
        return;
    }
    openHelp(this, help);
}

void MainWindow::addBesideIndicator(QWidget *widget)
{
    m_childBar->addBesideIndicator(widget);
}

QList<QToolButton *> MainWindow::parentsMenuButtons() const
{
    return {m_childBar->parentsButton(), m_picturePanel->parentsButton()};
}

void MainWindow::addToParentsAddressRow(QWidget *widget)
{
    // Right after the address field, whose text the commands work on.
    m_parentsPage->addToAddressRow(widget);
}

LinkLabel *MainWindow::menuBarLink(const QString &objectName) const
{
    return m_menuBar->link(objectName);
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
    if (watched == m_parentsPage->brokenSign() && event->type() == QEvent::MouseButtonPress) {
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

// --- The regions' widgets ----------------------------------------------------

LinkPanel *MainWindow::linkPanel() const
{
    return m_picturePanel->linkPanel();
}

QWidget *MainWindow::linkColumn() const
{
    return m_picturePanel;
}

QWidget *MainWindow::linkArea() const
{
    return m_picturePanel->linkArea();
}

QWidget *MainWindow::switchClockStrip() const
{
    return m_clocksStrip->switchClockStrip();
}

QProgressBar *MainWindow::timeClockGauge() const
{
    return m_clocksStrip->timeClockGauge();
}

QLineEdit *MainWindow::parentsAddressEdit() const
{
    return m_parentsPage->addressEdit();
}

QLineEdit *MainWindow::childAddressEdit() const
{
    return m_childBar->addressEdit();
}

LinkLabel *MainWindow::acceptBlockLink() const
{
    return m_parentsPage->acceptBlockLink();
}

QToolButton *MainWindow::menuBarCloseButton() const
{
    return m_menuBar->closeButton();
}

// --- Picture links, theme chooser and theme tab -----------------------------

void MainWindow::setUpThemes(ThemeModel &model, std::function<QStringList()> allowedThemes)
{
    if (m_themes)
        return;
    m_themes = &model;
    LinkPanel *links = m_picturePanel->showThemes(model, m_ctx.state, m_ctx.profile, m_ctx.sound, m_browser);
    connect(links, &LinkPanel::transfersCancelRequested, this, &MainWindow::transfersCancelRequested);
    connect(links, &LinkPanel::linkOpened, this, &MainWindow::showLinkAddress);
    connect(links, &LinkPanel::browserPanelSizeRequested, this, &MainWindow::sizePanelForLink);

    m_themeChooser = new ThemeChooser(model, m_ctx.state, m_ctx.sound, m_childBar->themeLabel(), this,
                                      std::move(allowedThemes), this);
    if (auto *box = qobject_cast<QBoxLayout *>(m_childBar->themePanel()->layout())) {
        // Caption and name stay together, centred, however tall the bar is.
        box->insertStretch(0);
        box->addWidget(m_themeChooser->titleArea());
        box->addStretch();
    }
    connect(m_themeChooser, &ThemeChooser::themeTitleChanged, m_themeTabPages, &ThemeTab::setTitle);
    connect(&model, &ThemeModel::themeLoaded, this, [this](const QString &name) {
        if (!name.isEmpty())
            m_childBar->themeLabel()->setText(name);
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
    m_childBar->addressEdit()->setText(url);
    m_parentsPage->addressEdit()->setText(url);
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
    parts::fillBackground(m_topPanel, QColor(blue.r, blue.g, blue.b));
    m_themeTabPages->showPage(m_themeTabPages->startPage());
    m_ctx.guard.switchFilterOn();
    m_topPanel->setFixedHeight(kTopPanelParentsHeight);
}

void MainWindow::themeTabHidden()
{
    parts::fillBackground(m_topPanel, parts::kTopPanelColour);
    // The user's window settings again, clocks included; the session lays the window out.
    emit userWindowSettingsDue();
}

// --- Pop-ups -------------------------------------------------------------------

void MainWindow::attachPopupGuard(PopupGuard &popups)
{
    m_popups = &popups;
    auto showLabel30 = [this](const QString &caption, bool visible) { m_parentsPage->showPopupOffer(caption, visible); };
    connect(&popups, &PopupGuard::label30Changed, this, [this, showLabel30](const QString &caption, bool visible) {
        showLabel30(caption, visible);
        if (visible)
            m_popupAskedOnThisPage = true;
    });
    connect(&popups, &PopupGuard::popupMarkerShown, m_parentsPage->popupMarker(), &QWidget::setVisible);
    connect(m_parentsPage->popupOffer(), &LinkLabel::clicked, &popups, &PopupGuard::label30Click);
    connect(&m_browser, &Browser::downloadBegun, this, [this] { m_popupAskedOnThisPage = false; });
    // The completed page shows "Block popup" when it was a pop-up. A pop-up the
    // page itself asked for while loading has already set the caption ("Allow
    // popup" for an opener on the popup list); completing the page must not take
    // that offer away again, or the parent could never allow such a pop-up.
    connect(&m_ctx.guard, &NavigationGuard::popupPageCompleted, this, [this, showLabel30](bool wasPopup) {
        if (wasPopup)
            showLabel30(PopupGuard::blockPopupText(), true);
        else if (!m_popupAskedOnThisPage)
            showLabel30(m_parentsPage->popupOffer()->text(), false);
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
