#pragma once
// The main window's frame and wiring: it places the regions (the parents' menu bar, the
// child's bar and the parents' page on the top panel, the picture-link column, the browser
// area with its pages, the clocks' strip and the status bar), shows the models' state on
// them and forwards the user's actions; the rules live in the guard, users and themes
// logic. Each region is a class of its own.

#include "state/program_state.h"
#include "app/ui/link_label.h"
#include "app/ui/sizeable_panel.h"
#include "guard/navigation_model.h"

#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>

class QLineEdit;
class QPrinter;
class QListWidget;
class QProgressBar;
class QStackedWidget;
class QStatusBar;
class QTimer;
class QToolButton;

namespace tovalin {

class Browser;
class ChildBar;
class ClocksStrip;
class LinkPanel;
class ParentsMenuBar;
class ParentsPage;
class PicturePanel;
class NavigationGuard;
class PopupGuard;
class ThemeChooser;
class ThemeModel;
class ThemeTab;
class SiteLists;
class SoundPlayer;
struct UserProfile;

/// What the main window needs of the program; created once in main.
struct MainWindowContext {
    ProgramState &state;
    UserProfile &profile;
    SiteLists &lists;
    NavigationModel &nav;
    NavigationGuard &guard;
    SoundPlayer &sound;
};

class MainWindow : public QWidget {
    Q_OBJECT
public:
    /// Heights of the top panel: with the parents' menu open, and without.
    static constexpr int kTopPanelParentsHeight = 177;
    static constexpr int kTopPanelChildHeight = 111;

    /// Builds the window around the visible browser and its view.
    MainWindow(MainWindowContext context, Browser &browser, QWidget *browserView, QWidget *parent = nullptr);
    ~MainWindow() override;

    // --- Picture links, theme chooser, theme tab ---------------------------
    /// Builds the picture-link slots in `Panel6` and the theme chooser over the theme model;
    /// `allowedThemes` gives the active user's allowed themes. Called once, after construction.
    void setUpThemes(ThemeModel &model, std::function<QStringList()> allowedThemes);
    LinkPanel *linkPanel() const;
    ThemeChooser *themeChooser() const { return m_themeChooser; }
    ThemeTab *themeTabPages() const { return m_themeTabPages; }
    /// `FillThemeChooser`.
    void fillThemeChooser();

    // --- Pop-ups ------------------------------------------------------------
    /// Shows `Label30` and its icon `Image34` as the pop-up guard says and forwards their clicks.
    void attachPopupGuard(PopupGuard &popups);
    /// The browser panel takes this size through its resize rule; a negative side stays as it is.
    void resizeBrowserPanel(int width, int height);
    SizeablePanel *sizeableBrowserPanel() const { return m_sizeablePanel; }

    /// `ImgBtn7`: prints the page on show after the print dialog (which the parent may cancel).
    void printPage();

    /// Prepares a navigation the user asked for: stops transfers, fills the page
    /// with the browser panel, opens the click window, empties the refused list.
    void BeginUserNavigation();

    /// Opens or closes the parents' menu bar (and the taller top panel).
    void setParentsMenuOpen(bool open);
    bool parentsMenuOpen() const;
    /// Shows the parents' editing page or the child's navigation page.
    void showParentsPage(bool parentsPage);
    bool parentsPageShown() const;

    /// Opens the help page (in the default browser of the desktop, never inside the child's browser).
    void showHelp();

    /// The exit command: the only way out while key combinations are blocked.
    void quitProgram();

    /// Shows the user's and theme's names in the navigation bar.
    void setUserLabels(const QString &user, const QString &theme);
    /// Applies the user's window settings (print button, exit button, address bar, bars).
    void applyWindowSettings(const UserProfile &profile);

    /// The page control of the browser area (`PageControl1`) and the browser page.
    QStackedWidget *browserPages() const { return m_pageControl1; }
    QWidget *browserPage() const { return m_browserPage; }
    QWidget *timeUpPage() const { return m_timeupPage; }
    QWidget *hiddenBrowserPage() const { return m_hiddenEmbedded; }
    QWidget *videoPage() const { return m_videoPage; }
    QWidget *browserPanel() const { return m_sizeablePanel; }
    QWidget *linkColumn() const;
    QWidget *linkArea() const;
    QWidget *themeTab() const { return m_themaTab; }
    QWidget *switchClockStrip() const;
    QProgressBar *timeClockGauge() const;
    QStatusBar *statusBar() const { return m_statusBar; }

