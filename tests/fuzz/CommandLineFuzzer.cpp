// libFuzzer target over the command-line scan: every input must give a mode
// in range and, for the switches that take one, the window number that a
// small independent reading of the text gives.
#include "host/CommandLine.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// What the scan must give, read a second way: by index over a string, the
// number kept in 64 bits and cut to its low 32 at the end.
CommandLine expectedFor(const std::string& text) {
    size_t at = 0;
    if (!text.empty() && text[0] == '"') {
        const size_t close = text.find('"', 1);
        at = close == std::string::npos ? text.size() : close + 1;
    } else {
        const size_t space = text.find(' ');
        at = space == std::string::npos ? text.size() : space + 1;
    }
    at = text.find_first_not_of(' ', at);
    CommandLine expected;
    if (at == std::string::npos) {
        expected.mode = RunMode::Configure;
        return expected;
    }
    if (text[at] == '-' || text[at] == '/') {
        ++at;
    }
    const char letter = at < text.size() ? text[at] : '\0';
    const std::string rest = at < text.size() ? text.substr(at + 1) : std::string();
    const size_t start = rest.find_first_not_of(" :");
    const std::string number = start == std::string::npos ? std::string() : rest.substr(start);
    size_t digit = number.find_first_not_of(" \t\n\v\f\r");
    bool negative = false;
    if (digit != std::string::npos && (number[digit] == '+' || number[digit] == '-')) {
        negative = number[digit] == '-';
        ++digit;
    }
    uint64_t value = 0;
    for (; digit != std::string::npos && digit < number.size() && number[digit] >= '0' &&
           number[digit] <= '9';
         ++digit) {
        value = (value * 10 + static_cast<uint64_t>(number[digit] - '0')) & 0xFFFFFFFFu;
    }
    const uint32_t handle = static_cast<uint32_t>(negative ? (0x100000000u - value) : value);
    switch (letter) {
    case 's':
    case 'S':
        expected.mode = RunMode::Saver;
        break;
    case 'p':
    case 'P':
    case 'l':
    case 'L':
        expected.mode = RunMode::Preview;
        expected.parentHandle = handle;
        break;
    case 'a':
    case 'A':
        expected.mode = RunMode::ChangePassword;
        expected.parentHandle = handle;
        break;
    case 'c':
    case 'C':
        expected.mode = RunMode::Configure;
        expected.parentIsForegroundWindow = number.empty();
        expected.parentHandle = number.empty() ? 0 : handle;
        break;
    default:
        break;
    }
    return expected;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string line = text.substr(0, text.find('\0')); // as the system hands it over
    const CommandLine result = parseCommandLine(line.c_str());
    const CommandLine expected = expectedFor(line);
    const int mode = static_cast<int>(result.mode);
    if (mode < 0 || mode > 4 || result.mode != expected.mode ||
        result.parentHandle != expected.parentHandle ||
        result.parentIsForegroundWindow != expected.parentIsForegroundWindow) {
        std::abort();
    }
    return 0;
}
