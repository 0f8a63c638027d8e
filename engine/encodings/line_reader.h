// Reads a Shift_JIS text file line by line without holding more than one line: a line ends at LF
// or CR LF, a CR not followed by LF is dropped, the byte 0x1A ends the file, and a last line
// without a terminator is still a line. With a decoder the file is first decoded into Shift_JIS
// piece by piece and the same rules apply to the decoded text; a decoder that gives up ends the
// reading where it stands, without the line it was in.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

class TInputDecoder;

class TLineReader {
  public:
    // Opens a native path; Ok() tells whether that worked. The decoder, when given, must outlive
    // the reader.
    explicit TLineReader(const std::string& path, TInputDecoder* decoder = nullptr);
    ~TLineReader();
    TLineReader(const TLineReader&) = delete;
    TLineReader& operator=(const TLineReader&) = delete;

    bool Ok() const { return file_ != nullptr && !failed_; }

    // The next line into line (its capacity is reused); false at the end or on a read error.
    bool Next(std::string& line) {
        line.clear();
        return Append(line);
    }
    // The next line onto the end of text; false, with text as it was, at the end or on a read
    // error.
    bool Append(std::string& text);
    // True once a read error happened (a directory, an I/O error).
    bool Failed() const { return failed_; }
    // The errno of the failure to open or read; 0 when none is known.
    int Error() const { return error_; }

  private:
    bool Fill();
    bool FillDecoded();
    // Reads up to room bytes into into; false (and Failed) on a read error. Sets eof_ at the end.
    bool Read(char* into, std::size_t room, std::size_t& got);
    // Cuts size bytes of text at a 0x1A byte, which ends the file (and sets eof_).
    void CutAtSubstitute(const char* text, std::size_t& size);

    std::FILE* file_ = nullptr;

    TInputDecoder* decoder_ = nullptr;
    std::string buffer_;
    std::vector<char> raw_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool eof_ = false;  // end of file or 0x1A seen
    bool failed_ = false;
    int error_ = 0;
};
