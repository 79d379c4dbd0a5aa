#pragma once

#include "images/JpegErrorRecord.h"
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

// Zeroes the decompressor, so that a failure inside its creation destroys a
// clean record, and points it at the loader's error record.
void prepareDecompressor(j_decompress_ptr cinfo, JpegErrorRecord* record);

// Whether the image's sides are within maximumPictureSide.
bool fitsPicture(j_decompress_ptr cinfo);

// Looks name up, makes the current blob, installs the memory source, reads the
// header and starts decompressing. False when the image is missing or the
// blob cannot be made. With `fourBytesPerPixel`, a colour image comes out as
// RGBA rows, alpha 0xFF; other images come out as the library chooses.
bool beginImage(j_decompress_ptr cinfo, const char* name, ResourceBlob* volatile* currentBlob,
                bool fourBytesPerPixel = false);

// A one-row sample array from the image pool, freed by the library.
JSAMPARRAY allocateRowArray(j_decompress_ptr cinfo);

// Hands each decoded row, top first, with its row number to handleRow, one
// row at a time through a one-row array from the image pool.
template <typename RowHandler> void readRows(j_decompress_ptr cinfo, RowHandler handleRow) {
    JSAMPARRAY rowArray = allocateRowArray(cinfo);
    for (JDIMENSION r = 0;
         cinfo->output_scanline < cinfo->output_height && r < cinfo->output_height; ++r) {
        jpeg_read_scanlines(cinfo, rowArray, 1);
        handleRow(static_cast<const JSAMPLE*>(rowArray[0]), r);
    }
}

// After the last image: finishes, destroys the decompressor, deletes the blob.
void finishLastImage(j_decompress_ptr cinfo, ResourceBlob* currentBlob);

// The recovery path: destroys the decompressor, deletes the current blob and
// releases a pixel buffer the load had made, leaving the record's size.
void abandonLoad(j_decompress_ptr cinfo, ResourceBlob* currentBlob, TextureImage* image);
