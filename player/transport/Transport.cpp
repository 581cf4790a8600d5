#include "Transport.h"

#include <cstring>

#include "PathNames.h"

namespace {

// "前の曲を選曲できませんでした。"
constexpr const char* kMsgPreviousFailed = "\x91\x4f\x82\xcc\x8b\xc8\x82\xf0\x91\x49\x8b\xc8\x82"
                                           "\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5"
                                           "\x82\xbd\x81\x42";
constexpr char kOpenFailedTitle[] = "Wave File";

void CopyText(char (&field)[128], std::string_view text) {
    const size_t length = text.size() < sizeof field - 1 ? text.size() : sizeof field - 1;
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

} // namespace

Transport::Transport(const TransportParts& parts) : parts(parts) {}

void Transport::Play_MClick(int32_t tag) {
    if (tag == 0 || tag == 10) ButtonAction(kButtonPlayPause);
}

void Transport::ButtonAction(int32_t code) {
    if (!ListLoaded && code != kButtonOpenMenu && code != kButtonLogo) return;
    TransportView& view = parts.view;
    switch (code) {
    case kButtonPlayPause:
        if (PlayState == kPlayStopped || PlayState == kPlayPaused) {
            PlayState = kPlayPlaying;
            view.DrawPlayPause(true);
            StartPlayback();
            view.CheckMenu(TransportMenuCheck::kPlay);
        } else if (!(view.SkinActive() && view.SkinHasSeparatePause())) {
            PlayState = kPlayPaused;
            view.DrawPlayPause(false);
            TogglePause();
            view.CheckMenu(TransportMenuCheck::kPause);
        }
        view.DrawStop(true);
        UpdateTrackInfo();
        view.DrawTextsAndNumbers();
        break;
    case kButtonStop:
        PlayState = kPlayStopped;
        view.DrawPlayPause(false);
        view.DrawStop(false);
        UpdateTrackInfo();
        view.DrawTextsAndNumbers();
        StopPlayback();
        view.CheckMenu(TransportMenuCheck::kStop);
        break;
    case kButtonPrevious:
        SelectPrevious();
        UpdateTrackInfo();
        view.DrawTextsAndNumbers();
        break;
    case kButtonNext:
        SelectNext(false);
        UpdateTrackInfo();
        view.DrawTextsAndNumbers();
        break;
    case kButtonRepeat:
        RepeatMode = RepeatMode >= kRepeatOne ? kRepeatOff : RepeatMode + 1;
        view.DrawRepeatIndicator();
        break;
    case kButtonShuffle:
        ShuffleMode = ShuffleMode >= kShuffleRandom ? kShuffleOff : ShuffleMode + 1;
        parts.shuffle.Clear();
        if (ShuffleMode == kShuffleOn) parts.shuffle.Build(parts.list.GetCount());
        if (ShuffleMode == kShuffleRandom) parts.random.SeedFromTimeOfDay();
        view.DrawShuffleIndicator();
        break;
    case kButtonPlayList:
        view.ShowPlayListWindow();
        break;
    case kButtonOpenMenu:
        view.PopUpOpenMenu();
        break;
    case kButtonPauseOnly:
        if (view.SkinActive() && view.SkinHasSeparatePause() && PlayState == kPlayPlaying) {
            PlayState = kPlayPaused;
            view.DrawPlayPause(false);
            TogglePause();
            view.CheckMenu(TransportMenuCheck::kPause);
        }
        break;
    }
}

std::string Transport::PlayingTitle(const ItemRecord& item) const {
    return " " + std::string(FieldText(item.info.tag.title)) + " : " +
           std::string(FieldText(item.info.tag.artist)) + " : Quorel";
}

void Transport::SelectMixerLine(const ItemRecord& item) {
    const bool cd = FileKindOf(FieldText(item.path)) == kKindCDTrack;
    const int32_t device = cd ? parts.settings.CDOutDevice : parts.settings.WaveOutDevice;
    if (device != MixerDevice) {
        MixerDevice = device;
        parts.mixer->MixerClose();
        parts.mixer->MixerOpen(parts.window, device);
    }
    MixerLine = cd ? parts.settings.CDOutVolume : parts.settings.WaveOutVolume;
    MixerIsCD = cd ? 1 : 0;
}

void Transport::StartPlayback() {
    ItemRecord* item = parts.list.GetCurrentItem();
    if (!item) return;
    switch (parts.input.GetState()) {
    case kInputPaused:
        parts.input.Resume();
        parts.view.ShowTrayState(true, applicationTitle);
        return;
    case kInputPlaying:
        StopPlayback();
        break;
    case kInputStopped:
        break;
    default:
        return;
    }
    if (parts.mixer) SelectMixerLine(*item);
    parts.input.SetDecodeOptions(parts.settings.Reduction, parts.settings.Convert, 24000);
    if (parts.input.Open(item->path, &item->info)) {
        if (!parts.input.Play()) parts.view.PostNotifyEnd();
    } else {
        // The item can't be played: it is skipped by the end notice.
        TInputItemDB::ClearInfo(item->info);
        CopyText(item->info.tag.title, kOpenFailedTitle);
        parts.view.PostNotifyEnd();
    }
    parts.view.SelectPlayListRow(parts.list.GetCurrent());
    applicationTitle = PlayingTitle(*item);
    parts.view.SetApplicationTitle(applicationTitle);
    parts.view.ShowTrayState(true, applicationTitle);
    if (parts.settings.MenuPlayListOn) parts.view.CheckMenuPlayListItem(parts.list.GetCurrent());
    parts.view.CheckMenu(TransportMenuCheck::kPlay);
    parts.view.ResetTitleScroll();
    if (parts.view.SkinActive()) parts.view.RestartSkinTitleScroll();
}

void Transport::StopPlayback() {
    parts.input.Stop();
    parts.input.Close();
    applicationTitle = kIdleApplicationTitle;
    parts.view.SetApplicationTitle(applicationTitle);
    parts.view.ShowTrayState(false, std::string());
}

void Transport::TogglePause() {
    switch (parts.input.GetState()) {
    case kInputPlaying:
        parts.input.Pause();
        parts.view.ShowTrayState(false, applicationTitle);
        break;
    case kInputPaused:
        parts.input.Resume();
        parts.view.ShowTrayState(true, applicationTitle);
        break;
    }
}

void Transport::SelectPrevious() {
    if (ShuffleMode == kShuffleOn) {
        if (!parts.list.SetCurrent(parts.shuffle.PreviousInOrder())) {
            parts.view.ShowMessage(kMsgPreviousFailed);
            return;
        }
    } else if (!parts.list.Previous()) {
        return;
    }
    switch (parts.input.GetState()) {
    case kInputPlaying:
        StartPlayback();
        break;
    case kInputPaused:
        StopPlayback();
        break;
    }
}

void Transport::SelectNext(bool automatic) {
    TInputItemDB& list = parts.list;
    if (ShuffleMode == kShuffleOn) {
        if (!list.SetCurrent(parts.shuffle.NextInOrder())) return;
    } else if (ShuffleMode == kShuffleRandom) {
        const int32_t count = list.GetCount();
        if (count < 1 || !list.SetCurrent(parts.random.Next15() % count + 1)) return;
    } else if (RepeatMode == kRepeatAll) {
        if (!list.Next()) list.SetCurrent(1);
    } else if (!(RepeatMode == kRepeatOne && automatic)) {
        if (!list.Next()) {
            // The list has been played to its end.
            list.SetCurrent(1);
            ButtonAction(kButtonStop);
            return;
        }
    }
    if (parts.input.GetState() == kInputPlaying)
        StartPlayback();
    else
        ButtonAction(kButtonStop);
    if (automatic) ButtonAction(kButtonPlayPause);
}

void Transport::NotifyEnd() {
    parts.input.Close();
    SelectNext(true);
}

void Transport::NotifyPosition(int32_t seconds) {
    if (!SeekDragging) Position = seconds;
}

void Transport::AfterListLoaded(int32_t first, bool addMode) {
    if (!addMode) {
        parts.list.SetCurrent(1);
    } else if (!parts.settings.AddFiletoPlay) {
        ButtonAction(kButtonStop);
        parts.list.SetCurrent(first);
    }
    UpdateTrackInfo();
    parts.view.RebuildPlayList();
    if (ShuffleMode == kShuffleOn) {
        parts.shuffle.Clear();
        parts.shuffle.Build(parts.list.GetCount());
    }
    if (PlayState == kPlayStopped && parts.settings.AutoPlay) ButtonAction(kButtonPlayPause);
    parts.view.RepaintAll();
}

void Transport::MenuPlayListClick(int32_t tag) {
    if (tag == -1) {
        parts.view.ShowPlayListWindow();
        return;
    }
    if (!parts.list.SetCurrent(tag)) return;
    switch (parts.input.GetState()) {
    case kInputStopped:
        ButtonAction(kButtonPlayPause);
        break;
    case kInputPlaying:
    case kInputPaused:
        ButtonAction(kButtonStop);
        ButtonAction(kButtonPlayPause);
        break;
    }
}

bool Transport::UpdateTrackInfo() {
    const ItemRecord* item = parts.list.GetCurrentItem();
    if (!item) return false;
    const std::string_view title = FieldText(item->info.tag.title);
    if (title.empty())
        CopyText(TitleText, FileNameOf(FieldText(item->path)));
    else
        CopyText(TitleText, title);
    CopyText(ArtistText, FieldText(item->info.tag.artist));
    Length = item->info.playLength;
    BitRate = item->info.bitRate * 1000;
    SampleRate = item->info.sampleRate;
    return true;
}

void Transport::ApplyVolume(int32_t volume) {
    if (parts.mixer)
        SetMixerVolume(volume, volume);
    else
        parts.input.SetVolume(volume, volume);
}

std::string Transport::VolumeLineInUse() const {
    return parts.volumeLines ? parts.volumeLines->LineText(MixerIsCD != 0, MixerLine)
                             : std::string();
}

int32_t Transport::SetMixerVolume(int32_t left, int32_t right) {
    const std::string line = VolumeLineInUse();
    const uint32_t control = parts.mixer->MixerFindVolumeControl(line.c_str());
    if (control == 0) return -1;
    const uint32_t value = (static_cast<uint32_t>(right * 65535 / 100) << 16) |
                           (static_cast<uint32_t>(left * 65535 / 100) & 0xFFFF);
    parts.mixer->MixerSetControlValue(control, 1, value);
    return 0;
}

int32_t Transport::MixerControlChange(uint32_t controlId) {
    if (!parts.mixer || SeekDragging) return -1;
    const FaderInfo* control = parts.mixer->MixerGetControl(controlId);
    if (!control || control->controlType != kVolumeFaderType) return -1;
    const char* end =
        static_cast<const char*>(std::memchr(control->name, '\0', sizeof control->name));
    const std::string name(control->name, end ? end : control->name + sizeof control->name);
    const std::string line = VolumeLineInUse();
    if (line.empty() || name != line) return -1;
    // Rounded to the nearest: the value went out as v * 65535 / 100, cut
    // down, so the player's own change comes back as the volume it set.
    const uint32_t value = parts.mixer->MixerGetControlValue(control, 1) >> 16;
    return static_cast<int32_t>((value * 100 + 65535 / 2) / 65535);
}

void Transport::ResetForEmptyList(const char* idleTitle, const char* idleSubtitle) {
    ListLoaded = 0;
    Position = 0;
    Length = 0;
    BitRate = 0;
    SampleRate = 0;
    CopyText(TitleText, idleTitle);
    CopyText(ArtistText, idleSubtitle);
    parts.view.ResetTitleScroll();
}
