#include "IniDocument.h"

#include <limits>

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Line ends never reach these checks: lines are split on them first.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

char FoldAsciiCase(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldAsciiCase(a[i]) != FoldAsciiCase(b[i])) return false;
    return true;
}

// "[name]": the name runs to the last closing bracket of the line.
std::optional<std::string_view> SectionNameOf(std::string_view line) {
    const std::string_view text = Trim(line);
    if (text.empty() || text.front() != '[') return std::nullopt;
    const size_t close = text.rfind(']');
    if (close == std::string_view::npos) return std::nullopt;
    return Trim(text.substr(1, close - 1));
}

struct KeyLine {
    std::string_view name;
    std::string_view value;
};

// "name=value", split at the first equals sign.
std::optional<KeyLine> KeyLineOf(std::string_view line) {
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return KeyLine{Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

std::string_view WithoutEnclosingQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

std::optional<int32_t> ParseDecimalInt32(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    const int64_t limit = negative ? -int64_t{std::numeric_limits<int32_t>::min()}
                                   : int64_t{std::numeric_limits<int32_t>::max()};
    int64_t magnitude = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit) return std::nullopt;
    }
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

bool HasLineBreakingByte(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

bool IsWritableName(std::string_view name) {
    return !name.empty() && Trim(name).size() == name.size() && !HasLineBreakingByte(name);
}

} // namespace

IniDocument::IniDocument(std::string_view bytes) {
    if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
        startsWithBom_ = true;
        bytes.remove_prefix(kUtf8Bom.size());
    }
    lines_.reserve(bytes.size() + 1);
    for (size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r') {
            lines_.push_back('\n');
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        } else {
            lines_.push_back(c);
        }
    }
    if (!lines_.empty() && lines_.back() != '\n') lines_.push_back('\n');

    for (size_t begin = 0; begin < lines_.size();) {
        const size_t end = lines_.find('\n', begin);
        const std::string_view line(lines_.data() + begin, end - begin);
        if (const auto name = SectionNameOf(line)) {
            if (!sections_.empty()) sections_.back().bodyEnd = begin;
            sections_.push_back({static_cast<size_t>(name->data() - lines_.data()), name->size(),
                                 end + 1, lines_.size()});
        }
        begin = end + 1;
    }
}

std::string_view IniDocument::NameOf(const Section& section) const {
    return std::string_view(lines_).substr(section.nameBegin, section.nameLength);
}

struct IniDocument::Location {
    bool sectionFound = false;
    size_t section = 0;
    bool keyFound = false;
    // The key's line, without its LF, when found.
    size_t lineBegin = 0;
    size_t lineEnd = 0;
    std::string_view storedName;
    std::string_view value;
    // Where a new key of the section goes: after its last non-blank line.
    size_t insertAt = 0;
};

// Only the first section of the name counts, as with the profile functions.
IniDocument::Location IniDocument::Locate(std::string_view section, std::string_view key) const {
    Location found;
    for (size_t index = 0; index < sections_.size(); ++index) {
        const Section& candidate = sections_[index];
        if (!EqualIgnoringCase(NameOf(candidate), section)) continue;
        found.sectionFound = true;
        found.section = index;
        found.insertAt = candidate.bodyBegin;
        for (size_t begin = candidate.bodyBegin; begin < candidate.bodyEnd;) {
            const size_t end = lines_.find('\n', begin);
            const std::string_view line(lines_.data() + begin, end - begin);
            if (const auto entry = KeyLineOf(line); entry && EqualIgnoringCase(entry->name, key)) {
                found.keyFound = true;
                found.lineBegin = begin;
                found.lineEnd = end;
                found.storedName = entry->name;
                found.value = entry->value;
                return found;
            }
            if (!Trim(line).empty()) found.insertAt = end + 1;
            begin = end + 1;
        }
        return found;
    }
    return found;
}

void IniDocument::Splice(size_t index, size_t at, size_t removed, std::string_view inserted) {
    lines_.replace(at, removed, inserted);
    const auto shift = [&](size_t& offset) { offset = offset + inserted.size() - removed; };
    shift(sections_[index].bodyEnd);
    for (size_t later = index + 1; later < sections_.size(); ++later) {
        shift(sections_[later].nameBegin);
        shift(sections_[later].bodyBegin);
        shift(sections_[later].bodyEnd);
    }
}

void IniDocument::AppendSection(std::string_view section, std::string_view firstLine) {
    lines_ += '[';
    const size_t nameBegin = lines_.size();
    lines_ += section;
    lines_ += "]\n";
    const size_t bodyBegin = lines_.size();
    lines_ += firstLine;
    sections_.push_back({nameBegin, section.size(), bodyBegin, lines_.size()});
}

std::optional<std::string> IniDocument::Find(std::string_view section, std::string_view key) const {
    const Location found = Locate(section, key);
    if (!found.keyFound) return std::nullopt;
    return std::string(WithoutEnclosingQuotes(found.value));
}

std::string IniDocument::ReadString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
    if (auto value = Find(section, key)) return std::move(*value);
    return std::string(defaultValue);
}

int32_t IniDocument::ReadInteger(std::string_view section, std::string_view key,
                                 int32_t defaultValue) const {
    const auto value = Find(section, key);
    if (!value) return defaultValue;
    return ParseDecimalInt32(*value).value_or(defaultValue);
}

bool IniDocument::ReadBool(std::string_view section, std::string_view key,
                           bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool IniDocument::WriteString(std::string_view section, std::string_view key,
                              std::string_view value) {
    if (!IsWritableName(section) || !IsWritableName(key) || HasLineBreakingByte(value) ||
        key.find('=') != std::string_view::npos || key.front() == '[')
        return false;
    std::string line(key);
    line += '=';
    line += value;
    const Location found = Locate(section, key);
    if (found.keyFound) {
        line.replace(0, key.size(), found.storedName);
        Splice(found.section, found.lineBegin, found.lineEnd - found.lineBegin, line);
        return true;
    }
    line += '\n';
    if (found.sectionFound)
        Splice(found.section, found.insertAt, 0, line);
    else
        AppendSection(section, line);
    return true;
}

bool IniDocument::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
    return WriteString(section, key, std::to_string(value));
}

bool IniDocument::WriteBool(std::string_view section, std::string_view key, bool value) {
    return WriteString(section, key, value ? "1" : "0");
}

std::string IniDocument::ToBytes() const {
    std::string bytes;
    bytes.reserve(lines_.size() * 2 + kUtf8Bom.size());
    if (startsWithBom_) bytes += kUtf8Bom;
    for (const char c : lines_) {
        if (c == '\n') bytes += '\r';
        bytes += c;
    }
    return bytes;
}
