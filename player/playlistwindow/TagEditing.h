// Edit mode and unite mode without the window: recording a cell edit into
// the edit list's record, writing the marked entries' tags to their files,
// the proposed file names and renaming the files after them.
#pragma once

#include "InputPlugin.h"
#include "ItemRecord.h"

#include <cstdint>
#include <string>
#include <string_view>

// The genre number a name stands for: the exact name of 0 ... 146; any other
// text ("Unknown" among them) keeps `current`.
int32_t GenreNumberOf(std::string_view name, int32_t current);

// The texts of an edit-mode row, columns 1 to 6.
struct EditedTexts {
    std::string title, artist, album, year, genre, comment;
};

// Copies the texts into the record's tag fields, each cut between characters
// to its field (127 bytes, the year 4); the genre by GenreNumberOf.
void ApplyEditedTexts(ItemRecord& record, const EditedTexts& texts);

// What a paste takes from the clipboard's text: its first line, up to the
// first CR, LF or NUL, and at most `maxChars` characters (more than any field
// holds: the field's own cut follows), so a huge text costs no more.
template <typename Char>
std::basic_string_view<Char> PastedLine(std::basic_string_view<Char> text, size_t maxChars) {
    size_t length = 0;
    while (length < text.size() && length < maxChars && text[length] != Char('\0') &&
           text[length] != Char('\r') && text[length] != Char('\n'))
        ++length;
    return text.substr(0, length);
}

// How unite mode proposes names: a keyword and the entry number, or the
// title, with the number and a separator before it when numbering is on.
struct UniteNaming {
    bool byTitle = false;
    bool numbering = true;
    std::string text = "album"; // the keyword or the separator
};

// The proposed name of entry `number` (no character replaced): album03.mp3,
// 12-Rain.mp3, Rain.mp3.
std::string UnitedName(const UniteNaming& naming, int32_t number, std::string_view title,
                       std::string_view path);

// Why a proposed name is refused before anything moves: it would leave the
// folder ("\", "/"), has no stem (".mp3"), names a device (CON, NUL, COM1
// ...), or makes a path longer than the record holds.
bool IsAcceptableNewPath(std::string_view name, std::string_view newPath);

// The input plug-in's tag writers for an entry's file, by its kind: RIFF
// INFO for "rmp", Lyrics3 for the MPEG kinds, then ID3v1 for all four. True
// when ID3v1 was written; false for other kinds (nothing written) and when
// writing failed.
bool WriteTagsOf(InputPlugin& input, const ItemRecord& edited);
bool HasWritableTags(const ItemRecord& item);

// Moves files; the Win32 one never replaces an existing target.
class FileMover {
  public:
    virtual ~FileMover() = default;
    virtual bool Move(const std::string& from, const std::string& to) = 0;
};
