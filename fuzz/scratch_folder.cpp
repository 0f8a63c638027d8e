#include "fuzz/scratch_folder.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>

#include "engine/encodings/input_decoder.h"
#include "engine/encodings/line_reader.h"
#include "engine/encodings/sjis_bridge.h"

TScratchFolder::TScratchFolder() {
    const char* tmp = std::getenv("TMPDIR");
    const std::string base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : tmp ? tmp : "/tmp";
    std::string pattern = base + "/porukano-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make a scratch folder in " + base);
    path_ = pattern + "/";
}

TScratchFolder::~TScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

const TScratchFolder& Scratch() {
    static const TScratchFolder folder;
    return folder;
}

void WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file)
        Fail("cannot write the scratch file", path);
}

std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void Fail(std::string_view problem, std::string_view about) {
    std::string shown;
    for (const char c : about.substr(0, 400)) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u < 0x7F) {
            shown += c;
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", u);
            shown += hex;
        }
    }
    std::fprintf(stderr, "\n*** %.*s\n    %s\n", static_cast<int>(problem.size()), problem.data(),
                 shown.c_str());
    std::abort();
}

std::vector<std::string> ReadInputLines(const std::string& path, TTextEncoding encoding) {
    TSjisBridge bridge;
    std::optional<TInputDecoder> decoder;
    if (encoding != TTextEncoding::ShiftJis)
        decoder.emplace(encoding, bridge);
    TLineReader reader(path, decoder ? &*decoder : nullptr);
    std::vector<std::string> lines;
    std::string line;
    while (reader.Next(line))
        lines.push_back(line);
    return lines;
}
