// A settings file in the Windows profile format, held in memory: sections
// "[name]" followed by "key=value" lines, all byte text in the ANSI code page.
//
// Reading and writing follow the profile functions: section and key names
// match without regard to ASCII case, names and values are trimmed of
// blanks, a value enclosed in a pair of matching quotes loses them, only the
// first section of a name is used, and writing a key changes that one line
// (or adds it at the end of its section, or adds the section at the end of
// the text) while every other line stays as it was. Lines may end in CR LF,
// LF or CR; the text is always produced with CR LF.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class IniDocument {
  public:
    IniDocument() = default;
    // Any bytes are accepted; what is not a section header or a key line is
    // kept as it is and never matches.
    explicit IniDocument(std::string_view bytes);

    // The stored value, or nothing when the section or key is missing.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    // Decimal with an optional sign, within int32; anything else yields the default.
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue) const;
    // Any non-zero integer reads as true.
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

    // Refused (false, nothing changed) for an empty section or key, names
    // with blanks at either end, and text that would not read back the same:
    // CR, LF or NUL anywhere, '=' in a key, a key starting with '['. Values
    // are trimmed when read, like every value in the file.
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);
    bool WriteInteger(std::string_view section, std::string_view key, int32_t value);
    // Written as "1" or "0".
    bool WriteBool(std::string_view section, std::string_view key, bool value);

    // The whole file, every line ending in CR LF; a UTF-8 byte-order mark the
    // text started with is kept in front.
    std::string ToBytes() const;

  private:
    // Offsets into lines_; the body runs from the line after the header to
    // the next header or the end of the text.
    struct Section {
        size_t nameBegin;
        size_t nameLength;
        size_t bodyBegin;
        size_t bodyEnd;
    };
    struct Location;

    std::string_view NameOf(const Section& section) const;
    Location Locate(std::string_view section, std::string_view key) const;
    // Replaces removed bytes at offset at, inside the body of section index.
    void Splice(size_t index, size_t at, size_t removed, std::string_view inserted);
    void AppendSection(std::string_view section, std::string_view firstLine);

    bool startsWithBom_ = false;
    // Every line ends in a single LF here, including the last one.
    std::string lines_;
    // In order of appearance; lines before the first header belong to none.
    std::vector<Section> sections_;
};
