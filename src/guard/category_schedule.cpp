#include "guard/category_schedule.h"

#include "core/ini.h"
#include "guard/category_filter.h"
#include "guard/category_text.h"
#include "guard/guard_log.h"
#include "state/program_state.h"

#include <QDir>

namespace tovalin {

CategoryUpdates::CategoryUpdates(const ProgramState &state, CategoryFilter &filter, QString source, QObject *parent)
    : QObject(parent)
    , m_state(state)
    , m_filter(filter)
    , m_source(std::move(source))
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        look();
        m_timer.start(kLookEveryMs);
    });
    connect(&m_updater, &CategoryUpdater::finished, this, [this](const CategoryUpdateResult &) { m_filter.reload(); });
}

void CategoryUpdates::start()
{
    m_timer.start(kFirstLookMs);
}

bool CategoryUpdates::isQuietHour(const QDateTime &utc)
{
    const int hour = utc.toUTC().time().hour();
    return hour >= 19 || hour < 8;
}

bool CategoryUpdates::isDue(const QDateTime &now, const CategoryUpdateStatus &status)
{
    if (!isQuietHour(now))
        return false;
    if (status.lastSuccess.isValid() && status.lastSuccess.secsTo(now) < 24 * 3600)
        return false;
    // A failed attempt (no network, a server down) is tried again an hour later, not at once.
    return !status.lastAttempt.isValid() || status.lastAttempt.secsTo(now) >= 3600;
}

bool CategoryUpdates::anyUserChoosesCategories(const QString &dataFolder)
{
    const QDir users(dataFolder + QStringLiteral("/gebruikers"));
    const QStringList profiles = users.entryList({QStringLiteral("*.usr")}, QDir::Files | QDir::Hidden);
    for (const QString &file : profiles) {
        const std::optional<IniDocument> ini = IniDocument::load(users.filePath(file));
        if (ini && !splitCategoryNames(ini->stringValue(QStringLiteral("Beveiliging"), QStringLiteral("Categorieen"))).isEmpty())
            return true;
    }
    return false;
}

void CategoryUpdates::look()
{
    if (m_updater.isRunning() || m_state.DataFolder.isEmpty())
        return;
    const CategoryUpdateStatus status = CategoryUpdateStatus::read(CategoryFiles(m_state.DataFolder));
    if (!isDue(QDateTime::currentDateTimeUtc(), status) || !anyUserChoosesCategories(m_state.DataFolder))
        return;
    qCInfo(lcGuard) << "background update of the category lists";
    startUpdate();
}

bool CategoryUpdates::updateNow()
{
    return startUpdate();
}

bool CategoryUpdates::startUpdate()
{
    CategoryUpdateRequest request;
    request.dataFolder = m_state.DataFolder;
    request.source = m_source;
    return m_updater.start(request);
}

} // namespace tovalin
