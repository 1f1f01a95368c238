#pragma once
// The theme manager, the theme download's windows and the theme tab's start page, wired to the
// main window (the link and theme editors are ThemeWindows'): what a theme download asks (questions, progress, the start page's list) and how
// a theme becomes the active one (slots, site lists, chooser, first link).

#include "themes/theme_download.h"

#include <QObject>
#include <QString>

namespace tovalin {

class Browser;
class ImportProgressWindow;
class MainWindow;
class ProgramState;
class ThemeDownloadPage;
class ThemeManagerDialog;
class ThemeModel;

class ThemeManagerWindows : public QObject, public ThemeDownloadUi {
    Q_OBJECT
public:
    /// The windows are built by attach(); until then a download is answered with No.
    explicit ThemeManagerWindows(ProgramState &state, QObject *parent = nullptr);
    ~ThemeManagerWindows() override;

    struct Context {
        MainWindow &window;
        ThemeModel &themes;
        Browser &browser;
        QString themePage; ///< the vendor's theme page (`ThemePage` of vendor.ini)
    };
    /// Wires the windows to the main window and shows the theme tab's entries that lead to them.
    void attach(const Context &context, ThemeDownload &download);

    /// Built on the first call after attach(); nullptr before.
    ThemeManagerDialog *manager();
    /// Built on the first call after attach(); nullptr before.
    ImportProgressWindow *progressWindow();
    ThemeDownloadPage *downloadPage() const { return m_page; }

    /// Makes a theme active as New, Open and the imports do: ActiveTheme, LoadTheme (to top),
    /// LoadSiteLists, FillThemeChooser, SelectLink(1).
    void activate(const QString &name);
    /// Opens the vendor's theme page in the main browser at the page's full size.
    void openThemePage();

    // ThemeDownloadUi
    bool askYesNo(const QString &question) override;
    QString askNewName() override;
    void showProgress(const QString &caption, const QString &status) override;
    void setProgressStatus(const QString &status) override;
    void setProgress(qint64 received, qint64 total) override;
    void closeProgress() override;
    void showMessage(const QString &text) override;
    void themeDownloaded(const QString &name) override;
    bool activateImported() const override;
    void activateTheme(const QString &name) override;
    void themesChanged() override;

private:
    ProgramState &m_state;
    MainWindow *m_window = nullptr;
    ThemeModel *m_themes = nullptr;
    Browser *m_browser = nullptr;
    QString m_themePage;
    ThemeDownload *m_download = nullptr;
    ThemeManagerDialog *m_manager = nullptr;
    ImportProgressWindow *m_progress = nullptr;
    ThemeDownloadPage *m_page = nullptr;
};

} // namespace tovalin
