#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "IniDocument.h"
#include "SkinBitmapFile.h"
#include "SkinDescription.h"

namespace {

// "ＭＳ Ｐ明朝" in Shift-JIS.
const std::string kMincho = "\x82\x6C\x82\x72\x20\x82\x6F\x96\xBE\x92\xA9";

using Field = std::function<const SkinElement&(const SkinDescription&)>;

struct Section {
    std::string name;
    int32_t w, h; // defaults
    Field field;
};

// Every element section with its default size and the record it fills.
std::vector<Section> ElementSections() {
    std::vector<Section> sections = {{"main_bkg", 9, 9, [](auto& d) -> auto& {return d.background;
}
} // namespace
, {"main_title", 9, 9, [](auto& d) -> auto& {return d.title;
}
}
, {"main_artist", 9, 9, [](auto& d) -> auto& {return d.artist;
}
}
, {"sys_exit", 9, 9, [](auto& d) -> auto& {return d.close;
}
}
, {"sys_min", 9, 9, [](auto& d) -> auto& {return d.minimise;
}
}
, {"sys_field", 9, 9, [](auto& d) -> auto& {return d.frame;
}
}
, {"char_sr_bk", 34, 5, [](auto& d) -> auto& {return d.shuffleIndicator[0];
}
}
, {"char_shuffle", 34, 5, [](auto& d) -> auto& {return d.shuffleIndicator[1];
}
}
, {"char_random", 34, 5, [](auto& d) -> auto& {return d.shuffleIndicator[2];
}
}
, {"char_repeat_bk", 48, 5, [](auto& d) -> auto& {return d.repeatIndicator[0];
}
}
, {"char_repeat_all", 48, 5, [](auto& d) -> auto& {return d.repeatIndicator[1];
}
}
, {"char_repeat_1", 48, 5, [](auto& d) -> auto& {return d.repeatIndicator[2];
}
}
,
}
;
const char* buttons[] = {"play", "stop", "prev", "next", "repeat",
                         "sr",   "list", "open", "",     "pause"};
for (int i = 0; i < skin::kButtonCount; ++i) {
    if (i == skin::kLogo) continue;
        sections.push_back({std::string("button_") + buttons[i] + "_off", 13, 13,
                            [i](auto& d) -> auto& { return d.buttonDark[i];
}
});
        sections.push_back({std::string("button_") + buttons[i] + "_on", 13, 13,
                            [i](auto& d) -> auto& { return d.buttonLit[i];
        }
        });
        }
        for (int i = 0; i < skin::kSeekImages; ++i)
        sections.push_back(
            {"seek_" + std::to_string(i), 51, 13, [i](auto& d) -> auto& { return d.seek[i];
        }
        });
        for (int i = 0; i < skin::kVolumeImages; ++i)
        sections.push_back(
            {"vol_" + std::to_string(i), 13, 25, [i](auto& d) -> auto& { return d.volume[i];
        }
        });
        for (int i = 0; i < skin::kGlyphCount; ++i)
        sections.push_back(
            {"char_" + std::to_string(i), 4, 5, [i](auto& d) -> auto& { return d.glyphs[i];
        }
        });
        const char* positions[] = {"char_Hz_position",    "char_Bit_position",
                                   "char_1time_position", "char_ttime_position",
                                   "char_vol_position",   "char_vol100_position"};
        for (int i = 0; i < skin::kNumberPositionCount; ++i)
        sections.push_back({positions[i], 4, 5,
                            [i](auto& d) -> auto& { return d.numberPositions[i];
        }
        });
        return sections;
        }

        SkinDescription Read(const std::string& text) {
            const auto read = ReadSkinDescription(IniDocument(text));
            EXPECT_TRUE(read.has_value()) << text;
            return read.value_or(SkinDescription{});
        }

        void ExpectElement(const SkinElement& e, std::vector<int32_t> expected,
                           const std::string& name) {
            EXPECT_EQ((std::vector<int32_t>{e.wx, e.wy, e.x, e.y, e.w, e.h}), expected) << name;
        }

