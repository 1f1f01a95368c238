#include "app/ui/theme_windows.h"

#include "app/ui/main_window.h"
#include "app/ui/theme_tab.h"
#include "guard/site_lists.h"
#include "platform/browser.h"
#include "state/program_state.h"
#include "themes/link_panel_layout.h"
#include "themes/theme_archive.h"
#include "themes/theme_model.h"
#include "themes/ui/active_theme_editor.h"
#include "themes/ui/add_link_wizard.h"
#include "themes/ui/link_editor_page.h"
#include "themes/ui/link_panel.h"
#include "themes/ui/selection_picture.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QStackedWidget>
#include <QTimer>

namespace tovalin {

namespace {

void inform(QWidget *parent, const QString &text)
{
    QMessageBox::information(parent, QStringLiteral("Tovalin"), text);
}

bool ask(QWidget *parent, const QString &question)
{
    return QMessageBox::question(parent, QStringLiteral("Tovalin"), question, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No)
        == QMessageBox::Yes;
}

QString askExportPath(QWidget *parent, const QString &title, const QString &suggested)
{
    QFileDialog dialog(parent, title, suggested, ThemeWindows::tr("Tovalin theme files (*.tvz)"));
    dialog.setObjectName(QStringLiteral("exportdialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("tvz"));
    dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

} // namespace

ThemeWindows::ThemeWindows(Context context, QObject *parent)
    : QObject(parent)
    , m_ctx(context)
{
    MainWindow &w = m_ctx.window;
    ThemeTab *tab = w.themeTabPages();
    QWidget *selectPage = w.browserPages()->findChild<QWidget *>(QStringLiteral("SelectPage"));
    Browser *browser = &m_ctx.browser;
    MainWindow *window = &w;
    auto linkPanelSize = [window] {
        return linkpanel::linkSizeFromPanel(window->sizeableBrowserPanel()->size(), window->browserPage()->size());
    };

    AddLinkWizard::Hooks wizardHooks;
    wizardHooks.browserAddress = [browser] { return browser->location(); };
    wizardHooks.linkPanelSize = linkPanelSize;
    wizardHooks.browserPageShowing = [window] {
        return window->browserPages()->currentWidget() == window->browserPage();
    };
    wizardHooks.captureBrowserPage = [window] { return capturePage(window->browserPage()); };
    wizardHooks.showSelectPage = [window, selectPage] {
        if (selectPage)
            window->browserPages()->setCurrentWidget(selectPage);
    };
    wizardHooks.showBrowserPage = [window] { window->browserPages()->setCurrentWidget(window->browserPage()); };
    wizardHooks.showNavigatePage = [tab] { tab->showPage(tab->navigatePage()); };
    wizardHooks.openThemeManager = [this] {
        if (m_openThemeManager)
            m_openThemeManager();
        else
            inform(&m_ctx.window, tr("Open or make a theme first (\"Edit theme's\")."));
    };
    wizardHooks.message = inform;
    m_wizard = new AddLinkWizard(m_ctx.themes, m_ctx.lists, m_ctx.state, m_ctx.sound, tab->pages(), tab->addLinkPage(),
                                 selectPage ? selectPage : new QWidget(&w), std::move(wizardHooks), this);

    LinkEditorPage::Hooks editorHooks;
    editorHooks.linkPanelSize = linkPanelSize;
    editorHooks.columnHeight = [window] { return window->linkArea()->height(); };
    m_linkEditor = new LinkEditorPage(m_ctx.themes, m_ctx.lists, m_ctx.state, tab->editLinkPage(),
                                      std::move(editorHooks), this);
    if (LinkPanel *links = w.linkPanel()) {
        connect(links, &LinkPanel::linkOpened, m_linkEditor, &LinkEditorPage::showClickedLink);
        connect(links, &LinkPanel::linkSelected, m_linkEditor, &LinkEditorPage::showSelectedLink);
    }

    ActiveThemeEditor::Hooks hooks;
    hooks.showInBrowser = [window, browser](const QString &address) {
        window->BeginUserNavigation();
        browser->navigate(address);
    };
    hooks.fillThemeChooser = [window] { window->fillThemeChooser(); };
    hooks.selectLink = [window](int n) {
        if (LinkPanel *links = window->linkPanel())
            links->SelectLink(n);
    };
    // The mail program's window must be allowed to come to the front.
    hooks.stopForeignWindowGuard = [window] { window->foreignWindowTimer()->stop(); };
    hooks.inform = inform;
    hooks.ask = ask;
    hooks.exportPath = askExportPath;
    hooks.vendorHost = m_ctx.lists.vendor().WebHost;
    ProgramState *state = &m_ctx.state;
    hooks.writeArchive = [state](const QString &theme, const QString &path) {
        // A theme is at most a few megabytes of small files: written while the parent waits.
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        const ArchiveResult result = writeThemeArchive(state->themesFolder(), theme, path);
        QGuiApplication::restoreOverrideCursor();
        return result.ok() ? QString() : result.message;
    };
    m_editorHooks = std::move(hooks);

    wireThemeTab();
}

ThemeWindows::~ThemeWindows() = default;

void ThemeWindows::wireThemeTab()
{
    ThemeTab *tab = m_ctx.window.themeTabPages();
    tab->addLinkLink()->show();
    tab->editLinkLink()->show();
    tab->editThemesLink()->show();
    connect(tab, &ThemeTab::addLinkPageOpened, m_wizard, &AddLinkWizard::started);

    const struct {
        const char *name;
        ActiveThemeEditor::Page page;
    } editorLinks[] = {
        {"Label31", ActiveThemeEditor::Page::SaveAs},
        {"Label32", ActiveThemeEditor::Page::Whitelist},
        {"Label33", ActiveThemeEditor::Page::Export},
    };
    for (const auto &e : editorLinks) {
        auto *link = tab->editThemesPage()->findChild<LinkLabel *>(QLatin1String(e.name));
        if (!link)
            continue;
        link->show();
        const ActiveThemeEditor::Page page = e.page;
        connect(link, &LinkLabel::clicked, this, [this, page] { editor().openOn(page); });
    }
}

ActiveThemeEditor &ThemeWindows::editor()
{
    if (!m_editor)
        m_editor = new ActiveThemeEditor(m_ctx.themes, m_ctx.lists, m_ctx.state, m_editorHooks, &m_ctx.window);
    return *m_editor;
}

void ThemeWindows::setEntryNote(std::function<QString(SiteList, const QString &)> note)
{
    if (m_editor)
        m_editor->hooks().entryNote = std::move(note);
    else
        m_editorHooks.entryNote = std::move(note);
}

void ThemeWindows::openUrlManager()
{
    editor().openOn(ActiveThemeEditor::Page::Whitelist);
}

} // namespace tovalin
