#include "guard/category_catalogue.h"

#include "core/text_file.h"
#include "guard/category_index.h"
#include "guard/category_text.h"
#include "guard/category_update.h"

#include <QCoreApplication>

#include <algorithm>

namespace tovalin {

QString builtInCategoryTitle(const QString &name)
{
    const auto is = [&name](const char *category) { return name == QLatin1String(category); };
    if (is("adult"))
        return QCoreApplication::translate("CategoryCatalogue", "Adult sites");
    if (is("mixed_adult"))
        return QCoreApplication::translate("CategoryCatalogue", "Partly adult sites");
    if (is("lingerie"))
        return QCoreApplication::translate("CategoryCatalogue", "Lingerie");
    if (is("dating"))
        return QCoreApplication::translate("CategoryCatalogue", "Dating");
    if (is("gambling"))
        return QCoreApplication::translate("CategoryCatalogue", "Gambling");
    if (is("drogue"))
        return QCoreApplication::translate("CategoryCatalogue", "Drugs");
    if (is("agressif"))
        return QCoreApplication::translate("CategoryCatalogue", "Violence and hate");
    if (is("malware"))
        return QCoreApplication::translate("CategoryCatalogue", "Malware");
    if (is("phishing"))
        return QCoreApplication::translate("CategoryCatalogue", "Phishing");
    if (is("redirector"))
        return QCoreApplication::translate("CategoryCatalogue", "Ways around the filter");
    if (is("vpn"))
        return QCoreApplication::translate("CategoryCatalogue", "VPN services");
    if (is("doh"))
        return QCoreApplication::translate("CategoryCatalogue", "DNS over HTTPS");
    return {};
}

QList<CategoryRow> categoryCatalogue(const CategoryIndex *index, const QString &namesFile, const QStringList &chosen,
                                     const QString &language)
{
    QHash<QString, CategoryTitles> titles;
    const ReadResult names = readFileBytes(namesFile, 1 << 20);
    if (names.ok())
        titles = parseGlobalUsage(names.bytes);

    QStringList all;
    const auto add = [&all](const QString &name) {
        if (isCategoryName(name) && !all.contains(name))
            all.append(name);
    };
    if (index)
        for (const CategoryInfo &info : index->categories())
            add(info.name);
    for (auto it = titles.cbegin(); it != titles.cend(); ++it)
        add(it.key());
    for (const QString &name : defaultCategories())
        add(name);
    for (const QString &name : chosen)
        add(name);

    QList<CategoryRow> rows;
    for (const QString &name : std::as_const(all)) {
        CategoryRow row;
        row.name = name;
        const CategoryTitles own = titles.value(name);
        row.title = own.value(language);
        if (row.title.isEmpty())
            row.title = builtInCategoryTitle(name);
        if (row.title.isEmpty())
            row.title = own.value(QStringLiteral("en"));
        if (row.title.isEmpty())
            row.title = name;
        const int number = index ? index->categoryNumber(name) : -1;
        if (number >= 0) {
            const CategoryInfo &info = index->categories()[std::size_t(number)];
            row.fetched = true;
            row.entries = info.entries();
            row.updated = info.updated;
        }
        rows.append(row);
    }
    std::sort(rows.begin(), rows.end(), [](const CategoryRow &a, const CategoryRow &b) {
        return QString::localeAwareCompare(a.title, b.title) < 0;
    });
    return rows;
}

} // namespace tovalin
