#include "x11/HackOptions.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

HackOptions parse(std::vector<const char*> switches, const char* daemonWindow = nullptr) {
    switches.insert(switches.begin(), "drowsel");
    return parseHackOptions(static_cast<int>(switches.size()), switches.data(), daemonWindow);
}

using Target = HackOptions::Target;

TEST(HackOptions, SwitchesAsXscreensaverHacksTakeThem) {
    struct Case {
        std::vector<const char*> switches;
        const char* daemonWindow;
        Target target;
        uint64_t window;
        bool useMirrors;
    };
    const Case cases[] = {
        {{}, nullptr, Target::OwnWindow, 0, true},
        {{"-root"}, nullptr, Target::Root, 0, true},
        {{"-window-id", "1234"}, nullptr, Target::Window, 1234, true},
        {{"-window-id", "0x2a00007", "-no-mirrors"}, nullptr, Target::Window, 0x2a00007, false},
        {{"-no-mirrors", "-mirrors"}, nullptr, Target::OwnWindow, 0, true},
        {{"--root", "--no-mirrors"}, nullptr, Target::Root, 0, false}, // as the daemon writes them
        // The daemon's window wins over -root, a window given by switch over both.
        {{"-root"}, "0x400001", Target::Window, 0x400001, true},
        {{"-window-id", "77"}, "0x400001", Target::Window, 77, true},
        {{}, "not a number", Target::OwnWindow, 0, true},
    };
    for (const Case& c : cases) {
        const HackOptions options = parse(c.switches, c.daemonWindow);
        EXPECT_TRUE(options.error.empty()) << options.error;
        EXPECT_EQ(options.target, c.target) << c.switches.size();
        EXPECT_EQ(options.window, c.window);
        EXPECT_EQ(options.useMirrors, c.useMirrors);
    }
    EXPECT_TRUE(parse({"-help"}).help);
}

TEST(HackOptions, BadSwitchesAndWindowNumbersAreErrors) {
    for (const std::vector<const char*>& switches :
         std::vector<std::vector<const char*>>{{"-fps"},
                                               {"root"},
                                               {"--"},
                                               {"---root"},
                                               {"-window-id"},
                                               {"-window-id", "12x"},
                                               {"-window-id", "0"},
                                               {"-window-id", "-5"},
                                               {"-window-id", "0x100000000"},
                                               {"-window-id", ""}}) {
        EXPECT_FALSE(parse(switches).error.empty()) << switches.back();
    }
}

} // namespace