    // The parents' controls.
    /// The parents' address field `adresedit` and the child's address field `Edit1`.
    QLineEdit *parentsAddressEdit() const;
    QLineEdit *childAddressEdit() const;
    /// `accepteerblokkeer` on the parents' page.
    LinkLabel *acceptBlockLink() const;
    /// Puts a widget in the child's bar right after the forbidden sign (the Ask button).
    void addBesideIndicator(QWidget *widget);
    /// The parents' menu buttons: `Image1` in the child's bar and `Image16` in the mini menu.
    QList<QToolButton *> parentsMenuButtons() const;
    /// Puts a widget right after `adresedit` in its row (the parents' list commands).
    void addToParentsAddressRow(QWidget *widget);
    /// A link of the parents' menu bar by its name (`Label47`, `Label48`, `Label51`, ...).
    LinkLabel *menuBarLink(const QString &objectName) const;
    /// The menu bar's close button `Image49` (it hides the bar itself).
    QToolButton *menuBarCloseButton() const;
    /// The foreign-window guard's timer `Timer1` and the update check's `updatetimer`.
    QTimer *foreignWindowTimer() const { return m_timer1; }
    QTimer *updateTimer() const { return m_updatetimer; }

signals:
    /// A parents' menu button (`Image1` in the navigation bar, `Image16` in the mini menu) was pressed.
    void parentsButtonClicked();
    /// A right click while the parents' menu is open: the quick menu is to show.
    void quickMenuRequested(const QPoint &globalPos);
    /// The first-run timer fired: the new-user wizard is to show.
    void firstRunWizardDue();
    /// Back was pressed while the video page showed: the player is to stop.
    void videoPlaybackStopRequested();
    /// A link click or a user navigation (BeginUserNavigation) begins: a running video transfer is to be cancelled.
    void transfersCancelRequested();
    /// The parents' menu bar has opened or closed (the desktop lock follows it).
    void parentsMenuOpenChanged(bool open);
    /// The window closes for good and the program ends (the watchdog and the desktop lock go first).
    void programEnding();
    /// The parents left the theme page: the user's window settings apply again, the clocks
    /// started or stopped by them as at activation.
    void userWindowSettingsDue();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildTopPanel();
    QWidget *buildBrowserArea(QWidget *browserView);
    void wireRegions();
    void wireBrowser();
    void wireIndicator();
    void showIndicator(NavState state);
    void fitBrowserPanel();
    void goToStartPage();
    void goToTypedAddress();
    void playClick();
    void themeTabShown();
    void themeTabHidden();
    void showLinkAddress(int slot);
    void sizePanelForLink(int hoogte, int breedte);

    MainWindowContext m_ctx;
    Browser &m_browser;
    bool m_shownOnce = false;

    // The regions.
    ParentsMenuBar *m_menuBar = nullptr; // Panel33
    ChildBar *m_childBar = nullptr;      // navigatietab
    ParentsPage *m_parentsPage = nullptr; // thematab
    PicturePanel *m_picturePanel = nullptr; // Panel2
    ClocksStrip *m_clocksStrip = nullptr;

    // The frame.
    QWidget *m_topPanel = nullptr;      // Panel9
    QStackedWidget *m_pageControl2 = nullptr;
    QWidget *m_themaTab = nullptr;
    QStackedWidget *m_pageControl1 = nullptr;
    QWidget *m_browserPage = nullptr;
    SizeablePanel *m_sizeablePanel = nullptr; // JvSizeablePanel1
    QListWidget *m_refusedList = nullptr; // ListBox1
    QWidget *m_hiddenEmbedded = nullptr;
    QWidget *m_timeupPage = nullptr;
    QWidget *m_selectPage = nullptr;
    QWidget *m_videoPage = nullptr;
    QStatusBar *m_statusBar = nullptr;

    QTimer *m_timer1 = nullptr;
    QTimer *m_timer2 = nullptr;
    QTimer *m_vertrager = nullptr;
    QTimer *m_wisseltimer = nullptr;
    QTimer *m_updatetimer = nullptr;

    // Theme chooser, theme tab, pop-ups and print.
    ThemeModel *m_themes = nullptr;
    ThemeChooser *m_themeChooser = nullptr;
    ThemeTab *m_themeTabPages = nullptr;
    PopupGuard *m_popups = nullptr;
    bool m_popupAskedOnThisPage = false;
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace tovalin
