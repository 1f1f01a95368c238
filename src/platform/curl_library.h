#pragma once
// libcurl, opened when the first transfer starts rather than at start-up
// (see core/on_demand_library.h). Include this instead of the library's own header.

#include "core/on_demand_library.h"

// Before curl.h: its checking macros would stand where the names below are mapped.
#ifndef CURL_DISABLE_TYPECHECK
#define CURL_DISABLE_TYPECHECK
#endif
#include <curl/curl.h>

#define TOVALIN_CURL_LIBRARY_FUNCTIONS(X) \
    X(curl_global_init) \
    X(curl_easy_init) \
    X(curl_easy_cleanup) \
    X(curl_easy_setopt) \
    X(curl_easy_getinfo) \
    X(curl_easy_header) \
    X(curl_easy_strerror) \
    X(curl_multi_init) \
    X(curl_multi_cleanup) \
    X(curl_multi_add_handle) \
    X(curl_multi_remove_handle) \
    X(curl_multi_perform) \
    X(curl_multi_poll) \
    X(curl_multi_info_read) \
    X(curl_slist_append) \
    X(curl_slist_free_all)

namespace tovalin::curl_library {
TOVALIN_ON_DEMAND_DECLARATIONS(TOVALIN_CURL_LIBRARY_FUNCTIONS)
} // namespace tovalin::curl_library

#ifndef TOVALIN_CURL_LIBRARY_TABLE // (defined by the one source file that fills the table)
// Call sites keep the library's own names (curl.h maps two of them onto themselves first).
#undef curl_global_init
#define curl_global_init (::tovalin::curl_library::functions().curl_global_init)
#undef curl_easy_init
#define curl_easy_init (::tovalin::curl_library::functions().curl_easy_init)
#undef curl_easy_cleanup
#define curl_easy_cleanup (::tovalin::curl_library::functions().curl_easy_cleanup)
#undef curl_easy_setopt
#define curl_easy_setopt (::tovalin::curl_library::functions().curl_easy_setopt)
#undef curl_easy_getinfo
#define curl_easy_getinfo (::tovalin::curl_library::functions().curl_easy_getinfo)
#undef curl_easy_header
#define curl_easy_header (::tovalin::curl_library::functions().curl_easy_header)
#undef curl_easy_strerror
#define curl_easy_strerror (::tovalin::curl_library::functions().curl_easy_strerror)
#undef curl_multi_init
#define curl_multi_init (::tovalin::curl_library::functions().curl_multi_init)
#undef curl_multi_cleanup
#define curl_multi_cleanup (::tovalin::curl_library::functions().curl_multi_cleanup)
#undef curl_multi_add_handle
#define curl_multi_add_handle (::tovalin::curl_library::functions().curl_multi_add_handle)
#undef curl_multi_remove_handle
#define curl_multi_remove_handle (::tovalin::curl_library::functions().curl_multi_remove_handle)
#undef curl_multi_perform
#define curl_multi_perform (::tovalin::curl_library::functions().curl_multi_perform)
#undef curl_multi_poll
#define curl_multi_poll (::tovalin::curl_library::functions().curl_multi_poll)
#undef curl_multi_info_read
#define curl_multi_info_read (::tovalin::curl_library::functions().curl_multi_info_read)
#undef curl_slist_append
#define curl_slist_append (::tovalin::curl_library::functions().curl_slist_append)
#undef curl_slist_free_all
#define curl_slist_free_all (::tovalin::curl_library::functions().curl_slist_free_all)
#endif
