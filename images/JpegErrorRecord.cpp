#include "images/JpegErrorRecord.h"

jpeg_error_mgr* installErrorRecord(JpegErrorRecord* record) {
    jpeg_error_mgr* manager = jpeg_std_error(&record->errorManager);
    manager->error_exit = jpegErrorExit;
    return manager;
}

void jpegErrorExit(j_common_ptr cinfo) {
    (*cinfo->err->output_message)(cinfo);
    JpegErrorRecord* record = reinterpret_cast<JpegErrorRecord*>(cinfo->err);
    std::longjmp(record->recoveryPoint, 1);
}
