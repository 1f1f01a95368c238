#include "app/ui/theme_manager_windows.h"

#include "app/ui/main_window.h"
#include "app/ui/theme_tab.h"
#include "platform/browser.h"
#include "state/program_state.h"
#include "themes/theme_model.h"
#include "themes/ui/import_progress_window.h"
#include "themes/ui/link_panel.h"
#include "themes/ui/new_name_dialog.h"
#include "themes/ui/theme_download_page.h"
#include "themes/ui/theme_manager_dialog.h"

#include <QMessageBox>
#include <QVBoxLayout>

namespace tovalin {

ThemeManagerWindows::ThemeManagerWindows(ProgramState &state, QObject *parent)
    : QObject(parent)
    , m_state(state)
{
}

ThemeManagerWindows::~ThemeManagerWindows()
{
    delete m_progress;
    delete m_manager;
}

void ThemeManagerWindows::attach(const Context &context, ThemeDownload &download)
{
    m_window = &context.window;
    m_themes = &context.themes;
    m_browser = &context.browser;
    m_themePage = context.themePage;

    m_download = &download;
    // The theme manager and the progress window are built when first needed: a child's
    // start-up shows neither.

    // The theme tab's start page lists what was downloaded.
    ThemeTab *tab = m_window->themeTabPages();
    QWidget *start = tab->startPage();
    auto *layout = start->layout() ? start->layout() : new QVBoxLayout(start);
    layout->setContentsMargins(0, 0, 0, 0);
    m_page = new ThemeDownloadPage(start);
    layout->addWidget(m_page);
    connect(m_page, &ThemeDownloadPage::moreRequested, this, &ThemeManagerWindows::openThemePage);

    // "Edit theme's" and its "General" entries lead to the theme manager.
    tab->editThemesLink()->show();
    for (const char *name : {"Label34", "Label35"}) {
        if (auto *link = tab->editThemesPage()->findChild<LinkLabel *>(QLatin1String(name))) {
            link->show();
            connect(link, &LinkLabel::clicked, this, [this] { manager()->runModal(); });
        }
    }
}

ThemeManagerDialog *ThemeManagerWindows::manager()
{
    if (m_manager || !m_window)
        return m_manager;
    ThemeManagerDialog::Hooks hooks;
    hooks.activateTheme = [this](const QString &name) { activate(name); };
    hooks.switchTheme = [this](const QString &name) {
        m_themes->activateTheme(name);
        m_themes->setSelectedLink(1);
        m_window->fillThemeChooser();
    };
    hooks.openThemePage = [this] { openThemePage(); };
    m_manager = new ThemeManagerDialog(m_state, std::move(hooks), m_window);
    return m_manager;
}

ImportProgressWindow *ThemeManagerWindows::progressWindow()
{
    if (m_progress || !m_window)
        return m_progress;
    m_progress = new ImportProgressWindow(m_window);
    connect(m_progress, &ImportProgressWindow::cancelRequested, m_download, &ThemeDownload::cancel);
    return m_progress;
}

void ThemeManagerWindows::activate(const QString &name)
{
    m_themes->activateTheme(name);
    m_window->fillThemeChooser();
    if (LinkPanel *panel = m_window->linkPanel())
        panel->SelectLink(1);
}

void ThemeManagerWindows::openThemePage()
{
    if (!m_window || m_themePage.isEmpty())
        return;
    m_window->BeginUserNavigation();
    m_browser->navigate(m_themePage);
    m_window->sizeableBrowserPanel()->fillPage();
}

bool ThemeManagerWindows::askYesNo(const QString &question)
{
    if (!m_window)
        return false;
    return QMessageBox::question(m_window, tr("Tovalin"), question) == QMessageBox::Yes;
}

QString ThemeManagerWindows::askNewName()
{
    ThemeManagerDialog *dialog = manager();
    return dialog ? dialog->newNameDialog()->ask() : QString();
}

void ThemeManagerWindows::showProgress(const QString &caption, const QString &status)
{
    if (ImportProgressWindow *progress = progressWindow())
        progress->start(caption, status);
}

void ThemeManagerWindows::setProgressStatus(const QString &status)
{
    if (ImportProgressWindow *progress = progressWindow())
        progress->setStatus(status);
}

void ThemeManagerWindows::setProgress(qint64 received, qint64 total)
{
    if (ImportProgressWindow *progress = progressWindow())
        progress->setProgress(received, total);
}

void ThemeManagerWindows::closeProgress()
{
    if (ImportProgressWindow *progress = progressWindow())
        progress->finish();
}

void ThemeManagerWindows::showMessage(const QString &text)
{
    QMessageBox::information(m_window, tr("Tovalin"), text);
}

void ThemeManagerWindows::themeDownloaded(const QString &name)
{
    if (!m_window)
        return;
    m_window->themeTabPages()->showPage(m_window->themeTabPages()->startPage());
    m_page->addTheme(name);
    m_page->setMoreVisible(false);
}

bool ThemeManagerWindows::activateImported() const
{
    // The manager's tick is the parent's choice; a manager not yet built shows its default.
    ThemeManagerDialog *dialog = const_cast<ThemeManagerWindows *>(this)->manager();
    return dialog && dialog->activateImported();
}

void ThemeManagerWindows::activateTheme(const QString &name)
{
    if (!m_window)
        return;
    m_page->setMoreVisible(true);
    activate(name);
}

void ThemeManagerWindows::themesChanged()
{
    if (m_manager) // one built later reads the lists then
        m_manager->refreshLists();
}

} // namespace tovalin
