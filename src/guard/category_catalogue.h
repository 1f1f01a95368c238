#pragma once
// The categories a parent may choose, each with its title in the interface's language, how
// many entries it holds and when it was fetched.

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace tovalin {

class CategoryIndex;

struct CategoryRow {
    QString name;        ///< as in the archive ("adult")
    QString title;       ///< in the interface's language ("Adult sites")
    qint64 entries = 0;
    QDateTime updated;   ///< invalid: never fetched
    bool fetched = false;
};

/// The title of a category the age templates choose, in the interface's language; empty for
/// other categories.
QString builtInCategoryTitle(const QString &name);

/// Every category a parent may choose: those of the index, those global_usage (the file at
/// namesFile) names, the age templates' and the user's own (chosen). Titles come from
/// global_usage in `language` ("nl", "en"), else the built-in titles, else global_usage in
/// English, else the name itself. Sorted by title.
QList<CategoryRow> categoryCatalogue(const CategoryIndex *index, const QString &namesFile, const QStringList &chosen,
                                     const QString &language);

} // namespace tovalin
