#pragma once

#include <cstdint>

// A view of one locked embedded resource. It does not own the bytes: resource
// memory lives as long as the module.
struct ResourceBlob {
    ResourceBlob(const uint8_t* data, uint32_t size) : data(data), size(size) {}

    const uint8_t* data;
    uint32_t size;
};
