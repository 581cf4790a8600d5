// libFuzzer target: ReadM3U over arbitrary list contents, in a small tree
// with a link cycle, a list naming folders, a CD drive and a folder name
// ending in a double-byte character. Every gathered name must fit a play
// list record, and turning the names into items must stay inside it.
#include "FakeInput.h"
#include "M3UWriting.h"
#include "MemoryFileAccess.h"
#include "OpenAudioFile.h"
#include "PathNames.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const std::string kListPaths[] = {
    "C:\\m\\list.m3u",
    "C:\\\x83\x5c\\list.m3u",
    "list.m3u",
    "C:\\" + std::string(240, 'd') + "\\l.m3u",
    "\\\\server\\share\\l.m3u",
};

void BuildTree(MemoryFileAccess& files) {
    files.AddFile("C:\\m\\a.mp3");
    files.AddFile("C:\\m\\sub\\b.wav");
    files.AddFile("C:\\m\\sub\\inner.m3u", "..\\\r\n.\\b.wav\r\nC:\\m\\sub\r\n");
    files.AddLink("C:\\m\\sub\\up", "C:\\m");
    files.AddFile("C:\\\x83\x5c\\c.mp3");
    files.AddFile("C:\\" + std::string(240, 'd') + "\\" + std::string(14, 'e') + ".mp3");
    files.AddFolder("D:");
    files.AddFolder("list.m3u"); // a root named like a list: reading it must fail cleanly
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const std::string& listPath = kListPaths[data[0] % (sizeof kListPaths / sizeof kListPaths[0])];
    const std::string contents(reinterpret_cast<const char*>(data + 1), size - 1);

    MemoryFileAccess files;
    BuildTree(files);
    files.AddFile(listPath, contents);
    FakeInput input;
    input.cdTrackCount = static_cast<int8_t>(data[0]) / 2;
    TOpenAudioFile model(files, {});
    model.SetInput(&input);

    std::vector<std::string> names;
    model.ReadM3U(listPath, names);
    for (const std::string& name : names) {
        if (name.empty() || name.size() > kMaxPathLength || name.find('\0') != std::string::npos) {
            std::abort();
        }
    }
    model.AddFiles(names);
    const std::string saved = FormatM3U(model.PlayList(), listPath, true);
    if (saved.compare(0, 6, "#M3U\r\n") != 0) std::abort();
    return 0;
}
