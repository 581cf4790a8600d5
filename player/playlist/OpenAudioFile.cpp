#include "OpenAudioFile.h"

#include "Cp932.h"
#include "InputPlugin.h"
#include "PathNames.h"

#include <cstdio>
#include <cstring>
#include <unordered_set>

namespace {

// Red Book discs hold at most 99 tracks; a count far beyond that is a fault
// of the plug-in, not a disc.
constexpr int32_t kMaxCDTracks = 999;

// Plug-ins are trusted to NUL-terminate, but the play list's readers need it.
void TerminateTexts(TagRecord& tag) {
    tag.title[sizeof tag.title - 1] = '\0';
    tag.artist[sizeof tag.artist - 1] = '\0';
    tag.album[sizeof tag.album - 1] = '\0';
    tag.year[sizeof tag.year - 1] = '\0';
    tag.comment[sizeof tag.comment - 1] = '\0';
}

// "CD Audio-D- Track01": the drive letter between the dashes.
void SetCDTrackTitle(ItemRecord& record) {
    const std::string name = FileNameOf(record.path);
    const std::string track = name.substr(0, name.size() > 4 ? name.size() - 4 : 0);
    const std::string title = std::string("CD Audio-") + record.path[0] + "- " + track;
    std::snprintf(record.info.tag.title, sizeof record.info.tag.title, "%s", title.c_str());
}

} // namespace

TOpenAudioFile::TOpenAudioFile(FileAccess& files, MessageSink messages)
    : playList_(messages), editList_(messages), files_(files), messages_(std::move(messages)) {}

void TOpenAudioFile::Show(const char* text) const {
    if (messages_) messages_(text);
}

bool TOpenAudioFile::AppendToBothLists(const ItemRecord& record) {
    ItemRecord* shown = playList_.AppendItem();
    if (shown == nullptr) return false;
    *shown = record;
    ItemRecord* edited = editList_.AppendItem();
    if (edited == nullptr) {
        playList_.DeleteItem(playList_.GetCount()); // keep the two lists alike
        return false;
    }
    *edited = record;
    FitFlags();
    return true;
}

bool TOpenAudioFile::AddFiles(const std::vector<std::string>& names) {
    if (input_ == nullptr || names.empty()) return false;
    // One lookup per name instead of a walk over the whole play list.
    std::unordered_set<std::string> listed;
    for (int32_t i = 1; i <= playList_.GetCount(); ++i) {
        listed.insert(ToLowerAnsi(FieldText(playList_.GetItem(i)->path)));
    }
    for (const std::string& name : names) {
        const int32_t kind = FileKindOf(name);
        if ((kind == kKindWav && options_.noWav) || (IsMpegKind(kind) && options_.noMpeg) ||
            (kind == kKindRmp && options_.noRmp)) {
            continue;
        }
        if (!IsAudioKind(kind) && kind != kKindCDTrack) {
            Show(kMsgUnsupportedFormat);
            continue;
        }
        // A longer name can't be stored whole, and a cut one names another file.
        if (name.size() > kMaxPathLength || name.find('\0') != std::string::npos) continue;
        const std::string lowerName = ToLowerAnsi(name);
        if (listed.count(lowerName) != 0) continue;

        ItemRecord record;
        std::memset(&record, 0, sizeof record);
        std::memcpy(record.path, name.c_str(), name.size() + 1);
        if (input_->GetFileInfo(record.path, &record.info) == 0) continue;
        TerminateTexts(record.info.tag);
        if (kind == kKindCDTrack) SetCDTrackTitle(record);
        if (!AppendToBothLists(record)) return false;
        listed.insert(lowerName);
    }
    return true;
}

void TOpenAudioFile::AddCDTracks(std::vector<std::string>& list, const std::string& path) {
    if (input_ == nullptr || options_.noCD || path.size() > 3) return;
    std::string root = path;
    if (root.empty() || root.back() != '\\') root += '\\';
    int32_t count = input_->GetCDTrackCount(root.c_str());
    if (count == 0 || count < -kMaxCDTracks || count > kMaxCDTracks) return;
    int32_t first = 1;
    if (count < 0) { // track 1 holds data
        count = -count;
        first = 2;
    }
    for (int32_t track = first; track <= count; ++track) {
        char name[16];
        std::snprintf(name, sizeof name, count < 100 ? "Track%02d.cda" : "Track%03d.cda",
                      static_cast<int>(track));
        list.push_back(root + name);
    }
}

std::vector<std::string>
TOpenAudioFile::GatherArguments(const std::vector<std::string>& arguments) {
    std::vector<std::string> files;
    std::vector<std::string> lists;
    for (const std::string& argument : arguments) {
        AddCDTracks(files, argument);
        const int32_t kind = FileKindOf(argument);
        if (IsAudioKind(kind) || kind == kKindCDTrack) {
            files.push_back(argument);
        } else if (kind == kKindM3U) {
            if (!options_.noM3U) ReadM3U(argument, lists);
        } else {
            const std::string folder = ExistingFolder(files_, argument);
            if (!folder.empty()) ScanFolder(files, folder);
        }
    }
    SortNoCase(files);
    files.insert(files.end(), lists.begin(), lists.end());
    return files;
}

bool TOpenAudioFile::OpenArguments(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return false;
    ClearLists();
    return AddFiles(GatherArguments(arguments));
}

std::vector<std::string> TOpenAudioFile::ReadHandoverList(const std::string& path) {
    std::vector<std::string> handed;
    ReadM3U(path, handed);
    std::vector<std::string> names;
    for (const std::string& name : handed) {
        if (FileKindOf(name) != kKindM3U) {
            names.push_back(name);
        } else if (!options_.noM3U) {
            ReadM3U(name, names);
        }
    }
    return names;
}
