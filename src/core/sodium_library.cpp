#define TOVALIN_SODIUM_LIBRARY_TABLE
#include "core/sodium_library.h"

namespace tovalin::sodium_library {

namespace {

const char *const kNames[] = {TOVALIN_SODIUM_LIBRARY_FUNCTIONS(TOVALIN_ON_DEMAND_NAME) nullptr};
static_assert(sizeof(Functions) == (0 TOVALIN_SODIUM_LIBRARY_FUNCTIONS(TOVALIN_ON_DEMAND_COUNT)) * sizeof(void *));

Functions table;

OnDemandLibrary &library()
{
    static OnDemandLibrary lib("libsodium.so.23", kNames, &table);
    return lib;
}

} // namespace

bool load()
{
    return library().load();
}

const Functions &functions()
{
    return table;
}

} // namespace tovalin::sodium_library
