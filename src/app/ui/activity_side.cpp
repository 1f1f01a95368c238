#include "app/ui/activity_side.h"

#include "activity/activity_files.h"
#include "activity/activity_recorder.h"
#include "activity/activity_report.h"
#include "activity/request_answers.h"
#include "activity/request_store.h"
#include "activity/ui/activity_window.h"
#include "activity/ui/ask_button.h"
#include "activity/ui/count_badge.h"
#include "activity/ui/report_page.h"
#include "activity/ui/request_window.h"
#include "activity/ui/requests_page.h"
#include "app/ui/main_window.h"
#include "app/ui/parents_side.h"
#include "app/ui/theme_windows.h"
#include "clocks/surf_time.h"
#include "clocks/time_clock.h"
#include "guard/block_accept.h"
#include "guard/navigation_guard.h"
#include "guard/site_lists.h"
#include "parents/menu_lock.h"
#include "platform/browser.h"
#include "platform/tick_source.h"
#include "state/program_state.h"
#include "themes/ui/active_theme_editor.h"
#include "users/user_store.h"

#include <QCoreApplication>
#include <QTimer>
#include <QToolButton>

namespace tovalin {

namespace {
// How often the day is looked at, and the count on the padlock read again.
constexpr int kDayCheckMs = 60 * 1000;
} // namespace

ActivitySide::ActivitySide(Context context, QObject *parent) : QObject(parent), m_ctx(context)
{
    const QString data = m_ctx.state.DataFolder;
    TickSource *ticks = m_ctx.surfTicks;
    if (!ticks) {
        m_ownSurfTicks = std::make_unique<QtTickSource>();
        ticks = m_ownSurfTicks.get();
    }
    m_requests = std::make_unique<RequestStore>(activity::requestsFile(data));
    m_requests->reload();
    m_log = std::make_unique<ActivityLog>(data);
    m_recorder = std::make_unique<ActivityRecorder>(m_ctx.state, *m_log, *m_requests);
    m_surf = std::make_unique<SurfTime>(*ticks);
    m_lists = std::make_unique<ThemeListsEditor>(data, &m_ctx.lists, &m_ctx.state);

    connect(&m_ctx.guard, &NavigationGuard::navigationDecided, m_recorder.get(), &ActivityRecorder::navigationDecided);
    connect(&m_ctx.browser, &Browser::documentComplete, m_recorder.get(), [this](FrameId frame, const QString &address) {
        if (frame == Browser::kMainFrame)
            m_recorder->pageCompleted(address);
    });
    connect(m_surf.get(), &SurfTime::surfed, m_recorder.get(), &ActivityRecorder::surfed);
    // The part-minute before a change of user or theme counts for the one that was surfed.
    for (auto changed : {&ProgramState::activeUserChanged, &ProgramState::activeThemeChanged}) {
        connect(&m_ctx.state, changed, this, [this] {
            m_surf->flush();
            m_recorder->followSurfer();
            updateCounting();
        });
    }
    MainWindow &w = m_ctx.window;
    connect(&w, &MainWindow::parentsMenuOpenChanged, this, [this] {
        updateCounting();
        updateBadges();
    });
    TimeClock &clock = m_ctx.parents.timeClock();
    connect(&clock, &TimeClock::positionChanged, this, &ActivitySide::updateCounting);
    connect(&clock, &TimeClock::gaugeVisibleChanged, this, &ActivitySide::updateCounting);
    connect(qApp, &QCoreApplication::aboutToQuit, m_surf.get(), &SurfTime::flush);

    // The child's side: the Ask button and the request window.
    m_ask = new AskButton(*m_recorder, &w);
    w.addBesideIndicator(m_ask);
    // The windows are made the first time they are wanted: most starts need neither.
    connect(m_ask, &AskButton::requestWindowWanted, this, [this](int id) { requestWindow().showRequest(id); });

    // The count on the padlock, the list pages' mark of allows for today only.
    for (QToolButton *button : w.parentsMenuButtons()) {
        if (button)
            m_badges.append(new CountBadge(button));
    }
    connect(&m_ctx.parents.menuLock(), &MenuLock::lockedChanged, this, &ActivitySide::updateBadges);
    connect(m_recorder.get(), &ActivityRecorder::requestsChanged, this, &ActivitySide::updateBadges);
    m_ctx.themeWindows.setEntryNote([this](SiteList which, const QString &entry) {
        return which == SiteList::White && m_requests->isTodayOnly(m_ctx.state.activeTheme(), entry)
                   ? tr("today only")
                   : QString();
    });

    if (LinkLabel *link = w.menuBarLink(QStringLiteral("LabelVerzoeken")))
        connect(link, &LinkLabel::clicked, this, [this] { activityWindow().showRequests(); });
    if (LinkLabel *link = w.menuBarLink(QStringLiteral("LabelVerslag")))
        connect(link, &LinkLabel::clicked, this, [this] { activityWindow().showReport(); });

    newDay(QDate::currentDate());
    auto *dayCheck = new QTimer(this);
    dayCheck->setInterval(kDayCheckMs);
    connect(dayCheck, &QTimer::timeout, this, [this] {
        if (QDate::currentDate() != m_day)
            newDay(QDate::currentDate());
        updateBadges();
    });
    dayCheck->start();
    updateCounting();
    updateBadges();
}

ActivitySide::~ActivitySide()
{
    m_surf->setCounting(false);
    delete m_activityWindow;
    delete m_requestWindow;
    delete m_ask;
    qDeleteAll(m_badges);
}

RequestWindow &ActivitySide::requestWindow()
{
    if (m_requestWindow)
        return *m_requestWindow;
    RequestActions actions;
    actions.find = [this](int id) {
        m_requests->reload();
        return m_requests->find(id);
    };
    actions.verifyPassword = [this](const QString &typed) {
        return PasswordStore(m_ctx.state.passwordFile()).verify(typed);
    };
    actions.allow = [this](int id, const AllowScope &scope) {
        const std::optional<Request> request = m_requests->find(id);
        const QStringList problems = allow(id, scope);
        // Allowed on the spot: the page opens at once, as a new navigation of the child's.
        if (problems.isEmpty() && request) {
            m_ctx.window.BeginUserNavigation();
            m_ctx.browser.navigate(request->address);
        }
        return problems;
    };
    actions.refuse = [this](int id) { return refuse(id); };
    m_requestWindow = new RequestWindow(std::move(actions), &m_ctx.window);
    return *m_requestWindow;
}

ActivityWindow &ActivitySide::activityWindow()
{
    if (m_activityWindow)
        return *m_activityWindow;
    MainWindow &w = m_ctx.window;
    RequestsPage::Actions requestActions;
    requestActions.allow = [this](int id, const AllowScope &scope) { return allow(id, scope); };
    requestActions.refuse = [this](int id) { return refuse(id); };
    auto *requestsPage = new RequestsPage(*m_requests, std::move(requestActions));

    const QString data = m_ctx.state.DataFolder;
    ReportPage::Actions reportActions;
    reportActions.users = [this] { return m_ctx.users.ListUsers(); };
    reportActions.activeUser = [this] { return m_ctx.state.activeUser(); };
    reportActions.today = [] { return QDate::currentDate(); };
    reportActions.readDay = [data](const QString &user, QDate day) { return ActivityLog::readDay(data, user, day); };
    reportActions.allow = [this](const QString &theme, const QString &address) {
        const ThemeListsEditor::Result r
            = m_lists->edit(theme, [&address](SiteLists &l) { allowInLists(l, address, address); });
        return ReportPage::Outcome{r.ok(), r.ok() ? tr("%1 is allowed in theme %2.").arg(address, theme) : r.message};
    };
    reportActions.block = [this](const QString &theme, const QString &address) {
        ListEditResult blocked;
        const ThemeListsEditor::Result r
            = m_lists->edit(theme, [&](SiteLists &l) { blocked = blockInLists(l, address); });
        if (!r.ok())
            return ReportPage::Outcome{false, r.message};
        // Already on the blacklist: told as the list commands tell it.
        return ReportPage::Outcome{blocked.changed, blocked.changed ? tr("%1 is blocked in theme %2.").arg(address, theme)
                                                                    : blocked.messages.join(u'\n')};
    };
    reportActions.keepDays = [data] { return ActivityLog::keepDays(data); };
    reportActions.setKeepDays = [this, data](int days) {
        const WriteResult saved = ActivityLog::setKeepDays(data, days);
        if (!saved.ok)
            return saved.error;
        ActivityLog::removeOldDays(data, QDate::currentDate(), days);
        return QString();
    };
    auto *reportPage = new ReportPage(std::move(reportActions));

    m_activityWindow = new ActivityWindow(requestsPage, reportPage, &w);
    // A question asked while the parent looks at the page shows at once.
    connect(m_recorder.get(), &ActivityRecorder::requestsChanged, requestsPage, [this, requestsPage] {
        if (m_activityWindow->isVisible() && requestsPage->isVisible())
            requestsPage->refresh();
    });
    return *m_activityWindow;
}

QStringList ActivitySide::allow(int id, const AllowScope &scope)
{
    m_requests->reload();
    const std::optional<Request> request = m_requests->find(id);
    const QStringList themes
        = request ? themesOfUser(m_ctx.state.DataFolder, request->user, request->theme) : QStringList();
    const AllowOutcome outcome = allowRequest(*m_requests, *m_lists, id, scope, themes, m_recorder->now());
    if (!outcome.themes.isEmpty())
        m_recorder->requestAnswered(id);
    return outcome.problems;
}

QString ActivitySide::refuse(int id)
{
    const QString problem = refuseRequest(*m_requests, id, m_recorder->now());
    if (problem.isEmpty())
        m_recorder->requestAnswered(id);
    return problem;
}

void ActivitySide::newDay(QDate today)
{
    m_day = today;
    expireTodayOnly(*m_requests, *m_lists, today);
    ActivityLog::removeOldDays(m_ctx.state.DataFolder, today, ActivityLog::keepDays(m_ctx.state.DataFolder));
}

void ActivitySide::updateCounting()
{
    // The child surfs while a user is active, the parents' menu is closed and the time is not up.
    const bool surfing = UserStore::isUsableName(m_ctx.state.activeUser()) && !m_ctx.window.parentsMenuOpen()
                         && !m_ctx.parents.timeClock().timeIsUp();
    if (surfing && !m_surf->counting())
        m_recorder->followSurfer();
    m_surf->setCounting(surfing);
}

void ActivitySide::updateBadges()
{
    m_requests->reload();
    const int open = m_requests->openCount();
    const bool locked = m_ctx.parents.menuLock().locked();
    for (CountBadge *badge : std::as_const(m_badges))
        badge->setCount(open, locked);
}

} // namespace tovalin
