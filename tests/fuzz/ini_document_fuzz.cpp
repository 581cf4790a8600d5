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

    // Writes shift the sections behind them; a fresh parse must agree with
    // the edited document on every name involved.
    const bool written = document.WriteString(section, key, value);
    if (written && !IsBlankEdge(value) && !IsQuoted(value))
        Require(document.ReadString(section, key, "") == value);
    document.WriteString(key, section, value);
    document.WriteString(section, "Name0", key);
    const IniDocument reparsed(document.ToBytes());
    for (const std::string_view s : {section, key})
        for (const std::string_view k : {section, key, std::string_view("Name0")})
            Require(reparsed.ReadString(s, k, "\x01") == document.ReadString(s, k, "\x01"));
    return 0;
}
