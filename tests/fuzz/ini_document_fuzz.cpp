// Any bytes as a settings file: reading and writing must neither crash nor
// lose what was written, and producing the text twice must give the same.
#include "IniDocument.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

bool IsBlankEdge(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; };
    return !text.empty() && (blank(text.front()) || blank(text.back()));
}

bool IsQuoted(std::string_view text) {
    return text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
           text.back() == text.front();
}

} // namespace

// The input is "section|key|value|file bytes"; missing parts are empty.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::string_view parts[3];
    for (std::string_view& part : parts) {
        const size_t bar = input.find('|');
        part = input.substr(0, bar);
        input = bar == std::string_view::npos ? std::string_view() : input.substr(bar + 1);
    }
    const auto [section, key, value] = parts;

    IniDocument document(input);
    document.ReadInteger(section, key, 0);
    document.ReadBool("PanelMode", "TrayIcon", false);

    const std::string once = document.ToBytes();
    Require(IniDocument(once).ToBytes() == once);

    if (document.WriteString(section, key, value)) {
        if (!IsBlankEdge(value) && !IsQuoted(value))
            Require(document.ReadString(section, key, "") == value);
        const std::string written = document.ToBytes();
        Require(IniDocument(written).ReadString(section, key, "x") ==
                document.ReadString(section, key, "y"));
    }
    return 0;
}
