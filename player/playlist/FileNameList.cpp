#include "FileNameList.h"

#include "IniFile.h"

#include <algorithm>

namespace {

constexpr char kSection[] = "FileList";

std::string KeyOf(size_t number) {
    return "Name" + std::to_string(number);
}

// Real files hold at most eleven keys; reading stops long before a hostile
// file's thousands of keys could cost noticeable time.
constexpr size_t kMaxKeysRead = 1000;

} // namespace

void TFileNameList::Show() {
    if (view_) view_->ShowNames(names_);
}

void TFileNameList::PutOnTop(const std::string& name) {
    names_.erase(std::remove(names_.begin(), names_.end(), name), names_.end());
    names_.insert(names_.begin(), name);
    if (names_.size() > kMaxNames) names_.pop_back();
}

void TFileNameList::AddName(const std::string& name) {
    PutOnTop(name);
    Show();
}

void TFileNameList::RemoveAt(size_t index) {
    if (index >= names_.size()) return;
    names_.erase(names_.begin() + static_cast<std::ptrdiff_t>(index));
    Show();
}

void TFileNameList::ClearMenus() {
    names_.clear();
    Show();
}

void TFileNameList::Load(const std::string& iniPath) {
    names_.clear();
    const IniFileContent content = ReadIniFile(iniPath);
    for (size_t number = 0; number < kMaxKeysRead; ++number) {
        const std::string name = content.document.ReadString(kSection, KeyOf(number), "");
        if (name.empty()) break;
        PutOnTop(name);
    }
    Show();
}

bool TFileNameList::Save(const std::string& iniPath) const {
    return UpdateIniFile(iniPath, [this](IniDocument& document) {
        if (names_.empty() && !document.Find(kSection, KeyOf(0))) return false;
        const size_t count = names_.size();
        for (size_t index = 0; index < count; ++index) {
            if (!document.WriteString(kSection, KeyOf(count - 1 - index), names_[index]))
                return false;
        }
        return document.WriteString(kSection, KeyOf(count), "");
    });
}
