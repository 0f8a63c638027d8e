// The keys of the conversion settings file, for tools that name them (the command line's --set
// and its help): the sections and keys SaveSettingsFile writes, in its order, and the two keys
// only old files hold.
#pragma once

#include <span>
#include <string>
#include <string_view>

struct TSettingsKeyInfo {
    const char* Section;  // "main" ...; "strong" and "HolLine" stand for the numbered sections
    bool Numbered;        // true for "strong"1..5 and "HolLine"1..5
    const char* Key;
    const char* Kind;   // "text", "integer", "boolean", "colour", "unit", "index", ... for help
    bool OldFilesOnly;  // read only from files older than 0.31, never written
};

std::span<const TSettingsKeyInfo> SettingsFileKeys();

// The key of section and key (case-insensitive, numbered sections 1 to 5), or nullptr; on success
// canonicalSection and canonicalKey hold the names as the file writes them.
const TSettingsKeyInfo* FindSettingsKey(std::string_view section, std::string_view key,
                                        std::string& canonicalSection, std::string& canonicalKey);
