#include "Tessaly.h"

#include <cstring>

#include "DecodeOptionRequest.h"
#include "MpegProducer.h"
#include "RiffInfo.h"
#include "TagReading.h"
#include "TagWriters.h"
#include "WaveProducer.h"
#include "decoder/Decoder.h"

namespace {

constexpr char kVersion[] = "2.1.0";
// PCM buffer of a WAVE source, written to the output in 32 KB blocks.
constexpr int32_t kWavePcmCapacity = 0x80000;
constexpr int32_t kWaveFlushThreshold = 0x8000;

} // namespace

// The stream fields that Open and GetFileInfo report.
struct Tessaly::StreamFacts {
    FrameHeader header;
    OutputShape shape;
    int32_t shownBitrate;
};

Tessaly::Tessaly(std::unique_ptr<PlaybackThread> playbackThread, std::unique_ptr<TAudioCD> cdPlayer)
    : decodeOptions(kDefaultDecodeOptions), thread(std::move(playbackThread)),
      cd(std::move(cdPlayer)) {
    DecoderInitTables();
    SetDecodeOptions(0, 0, 24000);
}

Tessaly::~Tessaly() {
    // The host stops and closes before it unloads us; should it not, the
    // thread is stopped but not waited for (a library being unloaded must not
    // wait for a thread).
    if (state != kInputStopped) Stop();
}

int32_t Tessaly::SetOutput(OutputPlugin* newOutput) {
    if (state != kInputStopped) return 0;
    output = newOutput;
    return 1;
}

int32_t Tessaly::SetCallback(InputCallback newCallback, uintptr_t newUserData) {
    if (state != kInputStopped) return 0;
    callback = newCallback;
    userData = newUserData;
    return 1;
}

int32_t Tessaly::GetState() {
    return state;
}

int32_t Tessaly::SetVolume(int32_t left, int32_t right) {
    return output ? output->OutputSetVolume(left, right) : 0;
}

int32_t Tessaly::SetDecodeOptions(int32_t reduction, int32_t conversion, int32_t frequencyLimit) {
    decodeOptions = ApplyDecodeOptionRequest(decodeOptions, reduction, conversion, frequencyLimit);
    return 1;
}

int32_t Tessaly::GetVersion(char* buffer) {
    std::memcpy(buffer, kVersion, sizeof kVersion);
    return 1;
}

// Reads the tags of a file that is not a WAVE file into `info` and finds the
// MPEG stream between them; sets the play length. 0 when there is no stream.
int32_t Tessaly::ProbeMpeg(TagFile& source, InputFileInfo* info, MpegStream* stream) {
    std::memset(info, 0, sizeof *info);
    AudioSpan span;
    span.dataOffset = 0;
    span.audioSize = source.Size();
    ReadTagsForOpen(source, &info->tag, &span);
    if (!FindMpegStream(source, span.dataOffset, span.dataOffset + span.audioSize, stream))
        return 0;
    info->playLength = MpegPlayLength(*stream);
    return 1;
}

void Tessaly::CopyStreamFields(const StreamFacts& facts, InputFileInfo* info) {
    info->channels = facts.shape.channels;
    info->bitRate = facts.shownBitrate;
    info->sampleRate = facts.shape.outputRate;
    info->mpegVersion = facts.header.version;
    info->layer = facts.header.layer;
    info->mode = facts.header.mode;
    info->modeExtension = facts.header.modeExtension;
    info->copyright = facts.header.copyright;
    info->original = facts.header.original;
    info->emphasis = facts.header.emphasis;
}

namespace {

// The stream facts of a WAVE file, in the shape of an MPEG stream's: the bit
// rate of the file's own samples (A-law and µ-law count as 16-bit), the
// output's bits.
void DescribeWave(const WaveFormat& format, const WaveCounters& counters, FrameHeader* header,
                  OutputShape* shape) {
    *header = FrameHeader{};
    const bool companded = format.coding == WaveCoding::ALaw || format.coding == WaveCoding::MuLaw;
    header->bitrate = static_cast<int32_t>(format.byteRate * (companded ? 16 : 8) / 1000);
    *shape = OutputShape{};
    shape->channels = format.channels;
    shape->bitsPerSample = WaveOutputBits(counters);
    shape->outputRate = static_cast<int32_t>(format.sampleRate);
    shape->pcmBytesPerFrame = format.channels * 1152;
}

} // namespace

