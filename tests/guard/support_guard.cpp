#include "guard/support_guard.h"

#include "guard/category_text.h"

#include <QDir>

namespace tovalin::test {

UserProfile strictProfile()
{
    UserProfile p;
    p.Kindvriendelijk = true;
    p.Kindonvriendelijk = true;
    p.Geendialoog = true;
    p.Blokdoc = p.Blokpdf = p.Blokxls = p.Bloktxt = p.Blokppt = true;
    p.StartURL = QStringLiteral("http://start.example/index.html");
    return p;
}

GuardWorld::GuardWorld()
{
    state.DataFolder = dir.path();
    state.ProgramFolder = dir.path() + u'/';
    QDir().mkpath(state.themesFolder());
    state.setActiveTheme(QStringLiteral("Dieren"));
    lists = std::make_unique<SiteLists>(state, profile, vendor);
    categories = std::make_unique<CategoryFilter>(state, profile);
    lists->setCategoryFilter(categories.get());
    model = std::make_unique<NavigationModel>(state, sound);
    NavigationGuard::Services services;
    services.head = &head;
    services.media = &media;
    services.themes = &themes;
    services.clockPosition = [this] { return clock; };
    services.parentsPageOpen = [this] { return parentsPageOpen; };
    guard = std::make_unique<NavigationGuard>(state, *lists, profile, *model, services);
    guard->attachTo(browser);
}

void GuardWorld::writeCategories(const QHash<QString, QStringList> &lines)
{
    CategoryIndexBuilder builder;
    for (auto it = lines.cbegin(); it != lines.cend(); ++it) {
        builder.beginCategory(it.key(), QDateTime::currentDateTimeUtc());
        bool urls = false;
        for (const QString &line : it.value()) {
            if (line == QLatin1String("urls:")) {
                urls = true;
                continue;
            }
            const QByteArray utf8 = line.toUtf8();
            UrlEntryForm form;
            if (urls && parseUrlLine(utf8, form))
                builder.addUrl(form.hostKey.view(), form.path);
            else if (!urls)
                forEachListHost(utf8, [&builder](std::string_view host) { builder.addHost(host); });
        }
    }
    const CategoryFiles files(state.DataFolder);
    QDir().mkpath(files.folder);
    if (!builder.write(files.index).ok)
        qFatal("cannot write the category index");
    categories->reload();
}

int GuardWorld::forbiddenSounds() const
{
    return int(sound.played.count(state.soundPath(QStringLiteral("verboden.wav"))));
}

} // namespace tovalin::test
