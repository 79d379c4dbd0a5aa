#pragma once

#include <cstdint>
#include <string>

// The switches of the xscreensaver hack, as such hacks take them:
// -root, -window-id ID (decimal or 0x hexadecimal), -mirrors, -no-mirrors,
// -help, each also with two dashes, as the daemon writes them.
// XSCREENSAVER_WINDOW, which the daemon sets, names the window to draw into
// unless -window-id does.
struct HackOptions {
    enum class Target { OwnWindow, Root, Window };
    Target target = Target::OwnWindow;
    uint64_t window = 0; // with Target::Window
    bool useMirrors = true;
    bool help = false;
    std::string error; // what was not understood; empty when all was
};

// `environmentWindow` is XSCREENSAVER_WINDOW's value, or null.
HackOptions parseHackOptions(int count, const char* const* arguments,
                             const char* environmentWindow);

extern const char hackUsage[];
