#pragma once

#include <cstdint>
#include <string>

// The switches of the xscreensaver hack, as such hacks and X programs take
// them, each with one dash or two (the daemon writes two):
//   -root, -window, -window-id ID (decimal or 0x hexadecimal), -display NAME,
//   -visual ID|default|best, -install, -fps, -delay MICROSECONDS,
//   -mirrors, -no-mirrors, -help.
// XSCREENSAVER_WINDOW, which the daemon sets, names the window to draw into
// unless -window-id does.
struct HackOptions {
    enum class Target { OwnWindow, Root, Window };
    enum class Visual { Best, Default, Id }; // for the own window
    Target target = Target::OwnWindow;
    uint64_t window = 0; // with Target::Window
    std::string display; // empty: DISPLAY's
    Visual visual = Visual::Best;
    uint64_t visualId = 0; // with Visual::Id
    bool installColormap = false;
    bool showFrameRate = false;
    // The least time from one frame to the next; the frame clock's pacing
    // keeps them at most 30 a second whatever it is.
    int64_t delayMicroseconds = 0;
    bool useMirrors = true;
    bool help = false;
    std::string error; // what was not understood; empty when all was
};

// `environmentWindow` is XSCREENSAVER_WINDOW's value, or null.
HackOptions parseHackOptions(int count, const char* const* arguments,
                             const char* environmentWindow);

extern const char hackUsage[];
// What each switch does, a line each, printed after the usage by -help.
extern const char hackSwitches[];
