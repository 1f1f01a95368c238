#pragma once
// libzip, opened when the first theme archive is read or written rather than at start-up
// (see core/on_demand_library.h). Include this instead of the library's own header.

#include "core/on_demand_library.h"

#include <zip.h>

#define TOVALIN_ZIP_LIBRARY_FUNCTIONS(X) \
    X(zip_close) \
    X(zip_discard) \
    X(zip_error_fini) \
    X(zip_error_init) \
    X(zip_error_init_with_code) \
    X(zip_error_strerror) \
    X(zip_fclose) \
    X(zip_file_add) \
    X(zip_file_get_external_attributes) \
    X(zip_file_set_mtime) \
    X(zip_file_strerror) \
    X(zip_fopen_index) \
    X(zip_fread) \
    X(zip_get_name) \
    X(zip_get_num_entries) \
    X(zip_open) \
    X(zip_open_from_source) \
    X(zip_set_file_compression) \
    X(zip_source_buffer) \
    X(zip_source_buffer_create) \
    X(zip_source_close) \
    X(zip_source_free) \
    X(zip_source_keep) \
    X(zip_source_open) \
    X(zip_source_read) \
    X(zip_source_seek) \
    X(zip_source_tell) \
    X(zip_stat_index) \
    X(zip_stat_init) \
    X(zip_strerror)

namespace tovalin::zip_library {
TOVALIN_ON_DEMAND_DECLARATIONS(TOVALIN_ZIP_LIBRARY_FUNCTIONS)
} // namespace tovalin::zip_library

#ifndef TOVALIN_ZIP_LIBRARY_TABLE // (defined by the one source file that fills the table)
// Call sites keep the library's own names.
#undef zip_close
#define zip_close (::tovalin::zip_library::functions().zip_close)
#undef zip_discard
#define zip_discard (::tovalin::zip_library::functions().zip_discard)
#undef zip_error_fini
#define zip_error_fini (::tovalin::zip_library::functions().zip_error_fini)
#undef zip_error_init
#define zip_error_init (::tovalin::zip_library::functions().zip_error_init)
#undef zip_error_init_with_code
#define zip_error_init_with_code (::tovalin::zip_library::functions().zip_error_init_with_code)
#undef zip_error_strerror
#define zip_error_strerror (::tovalin::zip_library::functions().zip_error_strerror)
#undef zip_fclose
#define zip_fclose (::tovalin::zip_library::functions().zip_fclose)
#undef zip_file_add
#define zip_file_add (::tovalin::zip_library::functions().zip_file_add)
#undef zip_file_get_external_attributes
#define zip_file_get_external_attributes (::tovalin::zip_library::functions().zip_file_get_external_attributes)
#undef zip_file_set_mtime
#define zip_file_set_mtime (::tovalin::zip_library::functions().zip_file_set_mtime)
#undef zip_file_strerror
#define zip_file_strerror (::tovalin::zip_library::functions().zip_file_strerror)
#undef zip_fopen_index
#define zip_fopen_index (::tovalin::zip_library::functions().zip_fopen_index)
#undef zip_fread
#define zip_fread (::tovalin::zip_library::functions().zip_fread)
#undef zip_get_name
#define zip_get_name (::tovalin::zip_library::functions().zip_get_name)
#undef zip_get_num_entries
#define zip_get_num_entries (::tovalin::zip_library::functions().zip_get_num_entries)
#undef zip_open
#define zip_open (::tovalin::zip_library::functions().zip_open)
#undef zip_open_from_source
#define zip_open_from_source (::tovalin::zip_library::functions().zip_open_from_source)
#undef zip_set_file_compression
#define zip_set_file_compression (::tovalin::zip_library::functions().zip_set_file_compression)
#undef zip_source_buffer
#define zip_source_buffer (::tovalin::zip_library::functions().zip_source_buffer)
#undef zip_source_buffer_create
#define zip_source_buffer_create (::tovalin::zip_library::functions().zip_source_buffer_create)
#undef zip_source_close
#define zip_source_close (::tovalin::zip_library::functions().zip_source_close)
#undef zip_source_free
#define zip_source_free (::tovalin::zip_library::functions().zip_source_free)
#undef zip_source_keep
#define zip_source_keep (::tovalin::zip_library::functions().zip_source_keep)
#undef zip_source_open
#define zip_source_open (::tovalin::zip_library::functions().zip_source_open)
#undef zip_source_read
#define zip_source_read (::tovalin::zip_library::functions().zip_source_read)
#undef zip_source_seek
#define zip_source_seek (::tovalin::zip_library::functions().zip_source_seek)
#undef zip_source_tell
#define zip_source_tell (::tovalin::zip_library::functions().zip_source_tell)
#undef zip_stat_index
#define zip_stat_index (::tovalin::zip_library::functions().zip_stat_index)
#undef zip_stat_init
#define zip_stat_init (::tovalin::zip_library::functions().zip_stat_init)
#undef zip_strerror
#define zip_strerror (::tovalin::zip_library::functions().zip_strerror)
#endif
