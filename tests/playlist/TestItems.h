#pragma once

#include "InputItemDB.h"

#include <cstring>
#include <string>
#include <vector>

// Appends an item with the given path and tag texts.
inline ItemRecord* AddTestItem(TInputItemDB& store, const std::string& path,
                               const std::string& artist = "", const std::string& title = "") {
    ItemRecord* item = store.AppendItem();
    if (item == nullptr) return nullptr;
    std::strncpy(item->path, path.c_str(), sizeof item->path - 1);
    std::strncpy(item->info.tag.artist, artist.c_str(), sizeof item->info.tag.artist - 1);
    std::strncpy(item->info.tag.title, title.c_str(), sizeof item->info.tag.title - 1);
    return item;
}

inline std::vector<std::string> PathsOf(const TInputItemDB& store) {
    std::vector<std::string> paths;
    for (int32_t i = 1; i <= store.GetCount(); ++i)
        paths.push_back(store.GetItem(i)->path);
    return paths;
}
