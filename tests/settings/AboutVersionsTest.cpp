// The about box's version lines, from plug-ins that answer, answer without a
// terminator, or refuse.
#include "AboutVersions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "FakeInput.h"
#include "PlaybackFakes.h"
#include "ScriptedMixer.h"

namespace {

// Writes `text` (without its NUL) over the buffer's first bytes and answers
// `result`; past the 8-byte contract nothing is written.
int32_t Answer(char* buffer, const std::string& text, int32_t result) {
    std::memcpy(buffer, text.data(), std::min<size_t>(text.size(), 8));
    return result;
}

struct VersionedInput : FakeInput {
    std::string text;
    int32_t result = 1;
    int32_t GetVersion(char* buffer) override { return Answer(buffer, text, result); }
};
struct VersionedOutput : RecordingOutput {
    std::string text;
    int32_t result = 1;
    int32_t OutputGetVersion(char* buffer) override { return Answer(buffer, text, result); }
};
struct VersionedMixer : ScriptedMixer {
    std::string text;
    int32_t result = 1;
    int32_t MixerGetVersion(char* buffer) override { return Answer(buffer, text, result); }
};

TEST(AboutVersionsTest, LinesFromThePluginsAnswers) {
    struct Case {
        const char* name;
        std::string inputText;
        int32_t inputResult;
        std::string outputText;
        int32_t outputResult;
        std::string mixerText;
        int32_t mixerResult;
        bool withMixer;
        AboutLines lines;
    };
    const Case cases[] = {
        {"all answer",
         "1.2.0",
         1,
         "2.0.1",
         1,
         "0.9.3",
         1,
         true,
         {"Quorel  Version 3.4.6", "Tessaly.dll  Ver 1.2.0", "Varnoth.dll  Ver 2.0.1",
          "Keldrin.dll  Ver 0.9.3"}},
        {"no mixer",
         "1.2.0",
         1,
         "2.0.1",
         1,
         "",
         1,
         false,
         {"Quorel  Version 3.4.6", "Tessaly.dll  Ver 1.2.0", "Varnoth.dll  Ver 2.0.1",
          "Keldrin.dll  Ver -.-.-"}},
        {"eight bytes, no terminator",
         "12345678",
         1,
         "ABCDEFGH",
         1,
         "abcdefgh",
         1,
         true,
         {"Quorel  Version 3.4.6", "Tessaly.dll  Ver 1234567", "Varnoth.dll  Ver ABCDEFG",
          "Keldrin.dll  Ver abcdefg"}},
        {"refusals, whatever they wrote",
         "9.9.9",
         0,
         "",
         0,
         "x",
         0,
         true,
         {"Quorel  Version 3.4.6", "Tessaly.dll  Ver -.-.-", "Varnoth.dll  Ver -.-.-",
          "Keldrin.dll  Ver -.-.-"}},
        {"an answer without text",
         "",
         1,
         "3",
         1,
         "",
         1,
         true,
         {"Quorel  Version 3.4.6", "Tessaly.dll  Ver ", "Varnoth.dll  Ver 3", "Keldrin.dll  Ver "}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        VersionedInput input;
        input.text = c.inputText;
        input.result = c.inputResult;
        VersionedOutput output;
        output.text = c.outputText;
        output.result = c.outputResult;
        VersionedMixer mixer;
        mixer.text = c.mixerText;
        mixer.result = c.mixerResult;
        const AboutLines lines =
            AboutLineTexts(AskVersions(input, output, c.withMixer ? &mixer : nullptr));
        EXPECT_EQ(lines.title, c.lines.title);
        EXPECT_EQ(lines.input, c.lines.input);
        EXPECT_EQ(lines.output, c.lines.output);
        EXPECT_EQ(lines.mixer, c.lines.mixer);
    }
}

} // namespace
