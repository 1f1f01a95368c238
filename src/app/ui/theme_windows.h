#pragma once
// The parents' theme windows, assembled and wired to the main window: the
// add-link wizard and the link editor on the theme tab, and the active theme
// editor opened from the tab's "Edit theme's" page and from "Go to URL manager" (built when
// first opened: a child's start-up needs none of it).

#include "themes/ui/active_theme_editor.h"

#include <QObject>
#include <QString>
#include <functional>

namespace tovalin {

class AddLinkWizard;
class Browser;
class LinkEditorPage;
class MainWindow;
class ProgramState;
class SiteLists;
class SoundPlayer;
class ThemeModel;

class ThemeWindows : public QObject {
    Q_OBJECT
public:
    struct Context {
        ProgramState &state;
        SiteLists &lists;
        ThemeModel &themes;
        SoundPlayer &sound;
        Browser &browser;
        MainWindow &window; ///< with its themes set up
    };

    explicit ThemeWindows(Context context, QObject *parent = nullptr);
    ~ThemeWindows() override;

    AddLinkWizard &wizard() { return *m_wizard; }
    LinkEditorPage &linkEditor() { return *m_linkEditor; }
    /// The active theme editor, built the first time it is asked for.
    ActiveThemeEditor &editor();
    /// The note shown beside a list entry in the editor (for example "today only").
    void setEntryNote(std::function<QString(SiteList, const QString &)> note);

    /// Opens the active theme editor on its whitelist page ("Go to URL manager").
    void openUrlManager();
    /// What the camera does when no theme is active: open the theme manager (modal).
    void setThemeManagerOpener(std::function<void()> open) { m_openThemeManager = std::move(open); }

private:
    void wireThemeTab();

    Context m_ctx;
    std::function<void()> m_openThemeManager;
    AddLinkWizard *m_wizard = nullptr;
    LinkEditorPage *m_linkEditor = nullptr;
    ActiveThemeEditor::Hooks m_editorHooks; // until the editor is built
    ActiveThemeEditor *m_editor = nullptr;  // a child of the main window, built when first asked for
};

} // namespace tovalin
