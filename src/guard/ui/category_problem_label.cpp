#include "guard/ui/category_problem_label.h"

#include "guard/category_filter.h"

namespace tovalin {

CategoryProblemLabel::CategoryProblemLabel(const CategoryFilter &filter, QWidget *parent)
    : QLabel(parent), m_filter(filter)
{
    setObjectName(QStringLiteral("categoryProblem"));
    setWordWrap(true);
    setStyleSheet(QStringLiteral("color: rgb(190, 20, 20); font-weight: bold;"));
    connect(&m_filter, &CategoryFilter::changed, this, &CategoryProblemLabel::showProblem);
    showProblem();
}

void CategoryProblemLabel::showProblem()
{
    const QString problem = m_filter.problemText();
    setText(problem);
    setVisible(!problem.isEmpty());
}

} // namespace tovalin
