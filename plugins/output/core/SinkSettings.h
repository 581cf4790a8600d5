// Which sink Varnoth plays into, and how the disk writer paces itself, from
// the texts of its ini file or environment.
#pragma once

#include <string>

enum class SinkKind { WaveDevice, DiskWriter };
enum class DiskPace { RealTime, Fast };

struct SinkSettings {
    SinkKind sink = SinkKind::WaveDevice;
    DiskPace pace = DiskPace::RealTime;
    std::string diskFolder; // empty: the default folder
};

// "wave" or "disk" (any case, surrounding blanks ignored); anything else
// leaves `kind` as it is and answers false.
bool ParseSinkKind(const std::string& text, SinkKind& kind);
// "realtime" or "fast", likewise.
bool ParseDiskPace(const std::string& text, DiskPace& pace);

// `folder` taken relative to `base` (a folder ending in a backslash) unless
// it is absolute (a drive "X:" or a leading backslash); empty stays empty.
std::string ResolveFolder(const std::string& base, const std::string& folder);

// The name of the disk writer's file number `index` (1 ... kMostDiskFiles):
// "Varnoth-0001.wav" and so on.
constexpr int kMostDiskFiles = 9999;
std::string DiskFileName(int index);
