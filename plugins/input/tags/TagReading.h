// The order in which the input plug-in reads the tags of a file that is not a
// WAVE file: ID3v1 first; then the ID3v2 header; only without an ID3v2 tag
// the RIFF container, and only without that a Lyrics3 block. Texts read later
// replace those read earlier, except an ID3v2 tag's, which only fill what an
// ID3v1 tag left blank. A WAVE file's texts come from its INFO list alone
// (ReadWaveTags).
#pragma once

#include "AudioSpan.h"
#include "InputFileInfo.h"
#include "TagFile.h"

// For Open and GetFileInfo: `span` comes in as offset 0 and the file size; on return it
// covers the audio: behind an ID3v2 tag, or the RIFF "data" chunk, without
// the tags at the end.
void ReadTagsForOpen(TagFile& file, TagRecord* tag, AudioSpan* span);
