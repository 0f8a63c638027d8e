// A fresh folder per test, removed afterwards, with small file helpers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class TTempDir {
  public:
    TTempDir();
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    // The folder with a trailing "/".
    const std::string& Path() const { return path_; }
    std::string File(std::string_view name) const { return path_ + std::string(name); }

  private:
    std::string path_;
};

void WriteFileBytes(const std::string& path, std::string_view bytes);
std::string ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);
// A Shift_JIS file with CR LF line ends made of UTF-8 lines.
void WriteSjisLines(const std::string& path, const std::vector<std::string>& utf8Lines);
