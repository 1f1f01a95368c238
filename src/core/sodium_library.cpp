#define TOVALIN_SODIUM_LIBRARY_TABLE
#include "core/sodium_library.h"

namespace tovalin::sodium_library {
TOVALIN_ON_DEMAND_DEFINITIONS("libsodium.so.23", TOVALIN_SODIUM_LIBRARY_FUNCTIONS)
} // namespace tovalin::sodium_library
