#pragma once
// The one form in which the guard compares host names, until the shared helper of
// address_match.h takes its place: ASCII (international names in their ACE form),
// small letters, no trailing dot.

#include <QString>
#include <QStringView>

namespace tovalin {

/// The host in its canonical form: ASCII/ACE, small letters, no trailing dot; empty when the
/// text is no valid host name.
QString canonicalHost(QStringView host);

} // namespace tovalin
