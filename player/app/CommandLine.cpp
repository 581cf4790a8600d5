#include "CommandLine.h"

#include <windows.h>

namespace {

// The full path of `name`, or `name` itself when the system can't make one.
std::string FullPathOf(const std::string& name) {
    if (name.empty()) return name;
    std::vector<char> buffer(MAX_PATH + 1);
    for (;;) {
        const DWORD length = GetFullPathNameA(name.c_str(), static_cast<DWORD>(buffer.size()),
                                              buffer.data(), nullptr);
        if (length == 0) return name;
        if (length < buffer.size()) return std::string(buffer.data(), length);
        buffer.resize(length + 1); // the size it needs, terminator included
    }
}

} // namespace

std::vector<std::string> AbsoluteArguments(int argc, char** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.push_back(FullPathOf(argv[i]));
    return arguments;
}
