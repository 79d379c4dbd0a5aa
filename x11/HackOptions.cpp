#include "x11/HackOptions.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

const char hackUsage[] =
    "usage: drowsel [-root | -window-id ID] [-mirrors | -no-mirrors] [-help]\n";

namespace {

// A whole decimal or 0x hexadecimal number that fits a window id (29 bits in
// X, kept here as any 32-bit value but 0).
bool readWindow(const char* text, uint64_t& window) {
    if (text == nullptr || *text == '\0' || *text == '-' || *text == '+') {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text, &end, 0);
    if (errno != 0 || *end != '\0' || value == 0 || value > 0xFFFFFFFFull) {
        return false;
    }
    window = value;
    return true;
}

} // namespace

HackOptions parseHackOptions(int count, const char* const* arguments,
                             const char* environmentWindow) {
    HackOptions options;
    bool windowGiven = false;
    for (int k = 1; k < count && options.error.empty(); ++k) {
        // The daemon writes its hacks' switches with two dashes (--root).
        const char* argument = arguments[k];
        if (argument[0] == '-' && argument[1] == '-' && argument[2] != '\0') {
            ++argument;
        }
        if (std::strcmp(argument, "-root") == 0) {
            options.target = HackOptions::Target::Root;
        } else if (std::strcmp(argument, "-window-id") == 0) {
            if (k + 1 >= count || !readWindow(arguments[k + 1], options.window)) {
                options.error = "drowsel: -window-id wants a window number";
            } else {
                ++k;
                windowGiven = true;
            }
        } else if (std::strcmp(argument, "-mirrors") == 0) {
            options.useMirrors = true;
        } else if (std::strcmp(argument, "-no-mirrors") == 0) {
            options.useMirrors = false;
        } else if (std::strcmp(argument, "-help") == 0) {
            options.help = true;
        } else {
            options.error = std::string("drowsel: unknown switch ") + arguments[k];
        }
    }
    uint64_t daemonWindow = 0;
    if (windowGiven) {
        options.target = HackOptions::Target::Window;
    } else if (options.error.empty() && environmentWindow != nullptr &&
               readWindow(environmentWindow, daemonWindow)) {
        options.target = HackOptions::Target::Window;
        options.window = daemonWindow;
    }
    return options;
}
