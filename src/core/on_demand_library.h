#pragma once
// A shared library opened the first time one of its functions is called, not at start-up.
//
// libcurl, libzip and libsodium with what they bring (TLS, LDAP, SSH, compressors) take
// several milliseconds to load and initialise before main() runs, and the start page needs
// none of them. Each is therefore not linked but opened here, by its soname, when a transfer,
// a theme archive or a password first needs it. A library that cannot be opened, or lacks a
// function, is logged once and reported as missing; callers then fail with a clear message.
//
// Use: a header lists the functions in an X-macro, makes a table of them with
// TOVALIN_ON_DEMAND_TABLE and maps the library's own names onto the table, so call sites keep
// the library's names (see platform/curl_library.h).

#include <mutex>

namespace tovalin {

class OnDemandLibrary {
public:
    /// `names` ends with nullptr; `table` (a struct of as many function pointers) receives one
    /// address per name, in that order.
    OnDemandLibrary(const char *soname, const char *const *names, void *table);

    /// Opens the library on the first call (from any thread); false when it or a function is missing.
    bool load();

private:
    const char *m_soname;
    const char *const *m_names;
    void *m_table;
    std::once_flag m_once;
    bool m_loaded = false;
};

} // namespace tovalin

// Members of a table of functions, each typed as the library declares it, and their names.
#define TOVALIN_ON_DEMAND_MEMBER(name) decltype(&::name) name;
#define TOVALIN_ON_DEMAND_NAME(name) #name,
#define TOVALIN_ON_DEMAND_COUNT(name) +1

// In a library's namespace, in its header: the table of the FUNCTIONS list and
//   bool load();                      opens the library on the first call, from any thread;
//                                     false when it cannot be used (logged once)
//   const Functions &functions();     the library's functions, only after load() said true
#define TOVALIN_ON_DEMAND_DECLARATIONS(FUNCTIONS) \
    struct Functions { \
        FUNCTIONS(TOVALIN_ON_DEMAND_MEMBER) \
    }; \
    bool load(); \
    const Functions &functions();

// In a library's namespace, in its one source file: what TOVALIN_ON_DEMAND_DECLARATIONS declares.
#define TOVALIN_ON_DEMAND_DEFINITIONS(SONAME, FUNCTIONS) \
    namespace { \
    const char *const kNames[] = {FUNCTIONS(TOVALIN_ON_DEMAND_NAME) nullptr}; \
    static_assert(sizeof(Functions) == (0 FUNCTIONS(TOVALIN_ON_DEMAND_COUNT)) * sizeof(void *)); \
    Functions table; \
    ::tovalin::OnDemandLibrary &library() \
    { \
        static ::tovalin::OnDemandLibrary lib(SONAME, kNames, &table); \
        return lib; \
    } \
    } \
    bool load() { return library().load(); } \
    const Functions &functions() { return table; }
