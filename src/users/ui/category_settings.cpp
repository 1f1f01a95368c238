#include "users/ui/category_settings.h"

#include "guard/category_catalogue.h"
#include "guard/category_filter.h"
#include "guard/category_schedule.h"
#include "guard/category_text.h"
#include "state/language.h"
#include "users/ui/users_look.h"
#include "users/user_profile.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tovalin {

namespace {

constexpr int kNameRole = Qt::UserRole + 1;

QString phaseText(const CategoryUpdateProgress &p)
{
    switch (p.phase) {
    case CategoryUpdateProgress::Phase::Fetching:
        return CategorySettings::tr("Fetching %1 ...").arg(p.what);
    case CategoryUpdateProgress::Phase::Reading:
        return CategorySettings::tr("Reading %1 ...").arg(p.what);
    case CategoryUpdateProgress::Phase::Building:
        return CategorySettings::tr("Building the index ...");
    }
    return {};
}

} // namespace

CategorySettings::CategorySettings(UserProfile &profile, CategoryFilter &filter, CategoryUpdates &updates, QWidget *parent)
    : QWidget(parent)
    , m_profile(profile)
    , m_filter(filter)
    , m_updates(updates)
{
    setObjectName(QStringLiteral("categorySettings"));
    auto *lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);

    m_safeSearch = userslook::settingsCheckBox(tr("Force SafeSearch"), QStringLiteral("CBVeiligZoeken"), this);
    m_youTubeModerate = userslook::settingsCheckBox(tr("YouTube: moderate instead of strict"),
                                                    QStringLiteral("CBYouTubeMatig"), this);
    auto *safeNote = new QLabel(tr("Google, Bing and DuckDuckGo filter their results, YouTube shows its restricted mode."),
                                this);
    safeNote->setWordWrap(true);
    QFont italic = safeNote->font();
    italic.setItalic(true);
    safeNote->setFont(italic);
    lay->addWidget(m_safeSearch);
    auto *indent = new QVBoxLayout;
    indent->setContentsMargins(22, 0, 0, 0);
    indent->addWidget(safeNote);
    indent->addWidget(m_youTubeModerate);
    lay->addLayout(indent);
    connect(m_safeSearch, &QCheckBox::toggled, this, [this](bool on) {
        m_youTubeModerate->setEnabled(on);
        if (m_filling)
            return;
        m_profile.VeiligZoeken = on;
        emit profileEdited();
    });
    connect(m_youTubeModerate, &QCheckBox::toggled, this, [this](bool on) {
        if (m_filling)
            return;
        m_profile.YouTubeMatig = on;
        emit profileEdited();
    });

    auto *group = new QGroupBox(tr("Block categories of sites:"), this);
    group->setObjectName(QStringLiteral("categoryGroup"));
    auto *groupLay = new QVBoxLayout(group);
    m_list = new QTreeWidget(group);
    m_list->setObjectName(QStringLiteral("categoryList"));
    m_list->setRootIsDecorated(false);
    m_list->setMinimumWidth(300);
    m_list->setHeaderLabels({tr("Category"), tr("Entries"), tr("Updated")});
    m_list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_list->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_list->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    m_list->header()->setStretchLastSection(false);
    groupLay->addWidget(m_list, 1);
    connect(m_list, &QTreeWidget::itemChanged, this, &CategorySettings::itemChanged);

    m_state = new QLabel(group);
    m_state->setObjectName(QStringLiteral("categoryState"));
    m_state->setWordWrap(true);
    groupLay->addWidget(m_state);
    m_progress = new QProgressBar(group);
    m_progress->setObjectName(QStringLiteral("categoryProgress"));
    m_progress->hide();
    groupLay->addWidget(m_progress);
    auto *buttons = new QHBoxLayout;
    m_update = new QPushButton(tr("Update now"), group);
    m_update->setObjectName(QStringLiteral("categoryUpdate"));
    m_cancel = new QPushButton(tr("Cancel"), group);
    m_cancel->setObjectName(QStringLiteral("categoryCancel"));
    m_cancel->hide();
    buttons->addWidget(m_update);
    buttons->addWidget(m_cancel);
    buttons->addStretch(1);
    groupLay->addLayout(buttons);
    auto *credit = new QLabel(tr("The lists: Université Toulouse 1 Capitole (UT1), licence CC BY-SA."), group);
    credit->setObjectName(QStringLiteral("categoryCredit"));
    credit->setWordWrap(true);
    QFont small = credit->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    credit->setFont(small);
    groupLay->addWidget(credit);
    lay->addWidget(group, 1);

    connect(m_update, &QPushButton::clicked, this, [this] {
        if (m_updates.updateNow())
            showState();
    });
    connect(m_cancel, &QPushButton::clicked, this, [this] { m_updates.cancel(); });
    connect(&m_updates.updater(), &CategoryUpdater::progressed, this, &CategorySettings::progressed);
    connect(&m_updates.updater(), &CategoryUpdater::finished, this, &CategorySettings::finished);
    // Queued: a tick changes the filter's state from inside the list's own signal, and the list
    // is filled again only once that signal has returned.
    connect(
        &m_filter, &CategoryFilter::changed, this,
        [this] {
            fillList();
            showState();
        },
        Qt::QueuedConnection);
    showProfile();
}

