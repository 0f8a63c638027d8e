#include "bench/micro_fixture.h"

#include <iostream>
#include <stdexcept>

#include <fstream>
#include "engine/base/main_window_controls.h"
#include "engine/line/prepared_emphasis.h"
#include "engine/line/regex_emphasis.h"
#include "engine/text/encoding.h"
#include "settings/profile_file.h"
#include "settings/settings_env.h"
#include "settings/settings_file.h"
#include "settings/settings_keys.h"

const std::string& ProseLine() {
    static const std::string line = Sjis(
        "Debian のパッケージは「ソースパッケージ」と「バイナリパッケージ」の二つからなり、"
        "版番号 2.10 を含みます。");
    return line;
}

const std::string& LongLine() {
    static const std::string line = [] {
        std::string text;
        while (text.size() < 4096)
            text += ProseLine() + Sjis("　");
        return text;
    }();
    return line;
}

const std::string& MixedLine() {
    static const std::string line = Sjis(
        "\tﾊﾝｶｸｶﾀｶﾅのｶﾞｷﾞｸﾞとﾊﾟﾋﾟ、詳しくは http://www.debian.org/doc/ か "
        "debian-devel@lists.debian.org へ。a < b && \"c\" > d");
    return line;
}

namespace {

// Sets one "section.key=value" in profile; false when it names no settings-file key.
bool WriteKey(TProfileFile& profile, const std::string& assignment) {
    const std::size_t eq = assignment.find('=');
    const std::size_t dot = assignment.find('.');
    if (eq == std::string::npos || dot == std::string::npos || dot > eq)
        return false;
    std::string section, key;
    if (!FindSettingsKey(assignment.substr(0, dot), assignment.substr(dot + 1, eq - dot - 1),
                         section, key)) {
        return false;
    }
    profile.WriteString(section, key, Sjis(assignment.substr(eq + 1)));
    return true;
}

std::vector<std::string> KeysOfFile(const std::string& path) {
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::vector<std::string> keys;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line[0] != '#')
            keys.push_back(line);
    }
    return keys;
}

}  // namespace

TBenchSettings::TBenchSettings(const std::vector<std::string>& keys, const std::string& keysFile)
    : form_(MakeHeadlessMainWindow()),
      platform_(std::make_unique<TTerminalPlatform>(std::cerr, *form_, false)) {
    std::vector<std::string> all =
        keysFile.empty() ? std::vector<std::string>() : KeysOfFile(keysFile);
    all.insert(all.end(), keys.begin(), keys.end());
    TProfileFile profile;
    if (!GatherSettings(*form_, *platform_, settings_))
        throw std::runtime_error("the window's settings cannot be gathered");
    WriteSettingsProfile(profile, settings_);
    for (const std::string& key : all) {
        if (!WriteKey(profile, key))
            throw std::runtime_error("no such settings-file key: " + key);
    }
    TProgramState state;
    TSettingsHistory history;
    TSettingsEnv env{*form_, *platform_, state, history, {}};
    settings_ = TStrInfo();
    if (LoadSettingsProfile(env, profile, "bench") != TLoadResult::Loaded ||
        !GatherSettings(*form_, *platform_, settings_)) {
        throw std::runtime_error("the benchmark settings cannot be used");
    }
    PrepareEmphasisRules(settings_.Strong);
    if (!PrepareRegexRules(settings_.Strong, *platform_))
        throw std::runtime_error("the benchmark settings cannot be used");
}

TBenchSettings::~TBenchSettings() {
    ReleaseRegexRules(settings_.Strong);
    ReleaseEmphasisRules(settings_.Strong);
}

std::string AllStagesFile() {
    return PORUKANO_BENCH_DIR "/all-stages.set";
}
