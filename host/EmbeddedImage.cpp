#include "images/EmbeddedImage.h"

#include "host/ProcessState.h"

#include <windows.h>

bool findEmbeddedImage(const char* name, const uint8_t** data, uint32_t* size) {
    HRSRC resource = FindResourceA(instanceHandle, name, RT_RCDATA);
    if (resource == nullptr) {
        return false;
    }
    const DWORD length = SizeofResource(instanceHandle, resource);
    if (length == 0) {
        return false;
    }
    HGLOBAL handle = LoadResource(instanceHandle, resource);
    if (handle == nullptr) {
        return false;
    }
    const void* address = LockResource(handle);
    if (address == nullptr) {
        return false;
    }
    *data = static_cast<const uint8_t*>(address);
    *size = length;
    return true;
}
