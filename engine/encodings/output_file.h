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
    // The errno of the first failure (creating, writing or closing); 0 when none is known.
    int Error() const { return error_; }
    // Writes text followed by CR LF; false once any write has failed.
    bool WriteLine(std::string_view text);
    // The same for a line that append(std::string&) appends to the buffered text itself (a page
    // writer that would otherwise make a copy first). The buffer goes out once it is big enough.
    template <typename Append>
    bool WriteLineWith(Append&& append) {
        if (failed_ || !file_)
            return false;
        append(buffer_);
        buffer_.append("\r\n");
        return buffer_.size() < kBufferSize || Flush();
    }
    // Flushes and closes; false when anything written was lost.
    bool Close();

  private:
    bool Flush();
    static constexpr std::size_t kBufferSize = 1 << 16;

    std::FILE* file_ = nullptr;
    std::string buffer_;
    bool failed_ = false;
    int error_ = 0;
};
