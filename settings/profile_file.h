// Profile (INI) files of our own, readable and writable the same way as the Windows profile
// functions read and write them: Shift_JIS text, lines ending in CR LF, "[section]" headers and
// "key=value" entries. Section and key names are compared without regard to ASCII letter case; the
// first section and the first key of a name win, as on Windows.
//
// A file is parsed once into an index of its sections and keys; reads and writes work on that
// index, and Save writes the whole text in one piece, through a temporary file renamed over the
// old one, so the old file stays whole when writing fails. Lines that no write touched are kept
// byte for byte; a replaced key keeps its place, a new key goes after the last non-blank line of
// its section, a new section to the end of the file.
//
// Reading, as on Windows: blanks around names and values are dropped, then one pair of matching
// enclosing quotes (' or ") is removed, then the value is cut to kProfileValueLimit bytes. Writing
// quotes a value only where reading would otherwise change it (leading or trailing blanks, or
// enclosing quotes), so every value written reads back as it was on both sides. A UTF-8 byte-order
// mark is ignored: such a file is read as UTF-8 and saved again as Shift_JIS.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "settings/atomic_file.h"

// Values read back are at most this long (the Windows readers pass a 2048-byte buffer); a longer
// value is cut, never in the middle of a double-byte character.
inline constexpr std::size_t kProfileValueLimit = 2047;

// Files larger than this are not read at all (a settings file is a few kilobytes).
inline constexpr std::uintmax_t kProfileFileSizeLimit = 16u << 20;

enum class TProfileOpenResult {
    Opened,     // the file was read
    Missing,    // no file at the path: the profile is empty and Save creates the file
    Unreadable  // not a regular file, unreadable, or larger than kProfileFileSizeLimit
};

class TProfileFile {
  public:
    TProfileFile();
    ~TProfileFile();
    TProfileFile(TProfileFile&&) noexcept;
    TProfileFile& operator=(TProfileFile&&) noexcept;

    // Reads a file (native path), replacing what the profile held.
    TProfileOpenResult Load(const std::string& path);
    // Takes the bytes of a whole file, replacing what the profile held.
    void Parse(std::string content);

    // The value as read back, or std::nullopt when the section or key is missing.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view fallback) const;
    // Decimal, or hexadecimal after "$", "x" or "0x"; fallback for anything else or a missing key.
    std::int32_t ReadInteger(std::string_view section, std::string_view key,
                             std::int32_t fallback) const;
    // An integer with the fallback 1 or 0; non-zero is true.
    bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

    // Sets a value in memory; Save writes it. A value is one line: CR and LF become spaces.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
    void WriteBool(std::string_view section, std::string_view key, bool value);

    // The whole file text with every write applied.
    std::string Text() const;
    // Replaces the file at path (native) by Text(), atomically. False when the write was refused
    // (read-only file, missing folder, full disk ...); the old file is then unchanged.
    bool Save(const std::string& path, const TWriteChunk& write = {}) const;

  private:
    struct TImpl;
    std::unique_ptr<TImpl> impl_;
};
