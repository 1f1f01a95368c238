#include "app/account_rights.h"

#include <grp.h>
#include <unistd.h>
#include <vector>

namespace tovalin {

namespace {

QString groupName(gid_t gid)
{
    std::vector<char> buffer(16384);
    group entry{};
    group *found = nullptr;
    if (::getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
        return {};
    return QString::fromLocal8Bit(found->gr_name);
}

} // namespace

QStringList administratorGroupsOfThisAccount()
{
    QStringList names;
    const int count = ::getgroups(0, nullptr);
    std::vector<gid_t> gids(count > 0 ? count : 0);
    if (count > 0 && ::getgroups(count, gids.data()) == count)
        for (gid_t gid : gids)
            names << groupName(gid);
    names << groupName(::getegid());
    if (::geteuid() == 0)
        names << QStringLiteral("root");
    QStringList found;
    for (const QString &admin : kAdministratorGroups)
        if (names.contains(admin))
            found << admin;
    return found;
}

} // namespace tovalin
