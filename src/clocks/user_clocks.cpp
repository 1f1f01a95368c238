#include "clocks/user_clocks.h"

#include "clocks/switch_clock.h"
#include "clocks/time_clock.h"
#include "users/user_profile.h"

namespace tovalin {

QStringList applyUserClocks(const UserProfile &profile, TimeClock &timeClock, SwitchClock &switchClock)
{
    switchClock.activateForUser(profile.StartWisselKlok);
    const TimeClock::StartResult result = timeClock.activateForUser(profile.StartTijdKlok, profile.MinTijdKlok);
    if (result.message.isEmpty())
        return {};
    return {result.message};
}

} // namespace tovalin
