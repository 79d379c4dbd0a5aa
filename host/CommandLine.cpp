#include "host/CommandLine.h"

namespace {

const char* skipProgramName(const char* position) {
    if (*position == '"') {
        ++position;
        while (*position != '\0' && *position != '"') {
            ++position;
        }
        if (*position == '"') {
            ++position;
        }
        return position;
    }
    while (*position != '\0' && *position != ' ') {
        ++position;
    }
    if (*position == ' ') {
        ++position;
    }
    return position;
}

const char* skipSpaces(const char* position) {
    while (*position == ' ') {
        ++position;
    }
    return position;
}

const char* skipSpacesAndColons(const char* position) {
    while (*position == ' ' || *position == ':') {
        ++position;
    }
    return position;
}

bool isAtoiWhiteSpace(char character) {
    return character == ' ' || character == '\t' || character == '\n' || character == '\v' ||
           character == '\f' || character == '\r';
}

// Reads a number the way atoi does (white space, optional sign, digits up to the
// first non-digit, no digits giving 0), but in unsigned arithmetic that wraps
// modulo 2^32 instead of overflowing: the low 32 bits of the written number.
uint32_t readHandleNumber(const char* position) {
    while (isAtoiWhiteSpace(*position)) {
        ++position;
    }
    bool negative = false;
    if (*position == '+' || *position == '-') {
        negative = *position == '-';
        ++position;
    }
    uint32_t value = 0;
    while (*position >= '0' && *position <= '9') {
        value = value * 10u + static_cast<uint32_t>(*position - '0');
        ++position;
    }
    return negative ? 0u - value : value;
}

} // namespace

CommandLine parseCommandLine(const char* text) {
    CommandLine result;
    const char* position = skipSpaces(skipProgramName(text != nullptr ? text : ""));
    if (*position == '\0') {
        result.mode = RunMode::Configure;
        return result;
    }
    if (*position == '-' || *position == '/') {
        ++position;
    }
    const char letter = *position;
    const char* afterLetter = letter != '\0' ? position + 1 : position;
    switch (letter) {
    case 's':
    case 'S':
        result.mode = RunMode::Saver;
        break;
    case 'p':
    case 'P':
    case 'l':
    case 'L':
        result.mode = RunMode::Preview;
        result.parentHandle = readHandleNumber(skipSpacesAndColons(afterLetter));
        break;
    case 'a':
    case 'A':
        result.mode = RunMode::ChangePassword;
        result.parentHandle = readHandleNumber(skipSpacesAndColons(afterLetter));
        break;
    case 'c':
    case 'C': {
        result.mode = RunMode::Configure;
        const char* number = skipSpacesAndColons(afterLetter);
        if (*number == '\0') {
            result.parentIsForegroundWindow = true;
        } else {
            result.parentHandle = readHandleNumber(number);
        }
        break;
    }
    default:
        break;
    }
    return result;
}
