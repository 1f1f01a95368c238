#pragma once
// Whether the account Tovalin runs under may administer the machine: a child
// with such rights can switch Tovalin off, so the parents are told.

#include <QStringList>

namespace tovalin {

/// The groups that give administrator rights on Debian and its relatives.
inline const QStringList kAdministratorGroups{QStringLiteral("sudo"), QStringLiteral("adm"), QStringLiteral("wheel"),
                                              QStringLiteral("root")};

/// The administrator groups among this process's groups ("root" also for the root account
/// itself), in the order of kAdministratorGroups; empty for an ordinary account.
QStringList administratorGroupsOfThisAccount();

} // namespace tovalin
