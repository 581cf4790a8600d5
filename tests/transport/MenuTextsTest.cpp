// The MPEG information box's text and the open dialog's selection.
#include "MpegInfo.h"
#include "OpenDialogSelection.h"

#include <gtest/gtest.h>

namespace {

InputFileInfo Stream(int32_t version, int32_t layer, int32_t mode, int32_t extension,
                     int32_t copyright, int32_t original, int32_t emphasis) {
    InputFileInfo info = {};
    info.mpegVersion = version;
    info.layer = layer;
    info.mode = mode;
    info.modeExtension = extension;
    info.copyright = copyright;
    info.original = original;
    info.emphasis = emphasis;
    return info;
}

TEST(MpegInfo, TextNamesVersionLayerModeAndFlags) {
    EXPECT_EQ(MpegInfoText(Stream(1, 1, 1, 2, 0, 1, 0)),
              "--- MPEG Info ---\nMPEG-1 layer  3\nmode  MS stereo\ncopyright  No\n"
              "original  Yes\nemphasis  No");
    EXPECT_EQ(MpegInfoText(Stream(0, 3, 3, 0, 1, 0, 1)),
              "--- MPEG Info ---\nMPEG-2 layer  1\nmode  mono\ncopyright  Yes\n"
              "original  No\nemphasis  Yes");
    struct Case {
        InputFileInfo info;
        const char* part;
    };
    for (const Case& c : {Case{Stream(1, 2, 0, 0, 0, 0, 0), "layer  2\nmode  stereo\n"},
                          Case{Stream(1, 0, 1, 0, 0, 0, 0), "layer  0\nmode  join stereo\n"},
                          Case{Stream(1, 4, 2, 0, 0, 0, 0), "layer  0\nmode  dual channel\n"},
                          Case{Stream(1, 1, 7, 0, 0, 0, 3), "mode  ?\n"},
                          Case{Stream(1, 1, 0, 0, 0, 0, 3), "emphasis  Yes"},
                          Case{Stream(1, 1, 0, 0, 0, 0, 2), "emphasis  ?"}}) {
        EXPECT_NE(MpegInfoText(c.info).find(c.part), std::string::npos)
            << c.part << " in " << MpegInfoText(c.info);
    }
}

TEST(OpenDialogSelection, OnePathOrAFolderWithNames) {
    using Paths = std::vector<std::wstring>;
    EXPECT_EQ(SplitOpenDialogSelection(std::wstring(L"C:\\m\\a.mp3\0\0", 13)),
              (Paths{L"C:\\m\\a.mp3"}));
    EXPECT_EQ(SplitOpenDialogSelection(std::wstring(L"C:\\m\0b.mp3\0a.wav\0\0", 19)),
              (Paths{L"C:\\m\\b.mp3", L"C:\\m\\a.wav"}));
    EXPECT_EQ(SplitOpenDialogSelection(std::wstring(L"C:\\\0a.mp3\0b.mp3\0\0", 18)),
              (Paths{L"C:\\a.mp3", L"C:\\b.mp3"}));
    EXPECT_TRUE(SplitOpenDialogSelection(std::wstring(L"\0\0", 2)).empty());
}

} // namespace
