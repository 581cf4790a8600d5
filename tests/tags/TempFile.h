// A real file in a private temporary folder, removed at the end of the test.
#pragma once

#include "TagTestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

class TempFile {
  public:
    explicit TempFile(const Bytes& contents) {
        char folder[] = "/tmp/quorel-tags-XXXXXX";
        if (mkdtemp(folder) != nullptr) folder_ = folder;
        path_ = folder_ + "/file.mp3";
        Write(contents);
    }
    ~TempFile() {
        chmod(path_.c_str(), 0600);
        std::remove(path_.c_str());
        rmdir(folder_.c_str());
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const char* path() const { return path_.c_str(); }

    void Write(const Bytes& contents) const {
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(contents.data()),
                  static_cast<std::streamsize>(contents.size()));
    }

    Bytes Read() const {
        std::ifstream in(path_, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    void MakeReadOnly() const { chmod(path_.c_str(), 0400); }
    void Remove() const { std::remove(path_.c_str()); }

  private:
    std::string folder_;
    std::string path_;
};
