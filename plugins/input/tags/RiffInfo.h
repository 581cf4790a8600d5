// Tags of MPEG audio in a RIFF file ("rmp"): the LIST chunk of type INFO
// behind the "data" chunk.
#pragma once

#include "AudioSpan.h"
#include "InputFileInfo.h"
#include "TagFile.h"

// Reads a RIFF container: the audio becomes the "data" chunk and the texts of
// an INFO list behind it go into the record. False when the file does not
// begin with "RIFF" or has no "data" chunk.
bool ReadRiffContainerForOpen(TagFile& file, TagRecord* tag, AudioSpan* span);

// Reads the INFO list behind the "data" chunk into the record; true when
// there is one.
bool ReadRiffInfoList(TagFile& file, TagRecord* tag);

// Rewrites the INFO list with the record's title, artist, album and comment,
// keeping the other known texts, and makes it end with an "IID3" tag for
// WriteId3v1 to fill. Chunks that followed the list are kept in front of it.
// False, with the file unchanged, when there is no INFO list behind the
// audio or the file can't be walked, read or written.
bool WriteRiffInfo(TagFile& file, const TagRecord& tag);

// Reads the tags of a WAVE file, before or behind its audio, into the record:
// the first INFO list (texts as for a RIFF container, the genre from "IGNR"),
// then the ID3v2 tag of the first "id3 " or "ID3 " chunk, which fills only
// what the INFO list left blank: INFO is what the player itself writes.
void ReadWaveTags(TagFile& file, TagRecord* tag);
