#define TOVALIN_ZIP_LIBRARY_TABLE
#include "themes/zip_library.h"

namespace tovalin::zip_library {
TOVALIN_ON_DEMAND_DEFINITIONS("libzip.so.4", TOVALIN_ZIP_LIBRARY_FUNCTIONS)
} // namespace tovalin::zip_library
