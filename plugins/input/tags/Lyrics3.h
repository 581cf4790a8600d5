// Lyrics3 version 2.00 tags between the audio and the ID3v1 tag of an MPEG
// file.
#pragma once

#include "AudioSpan.h"
#include "InputFileInfo.h"
#include "TagFile.h"

// Reads the comment ("INF"), album ("EAL"), artist ("EAR") and title ("ETT")
// of a block into the record. True when a whole block was read; on a broken
// field the fields before it stay read.
bool ReadLyrics3Block(TagFile& file, TagRecord* tag);
// As ReadLyrics3Block; a whole block is also taken off the end of the audio.
bool ReadLyrics3BlockForOpen(TagFile& file, TagRecord* tag, AudioSpan* span);

// Writes a block with the record's texts, keeping the lyrics ("LYR"), author
// ("AUT") and image links ("IMG") of a present block. The block goes where
// the present one was (in front of the ID3v1 tag, or at the very end of a
// file that has no tag yet), else just before the ID3v1 tag, else at the end.
// The ID3v1 tag stays behind the block; a file without one gets one made
// from the record, as the format wants a tag there. False, with the file
// unchanged, when a present block can't be walked or the file can't be read
// or written.
bool WriteLyrics3(TagFile& file, const TagRecord& tag);
