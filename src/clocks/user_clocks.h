#pragma once
// Starting or stopping both clocks from the active user's profile, each time
// the user manager applies the user's settings.

#include <QStringList>

namespace tovalin {

class SwitchClock;
class TimeClock;
struct UserProfile;

/// `StartWisselKlok` starts or stops the switch clock; `StartTijdKlok` restarts the time clock with
/// `MinTijdKlok` or stops it. Returns the time clock's messages to show (empty or refused minutes).
QStringList applyUserClocks(const UserProfile &profile, TimeClock &timeClock, SwitchClock &switchClock);

} // namespace tovalin
