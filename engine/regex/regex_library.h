// The regular-expression engine (Oniguruma), loaded at run time with the platform's library
// loader so that a machine without it still converts, and says so only when a rule needs it.
// The library is shared: it is loaded by the first holder and unloaded by the last.
#pragma once

#include <optional>
#include <string>

struct TOnigApi;  // onig_api.h

// The file name the loader asks for: the one set by SetRegexLibraryName, else the environment
// variable PORUKANO_REGEX_LIBRARY when it is set and not empty, else "libonig.so.5".
std::string RegexLibraryName();

// Replaces the name for the next load (tests use a name that does not exist); std::nullopt goes
// back to the environment variable and the default. A library already loaded stays loaded.
void SetRegexLibraryName(std::optional<std::string> name);

// One holder of the loaded library. Get() is null when the library, or one of its entry points,
// could not be found.
class TRegexLibrary {
  public:
    TRegexLibrary();
    ~TRegexLibrary();
    TRegexLibrary(const TRegexLibrary&) = delete;
    TRegexLibrary& operator=(const TRegexLibrary&) = delete;

    const TOnigApi* Get() const { return api_; }

  private:
    const TOnigApi* api_;
};

// How many holders keep the library loaded now (0 when it is not loaded).
int RegexLibraryHolders();
