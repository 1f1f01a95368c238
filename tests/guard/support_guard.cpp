#include "guard/support_guard.h"

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

int GuardWorld::forbiddenSounds() const
{
    return int(sound.played.count(state.soundPath(QStringLiteral("verboden.wav"))));
}

} // namespace tovalin::test
