// Helpers for the tests of the regular-expression rules.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

#include "engine/regex/regex_library.h"

// A library name that no machine has.
inline const std::string kMissingRegexLibrary = "libporukano-no-such-regex.so.0";

// Restores the library name, and the environment variable, when a test ends.
class TRegexLibraryNameGuard {
  public:
    TRegexLibraryNameGuard() {
        if (const char* value = std::getenv("PORUKANO_REGEX_LIBRARY"))
            saved_ = value;
    }
    ~TRegexLibraryNameGuard() {
        SetRegexLibraryName(std::nullopt);
        if (saved_) {
            ::setenv("PORUKANO_REGEX_LIBRARY", saved_->c_str(), 1);
        } else {
            ::unsetenv("PORUKANO_REGEX_LIBRARY");
        }
    }
    TRegexLibraryNameGuard(const TRegexLibraryNameGuard&) = delete;
    TRegexLibraryNameGuard& operator=(const TRegexLibraryNameGuard&) = delete;

  private:
    std::optional<std::string> saved_;
};
