#pragma once

#include "FieldText.h"
#include "InputFileInfo.h"

#include <cstddef>

constexpr size_t kItemPathSize = 260;

// One play list item, copied as a whole: the file (or CD track) name and the
// information the input plug-in filled for it.
struct ItemRecord {
    char path[kItemPathSize]; // NUL-terminated
    InputFileInfo info;
};

static_assert(sizeof(ItemRecord) == 828, "item record size");
static_assert(offsetof(ItemRecord, path) == 0, "item record layout");
static_assert(offsetof(ItemRecord, info) == 260, "item record layout");
static_assert(offsetof(ItemRecord, info.tag.title) == 260, "item record layout");
static_assert(offsetof(ItemRecord, info.tag.artist) == 388, "item record layout");
static_assert(offsetof(ItemRecord, info.tag.album) == 516, "item record layout");
static_assert(offsetof(ItemRecord, info.tag.year) == 644, "item record layout");
static_assert(offsetof(ItemRecord, info.tag.comment) == 649, "item record layout");
static_assert(offsetof(ItemRecord, info.tag.genre) == 780, "item record layout");
static_assert(offsetof(ItemRecord, info.channels) == 784, "item record layout");
static_assert(offsetof(ItemRecord, info.bitRate) == 788, "item record layout");
static_assert(offsetof(ItemRecord, info.sampleRate) == 792, "item record layout");
static_assert(offsetof(ItemRecord, info.playLength) == 796, "item record layout");
static_assert(offsetof(ItemRecord, info.mpegVersion) == 800, "item record layout");
static_assert(offsetof(ItemRecord, info.layer) == 804, "item record layout");
static_assert(offsetof(ItemRecord, info.mode) == 808, "item record layout");
static_assert(offsetof(ItemRecord, info.modeExtension) == 812, "item record layout");
static_assert(offsetof(ItemRecord, info.copyright) == 816, "item record layout");
static_assert(offsetof(ItemRecord, info.original) == 820, "item record layout");
static_assert(offsetof(ItemRecord, info.emphasis) == 824, "item record layout");