void CategorySettings::showProfile()
{
    m_filling = true;
    m_safeSearch->setChecked(m_profile.VeiligZoeken);
    m_youTubeModerate->setChecked(m_profile.YouTubeMatig);
    m_youTubeModerate->setEnabled(m_profile.VeiligZoeken);
    m_filling = false;
    fillList();
    showState();
}

void CategorySettings::fillList()
{
    m_filling = true;
    const QStringList chosen = splitCategoryNames(m_profile.Categorieen);
    const QList<CategoryRow> rows
        = categoryCatalogue(m_filter.index().get(), m_filter.files().names, chosen, activeLanguage());
    const QLocale locale;
    m_list->clear();
    for (const CategoryRow &row : rows) {
        auto *item = new QTreeWidgetItem(m_list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setData(0, kNameRole, row.name);
        item->setText(0, row.title);
        item->setToolTip(0, row.title + QStringLiteral(" (") + row.name + u')');
        item->setCheckState(0, chosen.contains(row.name) ? Qt::Checked : Qt::Unchecked);
        item->setText(1, row.fetched ? locale.toString(row.entries) : QString());
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        item->setText(2, row.fetched && row.updated.isValid()
                             ? locale.toString(row.updated.toLocalTime().date(), QLocale::ShortFormat)
                             : tr("never"));
        if (row.fetched && row.updated.isValid())
            item->setToolTip(2, locale.toString(row.updated.toLocalTime(), QLocale::LongFormat));
    }
    m_filling = false;
}

void CategorySettings::itemChanged(QTreeWidgetItem *item)
{
    if (m_filling || !item)
        return;
    // The order the parent chose them in stays; a new tick goes at the end.
    QStringList chosen = splitCategoryNames(m_profile.Categorieen);
    const QString name = item->data(0, kNameRole).toString();
    if (item->checkState(0) == Qt::Checked) {
        if (!chosen.contains(name))
            chosen.append(name);
    } else {
        chosen.removeAll(name);
    }
    m_profile.Categorieen = chosen.join(u',');
    m_filter.refresh();
    showState();
    emit profileEdited();
}

void CategorySettings::showState()
{
    const bool running = m_updates.isRunning();
    m_update->setEnabled(!running);
    m_cancel->setVisible(running);
    m_progress->setVisible(running);
    if (running)
        return;
    const QString problem = m_filter.problemText();
    m_state->setStyleSheet(problem.isEmpty() ? QString() : QStringLiteral("color: rgb(190, 20, 20);"));
    if (!problem.isEmpty()) {
        m_state->setText(problem);
    } else if (m_filter.updateStatus().lastSuccess.isValid()) {
        m_state->setText(tr("Last updated: %1")
                             .arg(QLocale().toString(m_filter.updateStatus().lastSuccess.toLocalTime(), QLocale::ShortFormat)));
    } else {
        m_state->setText(tr("The lists are fetched each night; \"Update now\" fetches them at once."));
    }
}

void CategorySettings::progressed(const CategoryUpdateProgress &progress)
{
    m_update->setEnabled(false);
    m_cancel->show();
    m_progress->show();
    m_progress->setRange(0, progress.percent >= 0 ? 100 : 0);
    if (progress.percent >= 0)
        m_progress->setValue(progress.percent);
    m_state->setStyleSheet(QString());
    m_state->setText(phaseText(progress));
}

void CategorySettings::finished(const CategoryUpdateResult &result)
{
    showState();
    if (result.ok()) {
        m_state->setText(tr("Updated: %1").arg(result.updated.join(QStringLiteral(", "))));
    } else if (result.failure == CategoryUpdateFailure::Cancelled) {
        m_state->setText(tr("The update was cancelled; the lists in force stay."));
    } else {
        m_state->setStyleSheet(QStringLiteral("color: rgb(190, 20, 20);"));
        m_state->setText(tr("The update failed; the lists in force stay. %1")
                             .arg(categoryUpdateFailureText(result.failure, result.subject)));
    }
}

} // namespace tovalin
