#define TOVALIN_CURL_LIBRARY_TABLE
#include "platform/curl_library.h"

namespace tovalin::curl_library {
TOVALIN_ON_DEMAND_DEFINITIONS("libcurl.so.4", TOVALIN_CURL_LIBRARY_FUNCTIONS)
} // namespace tovalin::curl_library
