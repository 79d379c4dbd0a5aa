#include "host/CommandLine.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <string>

namespace {

// Scans a copy in an allocation of exactly the text's size, so that the
// sanitizer catches any read past the terminating zero.
CommandLine scan(const std::string& text) {
    std::unique_ptr<char[]> exact(new char[text.size() + 1]);
    std::memcpy(exact.get(), text.c_str(), text.size() + 1);
    return parseCommandLine(exact.get());
}

void expectScan(const std::string& text, RunMode mode, uint32_t parent, bool foreground = false) {
    const CommandLine result = scan(text);
    EXPECT_EQ(result.mode, mode) << "command line: [" << text << "]";
    EXPECT_EQ(result.parentHandle, parent) << "command line: [" << text << "]";
    EXPECT_EQ(result.parentIsForegroundWindow, foreground) << "command line: [" << text << "]";
}

TEST(CommandLine, AcceptedFormsOfEverySwitch) {
    expectScan("drowsel.scr /s", RunMode::Saver, 0);
    expectScan("drowsel.scr -S", RunMode::Saver, 0);
    expectScan("drowsel.scr s", RunMode::Saver, 0);
    expectScan("drowsel.scr /save", RunMode::Saver, 0);
    expectScan("drowsel.scr /p 1234", RunMode::Preview, 1234);
    expectScan("drowsel.scr /p:1234", RunMode::Preview, 1234);
    expectScan("drowsel.scr /P1234", RunMode::Preview, 1234);
    expectScan("drowsel.scr /l 1234", RunMode::Preview, 1234);
    expectScan("drowsel.scr -L 77", RunMode::Preview, 77);
    expectScan("drowsel.scr /c:1234", RunMode::Configure, 1234);
    expectScan("drowsel.scr /C 99", RunMode::Configure, 99);
    expectScan("drowsel.scr /a 1234", RunMode::ChangePassword, 1234);
    expectScan("drowsel.scr -A:5", RunMode::ChangePassword, 5);
}

TEST(CommandLine, NoArgumentMeansConfigureWithoutOwner) {
    expectScan("drowsel.scr", RunMode::Configure, 0);
    expectScan("drowsel.scr      ", RunMode::Configure, 0);
    expectScan("\"C:\\Program Files\\drowsel.scr\"", RunMode::Configure, 0);
    expectScan("", RunMode::Configure, 0);
    expectScan("    ", RunMode::Configure, 0);
    EXPECT_EQ(parseCommandLine(nullptr).mode, RunMode::Configure);
}

TEST(CommandLine, ProgramNameSkipping) {
    // A quoted name with spaces is skipped whole, and the switch may follow its quote.
    expectScan("\"C:\\My Savers\\drowsel.scr\" /s", RunMode::Saver, 0);
    expectScan("\"C:\\My Savers\\drowsel.scr\"/p 12", RunMode::Preview, 12);
    // An unquoted name ends only at a space: an attached switch belongs to the name.
    expectScan("drowsel.scr/s", RunMode::Configure, 0);
    // A tab is no separator, neither after the name nor in place of the switch.
    expectScan("drowsel.scr\t/s", RunMode::Configure, 0);
    expectScan("drowsel.scr \t/s", RunMode::None, 0);
    // An unterminated quote swallows the whole line as the program name.
    expectScan("\"drowsel.scr /s", RunMode::Configure, 0);
    expectScan("\"", RunMode::Configure, 0);
}

TEST(CommandLine, ConfigureOwner) {
    expectScan("drowsel.scr /c", RunMode::Configure, 0, true);
    expectScan("drowsel.scr /c:", RunMode::Configure, 0, true);
    expectScan("drowsel.scr /c : :  ", RunMode::Configure, 0, true);
    // Characters after the letter are read as a number, giving none.
    expectScan("drowsel.scr /config", RunMode::Configure, 0);
}

TEST(CommandLine, HandleNumberSeparatorsAndDigits) {
    expectScan("drowsel.scr /p : :: 1234", RunMode::Preview, 1234);
    expectScan("drowsel.scr /p", RunMode::Preview, 0);
    expectScan("drowsel.scr /p   ", RunMode::Preview, 0);
    expectScan("drowsel.scr /p 12ab34", RunMode::Preview, 12);
    expectScan("drowsel.scr /p x12", RunMode::Preview, 0);
    // After the spaces and colons, atoi's own white space and sign rules apply.
    expectScan("drowsel.scr /p \t 42", RunMode::Preview, 42);
    expectScan("drowsel.scr /p +42", RunMode::Preview, 42);
    expectScan("drowsel.scr /p -1", RunMode::Preview, 0xFFFFFFFFu);
    // The Saver switch never reads a number.
    expectScan("drowsel.scr /s 1234", RunMode::Saver, 0);
}

TEST(CommandLine, NumbersBeyondThirtyTwoBitsWrapWithoutOverflow) {
    expectScan("drowsel.scr /p 4294967295", RunMode::Preview, 0xFFFFFFFFu);
    expectScan("drowsel.scr /p 4294967296", RunMode::Preview, 0);
    expectScan("drowsel.scr /p 4294967297", RunMode::Preview, 1);
    // 10^29 - 1 modulo 2^32.
    uint32_t manyNines = 0;
    for (int digit = 0; digit < 29; ++digit) {
        manyNines = manyNines * 10u + 9u;
    }
    expectScan("drowsel.scr /p 99999999999999999999999999999", RunMode::Preview, manyNines);
}

TEST(CommandLine, UnknownSwitchesGiveNone) {
    expectScan("drowsel.scr /x", RunMode::None, 0);
    expectScan("drowsel.scr --s", RunMode::None, 0);
    expectScan("drowsel.scr //s", RunMode::None, 0);
    expectScan("drowsel.scr -", RunMode::None, 0);
    expectScan("drowsel.scr /", RunMode::None, 0);
    expectScan("drowsel.scr /\xE9", RunMode::None, 0);
    expectScan("drowsel.scr \xD3", RunMode::None, 0);
    expectScan("drowsel.scr \"", RunMode::None, 0);
}

// For numbers that fit, the handle is exactly what the C library's atoi reads.
TEST(CommandLine, HandleNumberAgreesWithAtoiWhereItIsDefined) {
    std::mt19937 generator(20261208u);
    std::uniform_int_distribution<int> value(INT_MIN, INT_MAX);
    const char* prefixes[] = {"", " ", "\t", "+", "-", " \t -", "0", "00"};
    const char* suffixes[] = {"", "x", " 5", "-3", ":"};
    for (int round = 0; round < 2000; ++round) {
        int number = value(generator);
        if (number == INT_MIN) {
            continue;
        }
        std::string digits = std::to_string(number < 0 ? -number : number);
        std::string text = std::string(prefixes[round % 8]) + digits + suffixes[round % 5];
        const int expected = std::atoi(text.c_str());
        const CommandLine result = scan("drowsel.scr /p:" + text);
        ASSERT_EQ(result.parentHandle, static_cast<uint32_t>(expected)) << text;
    }
}

// Random lines of the characters the scan cares about, and of any byte at all:
// no read past the end (checked by the sanitizer) and consistent results.
TEST(CommandLine, RandomLinesAreScannedSafely) {
    std::mt19937 generator(42u);
    const std::string alphabet = " \"/-:\tsSpPlLcCaAx0123456789+\xFF\x80";
    std::uniform_int_distribution<size_t> length(0, 24);
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        const size_t size = length(generator);
        for (size_t index = 0; index < size; ++index) {
            if (round % 4 == 0) {
                text.push_back(static_cast<char>(1 + generator() % 255));
            } else {
                text.push_back(alphabet[generator() % alphabet.size()]);
            }
        }
        const CommandLine result = scan(text);
        ASSERT_GE(static_cast<int>(result.mode), 0);
        ASSERT_LE(static_cast<int>(result.mode), 4);
        if (result.mode == RunMode::Saver || result.mode == RunMode::None) {
            ASSERT_EQ(result.parentHandle, 0u) << text;
        }
        if (result.parentIsForegroundWindow) {
            ASSERT_EQ(result.mode, RunMode::Configure) << text;
            ASSERT_EQ(result.parentHandle, 0u) << text;
        }
    }
}

} // namespace