        TEST(SkinDescriptionTest, AnEmptyInfoSectionLoadsWithEveryDefault) {
            const SkinDescription d = Read("[skin_info]\r\n");
            for (const Section& section : ElementSections())
                ExpectElement(section.field(d), {0, 0, 0, 0, section.w, section.h}, section.name);
            ExpectElement(d.buttonDark[skin::kLogo], {0, 0, 0, 0, 13, 13}, "logo");
            EXPECT_TRUE(d.upon);
            EXPECT_FALSE(d.shaped);
            EXPECT_EQ(d.mask, 0);
            for (const SkinFont& font : d.fonts) {
                EXPECT_EQ(font.face, kMincho);
                EXPECT_EQ(font.colour, 0u);
                EXPECT_EQ(font.height, 12) << "the default -12 is stored negated";
                EXPECT_EQ(font.weight, 400);
                EXPECT_FALSE(font.italic || font.underline || font.strikeout);
            }
        }

        TEST(SkinDescriptionTest, EverySectionFillsItsOwnRecord) {
            // Section n gets the values n, n + 1000, ...: any two sections swapped
            // or misnamed show up.
            const std::vector<Section> sections = ElementSections();
            std::string text =
                "[skin_info]\r\nupon=0\r\n[main_rgn]\r\nrgn=1\r\nmask=16711935\r\n"
                "[button_quorel_on]\r\nwx=-1\r\nwy=-2\r\nx=-3\r\ny=-4\r\nw=-5\r\nh=-6\r\n";
            for (size_t n = 0; n < sections.size(); ++n) {
                text += "[" + sections[n].name + "]\r\n";
                const char* keys[] = {"wx", "wy", "x", "y", "w", "h"};
                for (int k = 0; k < 6; ++k)
                    text += std::string(keys[k]) + "=" + std::to_string(n + 1000 * k) + "\r\n";
            }
            const SkinDescription d = Read(text);
            for (size_t n = 0; n < sections.size(); ++n) {
                const int32_t v = static_cast<int32_t>(n);
                ExpectElement(sections[n].field(d),
                              {v, v + 1000, v + 2000, v + 3000, v + 4000, v + 5000},
                              sections[n].name);
            }
            // The logo's one section serves its dark and its lit image.
            ExpectElement(d.buttonDark[skin::kLogo], {-1, -2, -3, -4, -5, -6}, "logo dark");
            ExpectElement(d.buttonLit[skin::kLogo], {-1, -2, -3, -4, -5, -6}, "logo lit");
            EXPECT_FALSE(d.upon);
            EXPECT_TRUE(d.shaped);
            EXPECT_EQ(d.mask, 16711935);
        }

        TEST(SkinDescriptionTest, OffRejectsAndFontsReadAsGiven) {
            EXPECT_FALSE(ReadSkinDescription(IniDocument("[skin_info]\r\noff=1\r\n")));
            EXPECT_FALSE(ReadSkinDescription(IniDocument("[skin_info]\r\noff=-1\r\n")));
            EXPECT_TRUE(ReadSkinDescription(IniDocument("[skin_info]\r\noff=0\r\n")));
            EXPECT_TRUE(ReadSkinDescription(IniDocument("")));

            const SkinDescription d =
                Read("[font_0]\r\ntype=Face\r\ncolor=255\r\nheight=12\r\nweight=700\r\n"
                     "italic=1\r\nunderline=1\r\nstrikeout=1\r\n"
                     "[font_1]\r\nheight=-9\r\n");
            EXPECT_EQ(d.fonts[0].face, "Face");
            EXPECT_EQ(d.fonts[0].colour, 255u);
            EXPECT_EQ(d.fonts[0].height, -12) << "a height of 12 asks for 12-pixel characters";
            EXPECT_EQ(d.fonts[0].weight, 700);
            EXPECT_TRUE(d.fonts[0].italic && d.fonts[0].underline && d.fonts[0].strikeout);
            EXPECT_EQ(d.fonts[1].height, 9);
            EXPECT_EQ(d.fonts[1].face, kMincho);
            EXPECT_EQ(Read("[font_0]\r\nheight=-2147483648\r\n").fonts[0].height, INT32_MIN);
        }

        TEST(SkinDescriptionTest, FaceNamesAreCutAt31BytesBetweenCharacters) {
            const std::string ascii(200, 'F');
            EXPECT_EQ(Read("[font_0]\r\ntype=" + ascii + "\r\n").fonts[0].face,
                      std::string(31, 'F'));
            // A double-byte character over byte 31 goes whole.
            const std::string name = std::string(30, 'F') + "\x96\xBE" + "F";
            EXPECT_EQ(Read("[font_1]\r\ntype=" + name + "\r\n").fonts[1].face,
                      std::string(30, 'F'));
            const std::string fits = std::string(29, 'F') + "\x96\xBE" + "F";
            EXPECT_EQ(Read("[font_1]\r\ntype=" + fits + "\r\n").fonts[1].face, fits.substr(0, 31));
        }

