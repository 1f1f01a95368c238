#pragma once
// The child's requests and the activity report, assembled and wired: the Ask
// button beside the forbidden sign, the request window with its on-the-spot
// answer, the count of open requests on the padlock, the parents' Requests
// and Report pages, the surfing-time counter, and the start-up work (allows
// for today only taken back, old report days deleted).

#include <QDate>
#include <QObject>
#include <QList>
#include <memory>

namespace tovalin {

class ActivityLog;
class ActivityRecorder;
class ActivityWindow;
class AskButton;
class Browser;
class CountBadge;
class MainWindow;
class NavigationGuard;
class ParentsSide;
class ProgramState;
class RequestStore;
class RequestWindow;
class SiteLists;
class SurfTime;
class ThemeListsEditor;
class ThemeWindows;
class TickSource;
class UserStore;
struct AllowScope;

class ActivitySide : public QObject {
    Q_OBJECT
public:
    struct Context {
        ProgramState &state;
        SiteLists &lists;
        NavigationGuard &guard;
        Browser &browser;
        MainWindow &window;
        ParentsSide &parents;
        ThemeWindows &themeWindows;
        UserStore &users;
        /// The surfing-time counter's ticks; null: a real timer.
        TickSource *surfTicks = nullptr;
    };

    explicit ActivitySide(Context context, QObject *parent = nullptr);
    /// Writes the part-minute being surfed.
    ~ActivitySide() override;

    ActivityRecorder &recorder() { return *m_recorder; }
    RequestStore &requests() { return *m_requests; }
    SurfTime &surfTime() { return *m_surf; }
    AskButton &askButton() { return *m_ask; }
    /// The request window and the parents' activity window, made the first time they are wanted.
    RequestWindow &requestWindow();
    ActivityWindow &activityWindow();

    /// Allows a request (the request window and the Requests page); the problems, empty when done.
    QStringList allow(int id, const AllowScope &scope);
    /// Refuses a request; the problem, empty when done.
    QString refuse(int id);
    /// The start-up work, and again when the day changes while the program runs.
    void newDay(QDate today);

private:
    void updateCounting();
    void updateBadges();

    Context m_ctx;
    std::unique_ptr<TickSource> m_ownSurfTicks;
    std::unique_ptr<RequestStore> m_requests;
    std::unique_ptr<ActivityLog> m_log;
    std::unique_ptr<ActivityRecorder> m_recorder;
    std::unique_ptr<SurfTime> m_surf;
    std::unique_ptr<ThemeListsEditor> m_lists;
    QDate m_day;
    // Windows: children of the main window, deleted with this side (which goes first).
    AskButton *m_ask = nullptr;
    RequestWindow *m_requestWindow = nullptr;
    ActivityWindow *m_activityWindow = nullptr;
    QList<CountBadge *> m_badges;
};

} // namespace tovalin
