#include "images/JpegMemorySource.h"

#include <jerror.h>

namespace {
const JOCTET endOfImage[2] = {0xFF, JPEG_EOI};
}

void installMemorySource(j_decompress_ptr cinfo, const ResourceBlob* blob) {
    if (cinfo->src == nullptr) {
        cinfo->src = static_cast<jpeg_source_mgr*>((*cinfo->mem->alloc_small)(
            reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, sizeof(jpeg_source_mgr)));
    }
    jpeg_source_mgr* source = cinfo->src;
    source->init_source = memoryInitSource;
    source->fill_input_buffer = memoryFillInputBuffer;
    source->skip_input_data = memorySkipInputData;
    source->resync_to_restart = jpeg_resync_to_restart;
    source->term_source = memoryInitSource;
    source->next_input_byte = blob->data;
    source->bytes_in_buffer = blob->size;
}

void memoryInitSource(j_decompress_ptr) {}

boolean memoryFillInputBuffer(j_decompress_ptr cinfo) {
    WARNMS(cinfo, JWRN_JPEG_EOF);
    cinfo->src->next_input_byte = endOfImage;
    cinfo->src->bytes_in_buffer = sizeof endOfImage;
    return TRUE;
}

void memorySkipInputData(j_decompress_ptr cinfo, long count) {
    if (count <= 0) {
        return;
    }
    jpeg_source_mgr* source = cinfo->src;
    const size_t skipped = static_cast<unsigned long>(count) < source->bytes_in_buffer
                               ? static_cast<size_t>(count)
                               : source->bytes_in_buffer;
    source->next_input_byte += skipped;
    source->bytes_in_buffer -= skipped;
}