        TEST(SkinDescriptionTest, TheBackgroundMustFitItsSheet) {
            struct Case {
                SkinElement background;
                int32_t sheetW, sheetH;
                bool fits;
            } cases[] = {
                {{0, 0, 0, 0, 268, 45}, 268, 45, true},
                {{5, 5, 2, 3, 266, 42}, 268, 45, true},
                {{0, 0, 0, 0, 0, 45}, 268, 45, false},
                {{0, 0, 0, 0, 268, 0}, 268, 45, false},
                {{0, 0, 0, 0, -1, 45}, 268, 45, false},
                {{0, 0, 1, 0, 268, 45}, 268, 45, false},
                {{0, 0, 0, -1, 10, 10}, 268, 45, false},
                {{0, 0, 0, 0, 4097, 10}, 5000, 45, false},
                {{0, 0, 2147483647, 0, 10, 10}, 268, 45, false},
                {{0, 0, 0, 0, 2147483647, 10}, 268, 45, false},
            };
            for (const Case& c : cases)
                EXPECT_EQ(BackgroundFitsSheet(c.background, c.sheetW, c.sheetH), c.fits)
                    << c.background.x << "," << c.background.y << " " << c.background.w << "x"
                    << c.background.h;
        }

        std::string ReadBytes(const std::string& path) {
            std::ifstream file(path, std::ios::binary);
            return std::string(std::istreambuf_iterator<char>(file), {});
        }

        // The shipped skin: every element lies inside its sheet, the sheets pass the
        // file checks, the digits share one width, play and pause are separate and
        // the window is shaped by magenta.
        TEST(SkinDescriptionTest, TheSampleSkinIsWhole) {
            const std::string folder = std::string(QUOREL_RESOURCES_DIR) + "/skin/";
            const std::string ini = ReadBytes(folder + "quorel_skin.ini");
            ASSERT_FALSE(ini.empty());
            ASSERT_LE(ini.size(), skin::kMaxDescriptionBytes);
            const SkinDescription d = Read(ini);
            EXPECT_FALSE(d.upon);
            EXPECT_TRUE(d.shaped);
            EXPECT_EQ(d.mask, 16711935);

            const auto sheet = [&](const char* name) {
                const auto layout = CheckBitmapFile(ReadBytes(folder + name));
                EXPECT_TRUE(layout.has_value()) << name;
                return layout.value_or(BitmapFileLayout{});
            };
            const BitmapFileLayout main = sheet("quorel_main.bmp"),
                                   button = sheet("quorel_button.bmp"),
                                   sys = sheet("quorel_sys.bmp"), seek = sheet("quorel_seek.bmp"),
                                   vol = sheet("quorel_vol.bmp"), chars = sheet("quorel_char.bmp");
            EXPECT_TRUE(BackgroundFitsSheet(d.background, main.width, main.height));
            const auto inside = [](const SkinElement& e, const BitmapFileLayout& s,
                                   std::string what) {
                EXPECT_TRUE(e.w > 0 && e.h > 0 && e.x >= 0 && e.y >= 0 && e.x + e.w <= s.width &&
                            e.y + e.h <= s.height)
                    << what;
            };
            for (const SkinElement* e : {&d.background, &d.title, &d.artist})
                inside(*e, main, "main sheet");
            for (int i = 0; i < skin::kButtonCount; ++i) {
                inside(d.buttonDark[i], button, "dark button " + std::to_string(i));
                inside(d.buttonLit[i], button, "lit button " + std::to_string(i));
            }
            inside(d.frame, sys, "sys_field");
            for (int i = 0; i < skin::kSeekImages; ++i)
                inside(d.seek[i], seek, "seek_" + std::to_string(i));
            for (int i = 0; i < skin::kVolumeImages; ++i)
                inside(d.volume[i], vol, "vol_" + std::to_string(i));
            for (int i = 0; i < skin::kGlyphCount; ++i)
                inside(d.glyphs[i], chars, "char_" + std::to_string(i));
            for (int i = 0; i < 3; ++i) {
                inside(d.shuffleIndicator[i], chars, "shuffle indicator");
                inside(d.repeatIndicator[i], chars, "repeat indicator");
            }
            for (int digit = 1; digit < 10; ++digit)
                EXPECT_EQ(d.glyphs[digit].w, d.glyphs[0].w) << digit;
            EXPECT_NE(d.buttonDark[skin::kPlay].wx, d.buttonDark[skin::kPause].wx);
        }

        } // namespace
