// A file in the temporary folder that is removed when it goes out of scope; it carries standard
// input and standard output, since a conversion reads its input twice and writes a file.
#pragma once

#include <iosfwd>
#include <string>

class TTempFile {
  public:
    TTempFile();
    ~TTempFile();
    TTempFile(const TTempFile&) = delete;
    TTempFile& operator=(const TTempFile&) = delete;

    bool Ok() const { return !path_.empty(); }
    const std::string& Path() const { return path_; }
    // Copies a whole stream into the file, or the file into a stream; false when that failed.
    bool Fill(std::istream& in);
    bool CopyTo(std::ostream& out) const;

  private:
    std::string path_;
};
