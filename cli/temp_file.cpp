#include "cli/temp_file.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

TTempFile::TTempFile() {
    std::error_code ec;
    std::string pattern = (std::filesystem::temp_directory_path(ec) / "porukano-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = mkstemp(name.data());
    if (fd >= 0) {
        close(fd);
        path_ = name.data();
    }
}

TTempFile::~TTempFile() {
    if (!path_.empty())
        std::remove(path_.c_str());
}

bool TTempFile::Fill(std::istream& in) {
    std::ofstream file(path_, std::ios::binary | std::ios::trunc);
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        file.write(buffer, in.gcount());
    }
    file.close();
    return !in.bad() && file.good();
}

bool TTempFile::CopyTo(std::ostream& out) const {
    std::ifstream file(path_, std::ios::binary);
    char buffer[1 << 16];
    while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
        out.write(buffer, file.gcount());
    }
    out.flush();
    return !file.bad() && out.good();
}
