#pragma once

#include <cstdint>

// Bit 16 of the frame flags asks the scene to draw the kaleidoscope mirrors.
constexpr uint32_t mirrorsFrameFlag = 0x10000u;

constexpr uint32_t frameFlags(uint32_t useMirrors) {
    return useMirrors != 0 ? mirrorsFrameFlag : 0u;
}
