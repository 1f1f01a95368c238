#pragma once
// The parents' page line that says why the user's category lists are not in force (never
// fetched, cannot be read, the last update failed); hidden while nothing needs saying.

#include <QLabel>

namespace tovalin {

class CategoryFilter;

class CategoryProblemLabel : public QLabel {
    Q_OBJECT
public:
    CategoryProblemLabel(const CategoryFilter &filter, QWidget *parent = nullptr);

private:
    void showProblem();

    const CategoryFilter &m_filter;
};

} // namespace tovalin
