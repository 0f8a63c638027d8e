#include "tests/support/environment.h"

#include <cstdlib>

namespace {

void Put(const std::string& name, const std::optional<std::string>& value) {
    if (value) {
        ::setenv(name.c_str(), value->c_str(), 1);
    } else {
        ::unsetenv(name.c_str());
    }
}

}  // namespace

TEnvironmentVariable::TEnvironmentVariable(std::string name,
                                           const std::optional<std::string>& value)
    : name_(std::move(name)) {
    if (const char* old = std::getenv(name_.c_str()))
        old_ = old;
    Put(name_, value);
}

TEnvironmentVariable::~TEnvironmentVariable() {
    Put(name_, old_);
}

TCurrentFolder::TCurrentFolder(const std::string& folder) : old_(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
}

TCurrentFolder::~TCurrentFolder() {
    std::error_code ec;
    std::filesystem::current_path(old_, ec);
}
