#define TOVALIN_ZIP_LIBRARY_TABLE
#include "themes/zip_library.h"

namespace tovalin::zip_library {

namespace {

const char *const kNames[] = {TOVALIN_ZIP_LIBRARY_FUNCTIONS(TOVALIN_ON_DEMAND_NAME) nullptr};
static_assert(sizeof(Functions) == (0 TOVALIN_ZIP_LIBRARY_FUNCTIONS(TOVALIN_ON_DEMAND_COUNT)) * sizeof(void *));

Functions table;

OnDemandLibrary &library()
{
    static OnDemandLibrary lib("libzip.so.4", kNames, &table);
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

} // namespace tovalin::zip_library
