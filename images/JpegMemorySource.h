#pragma once

#include "images/ResourceBlob.h"

#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

// Hands libjpeg a whole resource as one buffer. The source record comes from
// the decompressor's permanent pool the first time and is re-pointed after.
void installMemorySource(j_decompress_ptr cinfo, const ResourceBlob* blob);

void memoryInitSource(j_decompress_ptr cinfo);

// The resource is used up before the end of the image: warns of the premature
// end and supplies an end-of-image marker, so the library finishes with the
// rows it has and never reads outside the resource.
boolean memoryFillInputBuffer(j_decompress_ptr cinfo);

// Skips count bytes, stopping at the end of the data; 0 or less does nothing.
void memorySkipInputData(j_decompress_ptr cinfo, long count);
