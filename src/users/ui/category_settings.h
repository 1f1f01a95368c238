#pragma once
// The Security page's column for SafeSearch and the category lists: two ticks for the search
// engines' safe modes, and a tick per category with its title in the interface's language,
// how many entries it holds and when it was fetched; the lists' state (never fetched, cannot
// be read, the last update failed) and "Update now" with the update's progress.

#include <QWidget>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace tovalin {

class CategoryFilter;
class CategoryUpdates;
struct CategoryUpdateProgress;
struct CategoryUpdateResult;
struct UserProfile;

class CategorySettings : public QWidget {
    Q_OBJECT
public:
    CategorySettings(UserProfile &profile, CategoryFilter &filter, CategoryUpdates &updates, QWidget *parent = nullptr);

    /// Shows the profile's values again (another user, a reloaded profile).
    void showProfile();

signals:
    /// A tick changed the profile (in force at once).
    void profileEdited();

private:
    void fillList();
    void showState();
    void itemChanged(QTreeWidgetItem *item);
    void progressed(const CategoryUpdateProgress &progress);
    void finished(const CategoryUpdateResult &result);

    UserProfile &m_profile;
    CategoryFilter &m_filter;
    CategoryUpdates &m_updates;
    QCheckBox *m_safeSearch = nullptr;
    QCheckBox *m_youTubeModerate = nullptr;
    QTreeWidget *m_list = nullptr;
    QLabel *m_state = nullptr;
    QProgressBar *m_progress = nullptr;
    QPushButton *m_update = nullptr;
    QPushButton *m_cancel = nullptr;
    bool m_filling = false;
};

} // namespace tovalin
