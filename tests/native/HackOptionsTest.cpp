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
        {{"-root", "-window"}, nullptr, Target::OwnWindow, 0, true},
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

// The switches every X program and GL hack takes, each read into its field.
TEST(HackOptions, TheSwitchesEveryHackTakes) {
    EXPECT_EQ(parse({"-display", ":7.0"}).display, ":7.0");
    EXPECT_EQ(parse({"--display", "host:1"}).display, "host:1");
    EXPECT_TRUE(parse({"-install"}).installColormap);
    EXPECT_FALSE(parse({}).installColormap);
    for (const char* fps : {"-fps", "--fps"}) {
        EXPECT_TRUE(parse({"-root", fps}).showFrameRate) << fps;
    }
    EXPECT_FALSE(parse({"-root"}).showFrameRate);
    EXPECT_EQ(parse({}).delayMicroseconds, 0);
    EXPECT_EQ(parse({"-delay", "20000"}).delayMicroseconds, 20000);
    EXPECT_EQ(parse({"--delay", "0"}).delayMicroseconds, 0);
    EXPECT_EQ(parse({"-delay", "3600000000"}).delayMicroseconds, 3600000000);
    struct VisualCase {
        const char* value;
        HackOptions::Visual visual;
        uint64_t identifier;
    };
    for (const VisualCase& c : {VisualCase{"default", HackOptions::Visual::Default, 0},
                                VisualCase{"best", HackOptions::Visual::Best, 0},
                                VisualCase{"0x21", HackOptions::Visual::Id, 0x21},
                                VisualCase{"33", HackOptions::Visual::Id, 33}}) {
        const HackOptions options = parse({"-visual", c.value});
        EXPECT_TRUE(options.error.empty()) << c.value << ": " << options.error;
        EXPECT_EQ(options.visual, c.visual) << c.value;
        EXPECT_EQ(options.visualId, c.identifier) << c.value;
    }
    // All of them at once, as a settings file might write them.
    const HackOptions all = parse({"--root", "--fps", "--delay", "10000", "-visual", "default",
                                   "-install", "-display", ":0", "-no-mirrors"});
    EXPECT_TRUE(all.error.empty()) << all.error;
    EXPECT_EQ(all.target, Target::Root);
    EXPECT_TRUE(all.showFrameRate && all.installColormap && !all.useMirrors);
    EXPECT_EQ(all.delayMicroseconds, 10000);
}

TEST(HackOptions, BadSwitchesAndWindowNumbersAreErrors) {
    for (const std::vector<const char*>& switches :
         std::vector<std::vector<const char*>>{{"-frames"},
                                               {"root"},
                                               {"--"},
                                               {"---root"},
                                               {"-window-id"},
                                               {"-window-id", "12x"},
                                               {"-window-id", "0"},
                                               {"-window-id", "-5"},
                                               {"-window-id", "0x100000000"},
                                               {"-window-id", ""},
                                               {"-display"},
                                               {"-display", ""},
                                               {"-visual"},
                                               {"-visual", "TrueColour"},
                                               {"-visual", "0"},
                                               {"-delay"},
                                               {"-delay", "-1"},
                                               {"-delay", "fast"},
                                               {"-delay", "3600000001"}}) {
        const HackOptions options = parse(switches);
        EXPECT_EQ(options.error.rfind("drowsel: ", 0), 0u) << switches.back();
    }
}

} // namespace
