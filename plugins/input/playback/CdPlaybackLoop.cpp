#include "CdPlaybackLoop.h"

namespace {

constexpr int32_t kPollMilliseconds = 500;
// Status errors in a row after which the drive counts as gone.
constexpr int32_t kStatusErrorLimit = 3;

} // namespace

CdPlaybackLoop::CdPlaybackLoop(TAudioCD& cd, int32_t track, const PlaybackTarget& target)
    : cd(cd), track(track), target(target) {}

void CdPlaybackLoop::Notify(int32_t code, int32_t value) {
    if (target.callback) target.callback(code, value, target.userData);
}

void CdPlaybackLoop::Finish(bool reset) {
    if (reset) target.output->OutputReset();
    cd.StopTrack();
    cd.CloseDevice();
    *target.state = kInputStopped;
    Notify(kNotifyPosition, 0);
}

void CdPlaybackLoop::Handle(const PlaybackMessage& message, PlaybackChannel& channel) {
    switch (message.number) {
    case kPlaybackStop:
        Finish(true);
        break;
    case kPlaybackPause:
        cd.PauseTrack();
        *target.state = kInputPaused;
        break;
    case kPlaybackResume:
        cd.ResumeTrack();
        *target.state = kInputPlaying;
        break;
    case kPlaybackSeek:
        // A paused track stays paused at the new place until resumed.
        cd.SeekInTrack(message.argument, *target.state != kInputPaused);
        break;
    default:
        return; // not ours: nothing to signal
    }
    if (message.event) channel.Signal(message.event);
}

// The mode, not the position, tells the end: the drive may stop anywhere
// (stopped by hand, tray opened), and a drive that reports nothing but
// errors will never report "stopped".
bool CdPlaybackLoop::DriveGoesOn() {
    uint32_t mode = 0;
    if (!cd.GetMode(&mode)) return ++statusErrors < kStatusErrorLimit;
    statusErrors = 0;
    return mode == kMciModePlay || mode == kMciModeSeek || mode == kMciModePause;
}

void CdPlaybackLoop::Run(PlaybackChannel& channel) {
    *target.state = kInputPlaying;
    Notify(kNotifyPosition, 0);
    int32_t length = 0;
    const bool started = cd.GetTrackLength(track, &length) && cd.SetTrackTimeFormat() == 0 &&
                         cd.PlayTrack(track) == 0;
    // The start's report stands for second 0.
    int32_t lastPosition = 0;
    while (started) {
        const int32_t position = cd.GetPositionInTrack();
        if (position != lastPosition) {
            Notify(kNotifyPosition, position);
            lastPosition = position;
        }
        // The host's messages are answered at once, not after the poll.
        PlaybackMessage message;
        if (channel.WaitFor(&message, kPollMilliseconds)) Handle(message, channel);
        while (*target.state == kInputPaused && channel.Wait(&message))
            Handle(message, channel);
        if (*target.state == kInputStopped) return;
        if (!DriveGoesOn()) break;
    }
    if (*target.state == kInputStopped) return;
    Finish(false);
    Notify(kNotifyEnd, 0);
}
