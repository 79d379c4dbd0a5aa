#pragma once

#include "images/ResourceBlob.h"
#include "images/TextureImage.h"

#include <cstdio>

#include <jpeglib.h>

// The shared steps of reading one embedded image into a loader. Library errors
// inside them jump to the loader's recovery point, so they hold no objects
// with destructors.

// Largest picture side a loader accepts; larger images are rejected before a
// buffer is allocated for them.
constexpr JDIMENSION maximumPictureSide = 8192;

// Looks name up, makes the current blob, installs the memory source, reads the
// header and starts decompressing. False when the image is missing or the
// blob cannot be made.
bool beginImage(j_decompress_ptr cinfo, const char* name, ResourceBlob* volatile* currentBlob);

// A one-row sample array from the image pool, freed by the library.
JSAMPARRAY allocateRowArray(j_decompress_ptr cinfo);

// The recovery path: destroys the decompressor, deletes the current blob and
// releases a pixel buffer the load had made, leaving the record's size.
void abandonLoad(j_decompress_ptr cinfo, ResourceBlob* currentBlob, TextureImage* image);
