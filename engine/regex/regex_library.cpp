#include "engine/regex/regex_library.h"

#include <dlfcn.h>

#include <cstdlib>
#include <mutex>

#include "engine/regex/onig_api.h"

namespace {

constexpr const char* kDefaultLibraryName = "libonig.so.5";

// The process's one loaded copy. Conversions of a batch run on several threads at once, each
// taking and releasing holds, so the count and the load and unload go under one lock.
struct TLoadedLibrary {
    void* Handle = nullptr;
    int Holders = 0;
    TOnigApi Api{};
};

TLoadedLibrary& Loaded() {
    static TLoadedLibrary loaded;
    return loaded;
}

std::mutex& LoadLock() {
    static std::mutex lock;
    return lock;
}

std::optional<std::string>& NameOverride() {
    static std::optional<std::string> name;
    return name;
}

template <typename T>
bool LookUp(void* handle, const char* symbol, T& into) {
    into = reinterpret_cast<T>(dlsym(handle, symbol));
    return into != nullptr;
}

bool LookUpAll(void* handle, TOnigApi& api) {
    return LookUp(handle, "onig_new", api.New) && LookUp(handle, "onig_free", api.Free) &&
           LookUp(handle, "onig_search_with_param", api.SearchWithParam) &&
           LookUp(handle, "onig_region_new", api.RegionNew) &&
           LookUp(handle, "onig_region_free", api.RegionFree) &&
           LookUp(handle, "onig_error_code_to_str", api.ErrorCodeToStr) &&
           LookUp(handle, "onig_new_match_param", api.NewMatchParam) &&
           LookUp(handle, "onig_free_match_param", api.FreeMatchParam) &&
           LookUp(handle, "onig_initialize_match_param", api.InitializeMatchParam) &&
           LookUp(handle, "onig_set_retry_limit_in_match_of_match_param",
                  api.SetRetryLimitInMatch) &&
           LookUp(handle, "onig_set_retry_limit_in_search_of_match_param",
                  api.SetRetryLimitInSearch) &&
           LookUp(handle, "onig_set_progress_callout_of_match_param", api.SetProgressCallout) &&
           LookUp(handle, "onig_set_callout_user_data_of_match_param", api.SetCalloutUserData) &&
           LookUp(handle, "onig_initialize", api.Initialize) &&
           LookUp(handle, "onig_end", api.End) &&
           LookUp(handle, "OnigEncodingSJIS", api.ShiftJis) &&
           LookUp(handle, "OnigSyntaxPerl", api.PerlSyntax);
}

const TOnigApi* Acquire() {
    const std::lock_guard<std::mutex> hold(LoadLock());
    TLoadedLibrary& loaded = Loaded();
    if (loaded.Holders > 0) {
        ++loaded.Holders;
        return &loaded.Api;
    }
    void* handle = dlopen(RegexLibraryName().c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr)
        return nullptr;
    TOnigApi api{};
    if (!LookUpAll(handle, api)) {
        dlclose(handle);
        return nullptr;
    }
    OnigEncoding encodings[] = {api.ShiftJis};
    if (api.Initialize(encodings, 1) != ONIG_NORMAL) {
        dlclose(handle);
        return nullptr;
    }
    loaded.Handle = handle;
    loaded.Api = api;
    loaded.Holders = 1;
    return &loaded.Api;
}

void Release() {
    const std::lock_guard<std::mutex> hold(LoadLock());
    TLoadedLibrary& loaded = Loaded();
    if (--loaded.Holders > 0)
        return;
    // The library's global tables go with it; a later load starts afresh.
    loaded.Api.End();
    dlclose(loaded.Handle);
    loaded = TLoadedLibrary{};
}

}  // namespace

std::string RegexLibraryName() {
    if (NameOverride())
        return *NameOverride();
    const char* fromEnvironment = std::getenv("PORUKANO_REGEX_LIBRARY");
    if (fromEnvironment != nullptr && *fromEnvironment != '\0')
        return fromEnvironment;
    return kDefaultLibraryName;
}

void SetRegexLibraryName(std::optional<std::string> name) {
    NameOverride() = std::move(name);
}

TRegexLibrary::TRegexLibrary() : api_(Acquire()) {}

TRegexLibrary::~TRegexLibrary() {
    if (api_ != nullptr)
        Release();
}

int RegexLibraryHolders() {
    const std::lock_guard<std::mutex> hold(LoadLock());
    return Loaded().Holders;
}
