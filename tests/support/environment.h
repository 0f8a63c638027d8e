// An environment variable or the current folder, changed for the life of one object, then put
// back as it was.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

class TEnvironmentVariable {
  public:
    // value std::nullopt unsets the variable.
    TEnvironmentVariable(std::string name, const std::optional<std::string>& value);
    ~TEnvironmentVariable();
    TEnvironmentVariable(const TEnvironmentVariable&) = delete;
    TEnvironmentVariable& operator=(const TEnvironmentVariable&) = delete;

  private:
    std::string name_;
    std::optional<std::string> old_;
};

class TCurrentFolder {
  public:
    explicit TCurrentFolder(const std::string& folder);
    ~TCurrentFolder();
    TCurrentFolder(const TCurrentFolder&) = delete;
    TCurrentFolder& operator=(const TCurrentFolder&) = delete;

  private:
    std::filesystem::path old_;
};
