// tovalinctl categories: the category lists of a data folder, listed and updated with the
// same code as the program's own background update.

#include "tools/ctl_common.h"

#include "guard/category_index.h"
#include "guard/category_text.h"
#include "guard/category_update.h"
#include "guard/site_lists.h"
#include "state/startup.h"

#include <QFileInfo>

#include <chrono>
#include <unistd.h>

namespace tovalin::ctl {

namespace {

QString isoTime(const QDateTime &t)
{
    return t.isValid() ? t.toUTC().toString(Qt::ISODate) : QStringLiteral("-");
}

int categoriesList(const QString &data)
{
    const CategoryFiles files(data);
    if (!QFileInfo::exists(files.index)) {
        QTextStream(stderr) << "tovalinctl: note: no category lists have been fetched into " << data << " yet\n";
        return Done;
    }
    QString why;
    const auto index = CategoryIndex::open(files.index, &why);
    if (!index)
        return fail(QStringLiteral("the category index %1 cannot be read: %2").arg(files.index, why));
    QTextStream out(stdout);
    for (const CategoryInfo &info : index->categories())
        out << info.name << '\t' << info.entries() << '\t' << isoTime(info.updated) << '\n';
    const CategoryUpdateStatus status = CategoryUpdateStatus::read(files);
    if (!status.failure.isEmpty())
        QTextStream(stderr) << "tovalinctl: note: the last update (" << isoTime(status.lastAttempt)
                            << ") failed: " << status.failure << '\n';
    return Done;
}

int categoriesUpdate(const QString &data, const QCommandLineParser &parser)
{
    CategoryUpdateRequest request;
    request.dataFolder = data;
    request.category = parser.value(QStringLiteral("category"));
    // A failure is told here and changes nothing; the parents' side shows the program's own.
    request.record = CategoryUpdateRequest::Record::SuccessOnly;
    if (parser.isSet(QStringLiteral("category")) && !isCategoryName(request.category))
        return fail(QStringLiteral("\"%1\" cannot be a category name (letters, digits, _ and -)").arg(request.category));
    request.source = parser.isSet(QStringLiteral("source"))
        ? parser.value(QStringLiteral("source"))
        : VendorSettings::load(VendorSettings::defaultPath(resolveProgramFolder())).CategorySource;
    if (request.source.isEmpty())
        return fail(QStringLiteral("no source: give --source URL, or set [Categories] Source in vendor.ini"));
    if (!QFileInfo(data).isDir())
        return fail(QStringLiteral("no data folder at %1").arg(data));

    // Progress for a person at a terminal; a script gets the outcome alone.
    const bool terminal = isatty(STDERR_FILENO);
    QTextStream err(stderr);
    auto last = std::chrono::steady_clock::now();
    const auto report = [&](const CategoryUpdateProgress &p) {
        const auto now = std::chrono::steady_clock::now();
        if (!terminal || now - last < std::chrono::seconds(1))
            return;
        last = now;
        const char *phase = p.phase == CategoryUpdateProgress::Phase::Fetching ? "fetching"
            : p.phase == CategoryUpdateProgress::Phase::Reading                ? "reading"
                                                                                : "building the index";
        err << "tovalinctl: " << phase << ' ' << p.what;
        if (p.percent >= 0)
            err << ' ' << p.percent << '%';
        err << '\n';
        err.flush();
    };
    const CategoryUpdateResult result = runCategoryUpdate(request, nullptr, report);
    if (!result.ok())
        return fail(QStringLiteral("the update failed, the lists in force stay: %1").arg(result.message));
    const auto index = CategoryIndex::open(CategoryFiles(data).index);
    QTextStream out(stdout);
    for (const QString &name : result.updated) {
        const int number = index ? index->categoryNumber(name) : -1;
        out << "updated\t" << name << '\t'
            << (number >= 0 ? index->categories()[std::size_t(number)].entries() : 0) << '\n';
    }
    if (!result.missing.isEmpty())
        err << "tovalinctl: note: not at the source: " << result.missing.join(QStringLiteral(", ")) << '\n';
    return Done;
}

} // namespace

int categories(const QCommandLineParser &parser)
{
    const QStringList args = parser.positionalArguments();
    const QString sub = args.value(1);
    const QString data = dataFolder(parser);
    if (sub == QLatin1String("list") && args.size() == 2)
        return categoriesList(data);
    if (sub == QLatin1String("update") && args.size() == 2)
        return categoriesUpdate(data, parser);
    return fail(QStringLiteral("usage: tovalinctl categories list | categories update [--source URL] [--category NAME]"));
}

} // namespace tovalin::ctl
