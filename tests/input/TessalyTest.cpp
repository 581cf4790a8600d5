#include "Tessaly.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "PlaybackFakes.h"
#include "StdPlaybackThread.h"

namespace {

// Lets a test put the object in a state only the playback thread reaches.
class TessalyProbe : public Tessaly {
  public:
    TessalyProbe() : Tessaly(std::make_unique<StdPlaybackThread>()) {}
    void ForceState(int32_t newState) { state = newState; }
    const DecodeOptions& options() const { return decodeOptions; }
    OutputPlugin* currentOutput() const { return output; }
    InputCallback currentCallback() const { return callback; }
    uintptr_t currentUserData() const { return userData; }
};

int32_t QUOREL_STDCALL CallbackA(int32_t, int32_t, uintptr_t) {
    return 0;
}
int32_t QUOREL_STDCALL CallbackB(int32_t, int32_t, uintptr_t) {
    return 0;
}

TEST(Tessaly, StartsStoppedWithTheDefaultDecodeOptions) {
    TessalyProbe tessaly;
    EXPECT_EQ(tessaly.GetState(), kInputStopped);
    EXPECT_EQ(tessaly.options().reduction, 0);
    EXPECT_EQ(tessaly.options().conversion, 0);
    EXPECT_EQ(tessaly.options().frequencyLimit, 24000);
}

TEST(Tessaly, VersionIsFixedTextWithItsNul) {
    TessalyProbe tessaly;
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(tessaly.GetVersion(buffer), 1);
    EXPECT_EQ(std::memcmp(buffer, "2.1.0\0xx", 8), 0) << "wrote past the six bytes";
}

TEST(Tessaly, SetDecodeOptionsStoresTheNormalisedRequest) {
    TessalyProbe tessaly;
    EXPECT_EQ(tessaly.SetDecodeOptions(2, 1, 24000), 1);
    EXPECT_EQ(tessaly.options().reduction, 2);
    EXPECT_EQ(tessaly.options().conversion, 1);
    EXPECT_EQ(tessaly.SetDecodeOptions(5, 7, 44100), 1);
    EXPECT_EQ(tessaly.options().reduction, 0);
    EXPECT_EQ(tessaly.options().conversion, 0);
    EXPECT_EQ(tessaly.options().frequencyLimit, 24000);
}

TEST(Tessaly, OutputAndCallbackAreTakenOnlyWhileStopped) {
    TessalyProbe tessaly;
    RecordingOutput first, second;
    ASSERT_EQ(tessaly.SetOutput(&first), 1);
    ASSERT_EQ(tessaly.SetCallback(CallbackA, 7), 1);
    for (int32_t busy : {kInputPlaying, kInputPaused}) {
        tessaly.ForceState(busy);
        EXPECT_EQ(tessaly.SetOutput(&second), 0);
        EXPECT_EQ(tessaly.SetCallback(CallbackB, 9), 0);
        EXPECT_EQ(tessaly.currentOutput(), &first);
        EXPECT_EQ(tessaly.currentCallback(), CallbackA);
        EXPECT_EQ(tessaly.currentUserData(), 7u);
    }
    tessaly.ForceState(kInputStopped);
    EXPECT_EQ(tessaly.SetOutput(&second), 1);
    EXPECT_EQ(tessaly.SetCallback(CallbackB, 9), 1);
    EXPECT_EQ(tessaly.currentOutput(), &second);
    EXPECT_EQ(tessaly.currentCallback(), CallbackB);
}

TEST(Tessaly, VolumeGoesToTheOutputWithItsResult) {
    TessalyProbe tessaly;
    EXPECT_EQ(tessaly.SetVolume(10, 20), 0) << "no output set";
    RecordingOutput output;
    tessaly.SetOutput(&output);
    EXPECT_EQ(tessaly.SetVolume(30, 70), 1);
    EXPECT_EQ(output.left, 30);
    EXPECT_EQ(output.right, 70);
    output.volumeResult = 0;
    EXPECT_EQ(tessaly.SetVolume(100, 100), 0);
}

TEST(Tessaly, TransportWhileStopped) {
    TessalyProbe tessaly;
    EXPECT_EQ(tessaly.Stop(), 1);
    EXPECT_EQ(tessaly.Pause(), 1);
    EXPECT_EQ(tessaly.Resume(), 1);
    EXPECT_EQ(tessaly.Seek(10), 0);
    EXPECT_EQ(tessaly.Close(), 0) << "nothing is open";
}

} // namespace
