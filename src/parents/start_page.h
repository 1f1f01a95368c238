#pragma once
// "Create homepage" (parents' panel) and "Homepage" (quick menu): the page now
// shown becomes the active user's start page.

#include <QString>

namespace tovalin {

class ProgramState;
struct UserProfile;

struct StartPageResult {
    bool ok = false;
    QString message; ///< always set: the text to show
};

/// Sets profile.StartURL to location and writes only `StartURL` of `[Favorieten]` into
/// the active user's profile file (profilePathIn: the existing file whatever the letter case of
/// the name; every other key kept; the file is created when missing).
/// Without an active user nothing changes. A failed write keeps the in-memory value.
StartPageResult MakeStartPage(const ProgramState &state, UserProfile &profile, const QString &location);

} // namespace tovalin
