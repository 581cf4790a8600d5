#include "PlaybackLoop.h"

#include <algorithm>

PlaybackLoop::PlaybackLoop(PcmProducer& producer, const PlaybackTarget& target, int32_t pcmCapacity,
                           int32_t flushThreshold)
    : producer(producer), target(target),
      pcm(static_cast<size_t>(std::max(pcmCapacity, flushThreshold + producer.MaxBlockBytes())), 0),
      flushThreshold(flushThreshold) {}

void PlaybackLoop::Notify(int32_t code, int32_t value) {
    if (target.callback) target.callback(code, value, target.userData);
}

void PlaybackLoop::Finish(bool reset) {
    if (reset) target.output->OutputReset();
    target.output->OutputClose();
    *target.state = kInputStopped;
    Notify(kNotifyPosition, 0);
}

bool PlaybackLoop::Flush() {
    if (pcmHeld == 0) return true;
    const bool written = target.output->OutputWrite(pcm.data(), pcmHeld) != 0;
    pcmHeld = 0;
    return written;
}

void PlaybackLoop::Handle(const PlaybackMessage& message, PlaybackChannel& channel) {
    switch (message.number) {
    case kPlaybackStop:
        // What the PCM buffer holds is dropped; no end notice follows.
        Finish(true);
        break;
    case kPlaybackPause:
        target.output->OutputPause();
        *target.state = kInputPaused;
        break;
    case kPlaybackResume:
        target.output->OutputResume();
        *target.state = kInputPlaying;
        break;
    case kPlaybackSeek: {
        target.output->OutputReset();
        pcmHeld = 0;
        lastPosition = producer.Seek(message.argument);
        Notify(kNotifyPosition, lastPosition);
        break;
    }
    default:
        return; // not ours: nothing to signal
    }
    if (message.event) channel.Signal(message.event);
}

void PlaybackLoop::Run(PlaybackChannel& channel) {
    *target.state = kInputPlaying;
    Notify(kNotifyPosition, 0);
    lastPosition = 0;
    bool outputRefused = false;

    while (*target.state != kInputStopped) {
        const ProduceStep step = producer.Produce(pcm.data() + pcmHeld);
        if (step.kind == ProduceStep::kEnded) break;
        pcmHeld += step.bytes;
        if (step.kind == ProduceStep::kLastBlock) flushThreshold = 0;

        if (!producer.HasRate()) {
            Finish(true);
            Notify(kNotifyEnd, 0);
            return;
        }
        const int32_t position = producer.Position();
        if (position != lastPosition) {
            Notify(kNotifyPosition, position);
            lastPosition = position;
        }

        if (pcmHeld >= flushThreshold && !Flush()) {
            outputRefused = true;
            break;
        }
        if (flushThreshold == 0) break;

        PlaybackMessage message;
        if (channel.Take(&message)) Handle(message, channel);
        while (*target.state == kInputPaused && channel.Wait(&message))
            Handle(message, channel);
    }

    // The source ended, the decoder stopped or the output refused: play out
    // what is held and tell the host. A stop has already finished.
    if (*target.state == kInputStopped) return;
    if (pcmHeld > 0 && !outputRefused) Flush();
    Finish(false);
    Notify(kNotifyEnd, 0);
}
