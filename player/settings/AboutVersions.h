// What the about box shows: the program's version and the versions the three
// plug-ins report.
#pragma once

#include <cstdint>
#include <string>

#include "InputPlugin.h"
#include "MixerPlugin.h"
#include "OutputPlugin.h"

constexpr char kProgramVersion[] = "3.4.6";
// Shown for a plug-in that is missing or does not answer.
constexpr char kNoVersion[] = "-.-.-";

// A version answer: `ask` fills an 8-byte buffer that starts zeroed. Byte 7
// stays the terminator whatever the plug-in writes, and an answer of 0 gives
// kNoVersion.
template <typename Ask> std::string ReadVersion(Ask ask) {
    char buffer[8] = {};
    const int32_t answered = ask(buffer);
    buffer[sizeof buffer - 1] = '\0';
    return answered != 0 ? std::string(buffer) : std::string(kNoVersion);
}

struct AboutVersions {
    std::string program, input, output, mixer;
};

// Asks the plug-ins; `mixer` may be null.
AboutVersions AskVersions(InputPlugin& input, OutputPlugin& output, MixerPlugin* mixer);

// The about box's four version lines (byte text).
struct AboutLines {
    std::string title, input, output, mixer;
};
AboutLines AboutLineTexts(const AboutVersions& versions);
