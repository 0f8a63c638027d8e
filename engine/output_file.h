// A buffered output file whose every failure is seen: writes, the final flush and the close.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

class TOutputFile {
  public:
    // Creates or truncates a native path; Ok() tells whether that worked.
    explicit TOutputFile(const std::string& path);
    ~TOutputFile();
    TOutputFile(const TOutputFile&) = delete;
    TOutputFile& operator=(const TOutputFile&) = delete;

    bool Ok() const { return file_ != nullptr; }
    // Writes text followed by CR LF; false once any write has failed.
    bool WriteLine(std::string_view text);
    // Flushes and closes; false when anything written was lost.
    bool Close();

  private:
    bool Flush();

    std::FILE* file_ = nullptr;
    std::string buffer_;
    bool failed_ = false;
};
