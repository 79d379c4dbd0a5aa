#include "x11/HackOptions.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

const char hackUsage[] =
    "usage: drowsel [-root | -window | -window-id ID] [-display NAME]\n"
    "               [-visual ID|default|best] [-install] [-fps] [-delay MICROSECONDS]\n"
    "               [-mirrors | -no-mirrors] [-help]\n";

const char hackSwitches[] =
    "A kaleidoscope of turning, blinking signs, as an xscreensaver hack. Each switch\n"
    "may be written with one dash or two.\n"
    "  -root                draw on the root window (or the desktop's virtual root)\n"
    "  -window              draw in a window of its own, 1024 x 768 (the default)\n"
    "  -window-id ID        draw into the window ID (decimal or 0x hexadecimal)\n"
    "  -display NAME        the X display to use (by default the DISPLAY variable's)\n"
    "  -visual ID|default|best  the own window's visual: that one, the screen's\n"
    "                       default, or the best for OpenGL (the default)\n"
    "  -install             a colormap of its own (its own window always has one)\n"
    "  -fps                 show the frame rate in the lower left corner\n"
    "  -delay MICROSECONDS  at least this long from one frame to the next (0: the\n"
    "                       frame clock alone paces, at most 30 frames a second)\n"
    "  -mirrors, -no-mirrors  draw the kaleidoscope's mirrors, or the wedge alone\n"
    "  -help                print this help\n"
    "With XSCREENSAVER_WINDOW set, as the xscreensaver daemon sets it, it draws into\n"
    "that window. q or Escape ends its own window.\n";

namespace {

enum class Switch {
    Root,
    Window,
    WindowId,
    Display,
    Visual,
    Install,
    FrameRate,
    Delay,
    Mirrors,
    NoMirrors,
    Help
};

struct SwitchName {
    const char* name; // with one dash
    Switch meaning;
    bool takesValue;
};

constexpr SwitchName switches[] = {
    {"-root", Switch::Root, false},         {"-window", Switch::Window, false},
    {"-window-id", Switch::WindowId, true}, {"-display", Switch::Display, true},
    {"-visual", Switch::Visual, true},      {"-install", Switch::Install, false},
    {"-fps", Switch::FrameRate, false},     {"-delay", Switch::Delay, true},
    {"-mirrors", Switch::Mirrors, false},   {"-no-mirrors", Switch::NoMirrors, false},
    {"-help", Switch::Help, false},
};

// A whole decimal or 0x hexadecimal number no larger than limit.
bool readNumber(const char* text, uint64_t limit, uint64_t& number) {
    if (text == nullptr || *text == '\0' || *text == '-' || *text == '+') {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text, &end, 0);
    if (errno != 0 || *end != '\0' || value > limit) {
        return false;
    }
    number = value;
    return true;
}

// A window or visual id (29 bits in X, kept here as any 32-bit value but 0).
bool readIdentifier(const char* text, uint64_t& identifier) {
    uint64_t value = 0;
    if (!readNumber(text, 0xFFFFFFFFull, value) || value == 0) {
        return false;
    }
    identifier = value;
    return true;
}

const SwitchName* findSwitch(const char* argument) {
    // The daemon writes its hacks' switches with two dashes (--root).
    if (argument[0] == '-' && argument[1] == '-' && argument[2] != '\0') {
        ++argument;
    }
    for (const SwitchName& entry : switches) {
        if (std::strcmp(argument, entry.name) == 0) {
            return &entry;
        }
    }
    return nullptr;
}

// Applies one switch; false when its value is not one it takes.
bool apply(Switch meaning, const char* value, HackOptions& options, bool& windowGiven) {
    uint64_t number = 0;
    switch (meaning) {
    case Switch::Root:
        options.target = HackOptions::Target::Root;
        return true;
    case Switch::Window:
        options.target = HackOptions::Target::OwnWindow;
        return true;
    case Switch::WindowId:
        windowGiven = readIdentifier(value, options.window);
        return windowGiven;
    case Switch::Display:
        options.display = value;
        return *value != '\0';
    case Switch::Visual:
        if (std::strcmp(value, "default") == 0) {
            options.visual = HackOptions::Visual::Default;
        } else if (std::strcmp(value, "best") == 0) {
            options.visual = HackOptions::Visual::Best;
        } else if (readIdentifier(value, options.visualId)) {
            options.visual = HackOptions::Visual::Id;
        } else {
            return false;
        }
        return true;
    case Switch::Install:
        options.installColormap = true;
        return true;
    case Switch::FrameRate:
        options.showFrameRate = true;
        return true;
    case Switch::Delay: // up to an hour between frames
        if (!readNumber(value, 3600000000ull, number)) {
            return false;
        }
        options.delayMicroseconds = static_cast<int64_t>(number);
        return true;
    case Switch::Mirrors:
        options.useMirrors = true;
        return true;
    case Switch::NoMirrors:
        options.useMirrors = false;
        return true;
    case Switch::Help:
        options.help = true;
        return true;
    }
    return false;
}

const char* wanted(Switch meaning) {
    switch (meaning) {
    case Switch::WindowId:
        return "a window number";
    case Switch::Display:
        return "a display name";
    case Switch::Visual:
        return "a visual number, default or best";
    case Switch::Delay:
        return "microseconds, 0 to 3600000000";
    default:
        return "nothing";
    }
}

} // namespace

HackOptions parseHackOptions(int count, const char* const* arguments,
                             const char* environmentWindow) {
    HackOptions options;
    bool windowGiven = false;
    for (int k = 1; k < count && options.error.empty(); ++k) {
        const SwitchName* entry = findSwitch(arguments[k]);
        if (entry == nullptr) {
            options.error = std::string("drowsel: unknown switch ") + arguments[k];
            continue;
        }
        const char* value = "";
        if (entry->takesValue) {
            value = k + 1 < count ? arguments[++k] : nullptr;
        }
        if (value == nullptr || !apply(entry->meaning, value, options, windowGiven)) {
            options.error =
                std::string("drowsel: ") + entry->name + " wants " + wanted(entry->meaning);
        }
    }
    // A window given by switch wins over the daemon's, which wins over -root.
    uint64_t daemonWindow = 0;
    if (windowGiven) {
        options.target = HackOptions::Target::Window;
    } else if (options.error.empty() && environmentWindow != nullptr &&
               readIdentifier(environmentWindow, daemonWindow)) {
        options.target = HackOptions::Target::Window;
        options.window = daemonWindow;
    }
    return options;
}