// A CD track holds no file: the drive plays it. The tag text stays as the
// caller passed it.
int32_t Tessaly::OpenCdTrack(const char* fileName, InputFileInfo* info) {
    if (!cd) return 0;
    int32_t track = 0;
    const int32_t seconds = cd->OpenCDTrack(fileName, &track);
    if (seconds <= 0) return 0;
    cdTrack = track;
    info->playLength = seconds;
    sourceKind = kSourceCdTrack;
    return 1;
}

int32_t Tessaly::Open(const char* fileName, InputFileInfo* info) {
    if (file || cdTrack) return 0;
    sourceKind = kSourceNone;
    if (OpenCdTrack(fileName, info)) return 1;
    file = OpenTagFile(fileName, TagFileAccess::ReadOnly);
    if (!file) return 0;
    const int64_t fileSize = file->Size();

    StreamFacts facts = {};
    const int64_t waveData = ReadWaveHeader(*file, &waveFormat, &waveCounters);
    if (waveData >= 0) {
        dataOffset = waveData;
        ReadWaveTags(*file, &info->tag);
        DescribeWave(waveFormat, waveCounters, &facts.header, &facts.shape);
        facts.shownBitrate = facts.header.bitrate;
        if (fileSize <= 0 || waveFormat.byteRate == 0) {
            info->playLength = 0;
            return 0;
        }
        info->playLength = WavePlayLength(waveFormat, waveCounters, fileSize, waveData);
        sourceKind = kSourceWave;
    } else {
        if (!DecoderSetOptions(decodeOptions)) return 0;
        if (!ProbeMpeg(*file, info, &mpeg)) return 0;
        dataOffset = mpeg.dataOffset;
        facts = {mpeg.header, mpeg.shape, MpegShownBitrate(mpeg)};
        sourceKind = kSourceMpeg;
    }
    header = facts.header;
    shape = facts.shape;
    CopyStreamFields(facts, info);
    return 1;
}

int32_t Tessaly::GetFileInfo(const char* fileName, InputFileInfo* info) {
    // A CD track's length, asked without opening it; a busy device (a CD
    // track playing) answers -1, reported as length 0.
    if (const int32_t seconds = cd ? cd->GetCDTrackLength(fileName) : 0) {
        info->playLength = seconds > 0 ? seconds : 0;
        return 1;
    }
    std::unique_ptr<TagFile> source = OpenTagFile(fileName, TagFileAccess::ReadOnly);
    if (!source) return 0;
    const int64_t fileSize = source->Size();
    StreamFacts facts = {};
    WaveFormat format;
    WaveCounters counters;
    const int64_t waveData = ReadWaveHeader(*source, &format, &counters);
    if (waveData >= 0) {
        ReadWaveTags(*source, &info->tag);
        DescribeWave(format, counters, &facts.header, &facts.shape);
        facts.shownBitrate = facts.header.bitrate;
        if (fileSize <= 0 || format.byteRate == 0) {
            info->playLength = 0;
            return 0;
        }
        info->playLength = WavePlayLength(format, counters, fileSize, waveData);
    } else {
        // The playing stream's decoder is left alone: the options are only
        // checked here, and GetOutputShape reads the current ones.
        if (decodeOptions.frequencyLimit < 1000) return 0;
        MpegStream stream;
        if (!ProbeMpeg(*source, info, &stream)) return 0;
        facts = {stream.header, stream.shape, MpegShownBitrate(stream)};
    }
    CopyStreamFields(facts, info);
    return 1;
}

