#include "core/on_demand_library.h"

#include <QLoggingCategory>

#include <cstring>
#include <dlfcn.h>

Q_LOGGING_CATEGORY(lcOnDemand, "tovalin.libraries", QtWarningMsg)

namespace tovalin {

OnDemandLibrary::OnDemandLibrary(const char *soname, const char *const *names, void *table)
    : m_soname(soname)
    , m_names(names)
    , m_table(table)
{
}

bool OnDemandLibrary::load()
{
    std::call_once(m_once, [this] {
        // Local: the library's symbols stay its own and never stand in for another's.
        void *handle = dlopen(m_soname, RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            qCWarning(lcOnDemand, "%s cannot be opened: %s", m_soname, dlerror());
            return;
        }
        for (int i = 0; m_names[i]; ++i) {
            void *address = dlsym(handle, m_names[i]);
            if (!address) {
                qCWarning(lcOnDemand, "%s lacks %s: the installed version is too old", m_soname, m_names[i]);
                return; // kept open: a half-resolved table is never used
            }
            // POSIX: an address from dlsym may be used as a pointer to the function.
            std::memcpy(static_cast<char *>(m_table) + i * sizeof(void *), &address, sizeof address);
        }
        m_loaded = true;
    });
    return m_loaded;
}

} // namespace tovalin
