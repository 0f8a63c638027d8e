// A folder of the fuzz process's own for the files a conversion reads and writes, in memory
// (/dev/shm) where the system has it; removed when the process ends normally.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/encodings/text_encoding.h"

class TScratchFolder {
  public:
    TScratchFolder();
    ~TScratchFolder();
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;

    // The folder with a trailing "/".
    const std::string& Path() const { return path_; }
    std::string File(std::string_view name) const { return path_ + std::string(name); }

  private:
    std::string path_;
};

// The process's one scratch folder.
const TScratchFolder& Scratch();

void WriteBytes(const std::string& path, std::string_view bytes);
std::string ReadBytes(const std::string& path);
// The lines of a text file as the converter reads them in encoding, in the engine's bytes.
std::vector<std::string> ReadInputLines(const std::string& path,
                                        TTextEncoding encoding = TTextEncoding::ShiftJis);

// Prints what is wrong, with the text it is about (printable bytes as they are, others as
// \xHH), and aborts, so that the fuzzer keeps the input.
[[noreturn]] void Fail(std::string_view problem, std::string_view about);