void Tessaly::RunLoop(PlaybackChannel& channel, void* self) {
    Tessaly* tessaly = static_cast<Tessaly*>(self);
    if (tessaly->sourceKind == kSourceCdTrack)
        tessaly->cdLoop->Run(channel);
    else
        tessaly->loop->Run(channel);
}

// The drive plays by itself: no output stream is opened. Open left the
// device open; a play that ended closed it, and only a new Open reopens it.
int32_t Tessaly::PlayCdTrack() {
    if (!cd->IsOpen()) return 0;
    cdLoop = std::make_unique<CdPlaybackLoop>(*cd, cdTrack,
                                              PlaybackTarget{output, callback, userData, &state});
    state = kInputPlaying;
    if (!thread->Start(RunLoop, this)) {
        state = kInputStopped;
        cd->CloseDevice();
        return 0;
    }
    return 1;
}

int32_t Tessaly::Play() {
    if (state != kInputStopped || !output || !callback || !(file || cdTrack)) return 0;
    // A finished thread may still be on its way out; its loop must outlive it.
    thread->Join();
    if (sourceKind == kSourceCdTrack) return PlayCdTrack();

    int32_t pcmCapacity;
    int32_t flushThreshold;
    if (sourceKind == kSourceMpeg) {
        if (!DecoderStart(header)) return 0;
        producer = std::make_unique<MpegProducer>(*file, mpeg);
        pcmCapacity = 8 * shape.pcmBytesPerFrame;
        flushThreshold = pcmCapacity - 2 * shape.pcmBytesPerFrame;
    } else if (sourceKind == kSourceWave) {
        producer = std::make_unique<WaveProducer>(*file, waveFormat, waveCounters, dataOffset);
        pcmCapacity = kWavePcmCapacity;
        flushThreshold = kWaveFlushThreshold;
    } else {
        return 0;
    }

    const PcmFormat format = {shape.channels, shape.bitsPerSample, shape.outputRate, pcmCapacity};
    if (!output->OutputOpen(0, &format)) return 0;
    loop = std::make_unique<PlaybackLoop>(
        *producer, PlaybackTarget{output, callback, userData, &state}, pcmCapacity, flushThreshold);
    // Playing from the moment Play succeeds, so that a host call right after
    // it (pause, seek) is not taken for one on a stopped source.
    state = kInputPlaying;
    if (!thread->Start(RunLoop, this)) {
        state = kInputStopped;
        output->OutputClose();
        return 0;
    }
    return 1;
}

int32_t Tessaly::Stop() {
    if (state == kInputStopped) return 1;
    thread->Send(kPlaybackStop, 0);
    return 1;
}

int32_t Tessaly::Pause() {
    if (state == kInputPlaying) thread->Send(kPlaybackPause, 0);
    return 1;
}

int32_t Tessaly::Resume() {
    if (state == kInputPaused) thread->Send(kPlaybackResume, 0);
    return 1;
}

int32_t Tessaly::Seek(int32_t seconds) {
    if (state == kInputStopped) return 0;
    thread->Send(kPlaybackSeek, seconds);
    return 1;
}

int32_t Tessaly::Close() {
    if (!file && !cdTrack) return 0;
    Stop();
    thread->Join();
    loop.reset();
    cdLoop.reset();
    producer.reset();
    file.reset();
    // A CD track opened but never played (or refused) still holds the device.
    if (cdTrack && cd) cd->CloseDevice();
    cdTrack = 0;
    return 1;
}

int32_t Tessaly::WriteID3v1(const char* fileName, const TagRecord* tag) {
    return WriteId3v1Tag(fileName, tag);
}

int32_t Tessaly::WriteRiffInfo(const char* fileName, const TagRecord* tag) {
    return WriteRiffInfoTag(fileName, tag);
}

int32_t Tessaly::WriteLyrics3(const char* fileName, const TagRecord* tag) {
    return WriteLyrics3Tag(fileName, tag);
}

int32_t Tessaly::GetCDTrackCount(const char* path) {
    return cd ? cd->CountTracks(path) : 0;
}
