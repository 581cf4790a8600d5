// Prints how many MCI commands, and how much drive time at 20 ms a command,
// listing and starting every track of a 99-track disc takes.
#include <cstdio>
#include <string>

#include "DiscardingOutput.h"
#include "FakeCdDrive.h"
#include "StdPlaybackThread.h"
#include "Tessaly.h"

namespace {

constexpr int32_t kTracks = 99;
constexpr int32_t kMillisecondsPerCommand = 20;

int32_t QUOREL_STDCALL IgnoreReport(int32_t, int32_t, uintptr_t) {
    return 0;
}

std::string TrackName(int32_t track) {
    char name[32];
    std::snprintf(name, sizeof name, "D:\\Track%02d.cda", track);
    return name;
}

void Print(const char* what, size_t commands) {
    std::printf("%-44s %5zu commands %7.2f s at %d ms each (%.1f per track)\n", what, commands,
                commands * kMillisecondsPerCommand / 1000.0, kMillisecondsPerCommand,
                static_cast<double>(commands) / kTracks);
}

} // namespace

int main() {
    std::vector<FakeCdDrive::Track> disc(kTracks, FakeCdDrive::Track{true, 180});
    FakeCdDrive drive(disc);
    drive.commandCost = kMillisecondsPerCommand;
    Tessaly tessaly(std::make_unique<StdPlaybackThread>(),
                    std::make_unique<TAudioCD>(std::make_unique<LentDrive>(drive),
                                               std::vector<std::string>{"D:\\"}));
    DiscardingOutput output;
    tessaly.SetOutput(&output);
    tessaly.SetCallback(IgnoreReport, 0);

    // Listing, as the play list does: the count, then each track's length.
    InputFileInfo info = {};
    tessaly.GetCDTrackCount("D:\\");
    for (int32_t track = 1; track <= kTracks; ++track)
        tessaly.GetFileInfo(TrackName(track).c_str(), &info);
    const size_t listed = drive.Log().size();
    Print("list a 99-track disc (count + lengths)", listed);

    // Starting each track and stopping it again, as skipping through does.
    for (int32_t track = 1; track <= kTracks; ++track) {
        tessaly.Open(TrackName(track).c_str(), &info);
        tessaly.Play();
        tessaly.Stop();
        tessaly.Close();
    }
    Print("open, play, stop and close every track", drive.Log().size() - listed);
    return 0;
}
