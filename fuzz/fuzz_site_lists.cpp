// The list files of a theme and the three address tests on them.
//
// The input gives the user's two list settings and start page, the bytes of the three list
// files and an address (often built from a list entry, so matches are found). Checks: a list
// holds exactly the file's lines, sorted; saved and loaded again it is the same list and the
// file holds exactly those lines; every answer of IsNotWhitelisted, IsBlacklisted and
// IsPopupListed agrees with the plain reading in address_oracle.h (addresses read by the parser
// alone), and the quick reading of the common form agrees with the parser; compacting the whitelist
// changes no answer; reading an address as the engine loads it twice changes nothing; nothing is written
// outside the themes folder.

#include "support.h"

#include "address_oracle.h"
#include "core/text_file.h"
#include "guard/address_match.h"
#include "guard/site_lists.h"
#include "state/program_state.h"
#include "users/user_profile.h"

#include <QFile>
#include <algorithm>

using namespace tovalin;

namespace {

using fuzz::consumeText;
using fuzz::consumeBytes;
using fuzz::writeRaw;

QString pick(const QStringList &list, FuzzedDataProvider &in)
{
    if (list.isEmpty())
        return {};
    return list.at(in.ConsumeIntegralInRange<qsizetype>(0, list.size() - 1));
}

void checkSorted(const QStringList &items)
{
    for (qsizetype i = 1; i < items.size(); ++i)
        FUZZ_CHECK(!SortedList::lessThan(items.at(i), items.at(i - 1)));
}

QStringList sortedCopy(QStringList items)
{
    std::sort(items.begin(), items.end());
    return items;
}

void checkAnswers(const SiteLists &lists, const oracle::Setup &setup, const QString &address)
{
    if (lists.IsNotWhitelisted(address) != oracle::isNotWhitelisted(setup, address))
        fuzz::fail("IsNotWhitelisted agrees with the plain reading", __FILE__, __LINE__, fuzz::show(address));
    if (lists.IsBlacklisted(address) != oracle::isBlacklisted(setup, address))
        fuzz::fail("IsBlacklisted agrees with the plain reading", __FILE__, __LINE__, fuzz::show(address));
    if (lists.IsPopupListed(address) != oracle::isPopupListed(setup, address))
        fuzz::fail("IsPopupListed agrees with the plain reading", __FILE__, __LINE__, fuzz::show(address));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider in(data, size);
    fuzz::Sandbox &box = fuzz::Sandbox::instance();
    box.reset({QStringLiteral("themas")});

    ProgramState state;
    state.DataFolder = box.work();
    state.setActiveTheme(QStringLiteral("Dieren"));
    UserProfile profile;
    profile.Kindvriendelijk = in.ConsumeBool();
    profile.Kindonvriendelijk = in.ConsumeBool();
    profile.WitSites = in.ConsumeBool();
    profile.StartURL = consumeText(in, 80);
    VendorSettings vendor;
    SiteLists lists(state, profile, vendor);

    const QByteArray whiteFile = consumeBytes(in, 600);
    const QByteArray blackFile = consumeBytes(in, 400);
    const QByteArray popupFile = consumeBytes(in, 200);
    FUZZ_CHECK(writeRaw(lists.fileOf(SiteList::White), whiteFile));
    FUZZ_CHECK(writeRaw(lists.fileOf(SiteList::Black), blackFile));
    FUZZ_CHECK(writeRaw(lists.fileOf(SiteList::Popup), popupFile));
    lists.LoadSiteLists();

    const QStringList whiteLines = splitLines(decodeText(whiteFile));
    const QStringList blackLines = splitLines(decodeText(blackFile));
    const QStringList popupLines = splitLines(decodeText(popupFile));
    FUZZ_CHECK_EQ(sortedCopy(lists.whitelist().items()), sortedCopy(whiteLines));
    FUZZ_CHECK_EQ(sortedCopy(lists.blacklist().items()), sortedCopy(blackLines));
    FUZZ_CHECK_EQ(sortedCopy(lists.popuplist().items()), sortedCopy(popupLines));
    for (const SiteList which : {SiteList::White, SiteList::Black, SiteList::Popup})
        checkSorted(lists.list(which).items());

    oracle::Setup setup;
    setup.Kindvriendelijk = profile.Kindvriendelijk;
    setup.Kindonvriendelijk = profile.Kindonvriendelijk;
    setup.WitSites = profile.WitSites;
    setup.StartURL = profile.StartURL;
    setup.webHost = vendor.WebHost;
    setup.secondHost = vendor.SecondHost;
    setup.shortenerHost = vendor.ShortenerHost;
    setup.localHomePage = state.localHomePage();
    setup.white = whiteLines;
    setup.black = blackLines;
    setup.popup = popupLines;

    // Addresses: as given, and built from entries so that the exact tests meet their matches.
    QStringList addresses;
    while (in.remaining_bytes() > 0 && addresses.size() < 8) {
        switch (in.ConsumeIntegralInRange<int>(0, 3)) {
        case 0:
            addresses << consumeText(in, 120);
            break;
        case 1:
            addresses << pick(blackLines, in) + consumeText(in, 3);
            break;
        case 2:
            addresses << pick(popupLines, in) + consumeText(in, 3);
            break;
        case 3:
            addresses << consumeText(in, 20) + pick(whiteLines, in) + consumeText(in, 20);
            break;
        }
    }
    for (const QString &address : std::as_const(addresses)) {
        checkAnswers(lists, setup, address);
        // An address is judged as the engine loads it, and reading it so twice changes nothing.
        // The quick reading of the common form and the parser read it alike.
        const QString normal = normalizedAddress(address);
        FUZZ_CHECK_EQ(normal, generalNormalizedAddress(address));
        FUZZ_CHECK_EQ(hostOf(normal), generalHostOf(normal));
        FUZZ_CHECK_EQ(normalizedAddress(normal), normal);
        FUZZ_CHECK(lists.IsNotWhitelisted(normal) == lists.IsNotWhitelisted(address));
        FUZZ_CHECK(lists.IsBlacklisted(normal) == lists.IsBlacklisted(address));
    }

    // Saved and loaded again: the same lists, and files that hold exactly their lines.
    FUZZ_CHECK(lists.SaveSiteLists().ok);
    const QStringList before[] = {lists.whitelist().items(), lists.blacklist().items(), lists.popuplist().items()};
    lists.LoadSiteLists();
    FUZZ_CHECK_EQ(lists.whitelist().items(), before[0]);
    FUZZ_CHECK_EQ(lists.blacklist().items(), before[1]);
    FUZZ_CHECK_EQ(lists.popuplist().items(), before[2]);
    QFile saved(lists.fileOf(SiteList::White));
    FUZZ_CHECK(saved.open(QIODevice::ReadOnly));
    FUZZ_CHECK_EQ(saved.readAll(), joinLinesCrLf(before[0]));

    // Compacting drops only entries that allow nothing their predecessor does not: no answer
    // changes. (A chain such as "a", "ab", "ac" keeps "ac": each entry is compared with its
    // sorted predecessor as the list stands, so compacting is not always complete.)
    lists.CompactWhitelist();
    const QStringList compact = lists.whitelist().items();
    checkSorted(compact);
    for (const QString &entry : compact)
        FUZZ_CHECK(whiteLines.contains(entry));
    setup.white = compact;
    for (const QString &address : std::as_const(addresses)) {
        checkAnswers(lists, setup, address);
        oracle::Setup uncompacted = setup;
        uncompacted.white = whiteLines;
        FUZZ_CHECK(oracle::isNotWhitelisted(setup, address) == oracle::isNotWhitelisted(uncompacted, address));
    }

    const QStringList expectedTree = {QStringLiteral("outside.txt"), QStringLiteral("work"), QStringLiteral("work/themas"),
                                      QStringLiteral("work/themas/Dieren.kou"), QStringLiteral("work/themas/Dieren.kpu"),
                                      QStringLiteral("work/themas/Dieren.kvu")};
    FUZZ_CHECK_EQ(box.tree(), expectedTree);
    FUZZ_CHECK_EQ(box.strayEntries(), QStringList());
    return 0;
}
