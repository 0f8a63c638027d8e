#include "settings/options_folder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "settings/atomic_file.h"
#include "settings/untIniOption.h"

namespace {

std::string WithTrailingSeparator(std::string folder) {
    if (folder.empty() || folder.back() != '/')
        folder.push_back('/');
    return folder;
}

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::string ExecutableFolder() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path(ec).string() : exe.parent_path().string();
}

std::string HomeFolder() {
    if (std::string home = Variable("HOME"); !home.empty())
        return home;
    const passwd* user = ::getpwuid(::getuid());
    return user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "";
}

}  // namespace

std::string ChooseOptionsFolder(const TOptionsFolderClues& clues) {
    if (!clues.PorukanoHome.empty())
        return WithTrailingSeparator(clues.PorukanoHome);
    const std::string executable = WithTrailingSeparator(clues.ExecutableFolder);
    const std::string portable = OptionsFilePath(executable);
    std::error_code ec;
    if (std::filesystem::is_regular_file(portable, ec) && CanReplaceFile(portable))
        return executable;
    if (std::filesystem::path(clues.XdgConfigHome).is_absolute())
        return WithTrailingSeparator(clues.XdgConfigHome) + "porukano/";
    if (!clues.Home.empty())
        return WithTrailingSeparator(clues.Home) + ".config/porukano/";
    return executable;
}

std::string FindOptionsFolder() {
    return ChooseOptionsFolder(
        {Variable("PORUKANO_HOME"), ExecutableFolder(), Variable("XDG_CONFIG_HOME"), HomeFolder()});
}
