#pragma once
// libsodium, opened when a password or a signature is first checked rather than at start-up
// (see core/on_demand_library.h). Include this instead of the library's own header.

#include "core/on_demand_library.h"

#include <sodium.h>

#define TOVALIN_SODIUM_LIBRARY_FUNCTIONS(X) \
    X(sodium_init) \
    X(crypto_pwhash_str_alg) \
    X(crypto_pwhash_str_verify) \
    X(crypto_pwhash_str_needs_rehash) \
    X(crypto_sign_verify_detached)

namespace tovalin::sodium_library {
TOVALIN_ON_DEMAND_DECLARATIONS(TOVALIN_SODIUM_LIBRARY_FUNCTIONS)
} // namespace tovalin::sodium_library

#ifndef TOVALIN_SODIUM_LIBRARY_TABLE // (defined by the one source file that fills the table)
// Call sites keep the library's own names.
// A library that cannot be opened fails as sodium_init fails: every caller checks that first.
#undef sodium_init
#define sodium_init() \
    (::tovalin::sodium_library::load() ? ::tovalin::sodium_library::functions().sodium_init() : -1)
#undef crypto_pwhash_str_alg
#define crypto_pwhash_str_alg (::tovalin::sodium_library::functions().crypto_pwhash_str_alg)
#undef crypto_pwhash_str_verify
#define crypto_pwhash_str_verify (::tovalin::sodium_library::functions().crypto_pwhash_str_verify)
#undef crypto_pwhash_str_needs_rehash
#define crypto_pwhash_str_needs_rehash (::tovalin::sodium_library::functions().crypto_pwhash_str_needs_rehash)
#undef crypto_sign_verify_detached
#define crypto_sign_verify_detached (::tovalin::sodium_library::functions().crypto_sign_verify_detached)
#endif
