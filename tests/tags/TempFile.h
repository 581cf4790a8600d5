// A real file in a private temporary folder, removed at the end of the test.
#pragma once

#include "TagTestSupport.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#ifndef _WIN32
#include <unistd.h>
#endif

class TempFile {
  public:
    explicit TempFile(const Bytes& contents) {
        static std::atomic<unsigned> counter{0};
        namespace fs = std::filesystem;
        folder_ = fs::temp_directory_path() /
                  ("quorel-tags-" + std::to_string(ProcessId()) + "-" + std::to_string(counter++));
        fs::create_directories(folder_);
        path_ = (folder_ / "file.mp3").string();
        Write(contents);
    }
    ~TempFile() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(folder_, ignored);
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const char* path() const { return path_.c_str(); }
    std::string folder() const { return folder_.string(); }

    void Write(const Bytes& contents) const {
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(contents.data()),
                  static_cast<std::streamsize>(contents.size()));
    }

    Bytes Read() const {
        std::ifstream in(path_, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    void MakeReadOnly() const {
        std::filesystem::permissions(path_,
                                     std::filesystem::perms::owner_write |
                                         std::filesystem::perms::group_write |
                                         std::filesystem::perms::others_write,
                                     std::filesystem::perm_options::remove);
    }
    void Remove() const { std::filesystem::remove(path_); }

    // Root may write to read-only files on POSIX systems.
    static bool WritesIgnorePermissions() {
#ifdef _WIN32
        return false;
#else
        return geteuid() == 0;
#endif
    }

  private:
    static long ProcessId() {
#ifdef _WIN32
        return 0;
#else
        return static_cast<long>(getpid());
#endif
    }

    std::filesystem::path folder_;
    std::string path_;
};
