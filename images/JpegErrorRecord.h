#pragma once

#include <csetjmp>
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

// The loader's error record: the library's standard error manager first, so
// that jpegErrorExit reaches the recovery point from cinfo->err alone.
struct JpegErrorRecord {
    jpeg_error_mgr errorManager;
    std::jmp_buf recoveryPoint;
};

// Fills the standard error manager, replaces only its error_exit, and returns
// it for the decompressor's err pointer.
jpeg_error_mgr* installErrorRecord(JpegErrorRecord* record);

// Writes the library's message to standard error and jumps to the recovery
// point; never returns.
[[noreturn]] void jpegErrorExit(j_common_ptr cinfo);
