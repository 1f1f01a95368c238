#define TOVALIN_CURL_LIBRARY_TABLE
#include "platform/curl_library.h"

namespace tovalin::curl_library {

namespace {

const char *const kNames[] = {TOVALIN_CURL_LIBRARY_FUNCTIONS(TOVALIN_ON_DEMAND_NAME) nullptr};
static_assert(sizeof(Functions) == (0 TOVALIN_CURL_LIBRARY_FUNCTIONS(TOVALIN_ON_DEMAND_COUNT)) * sizeof(void *));

Functions table;

OnDemandLibrary &library()
{
    static OnDemandLibrary lib("libcurl.so.4", kNames, &table);
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

} // namespace tovalin::curl_library
