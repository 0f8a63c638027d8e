// Runs a fuzz target once on every file named, and on every file in the folders named, without
// libFuzzer: how the saved corpus runs as a test in every build. An empty corpus fails, as
// nothing would have been tested.
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

// The input being run, named when a check aborts the program.
std::string current;

void NameInputOnAbort(int) {
    const std::string text = "  while running " + current + "\n";
    (void)!::write(2, text.data(), text.size());
    std::signal(SIGABRT, SIG_DFL);
    std::raise(SIGABRT);
}

void RunOne(const std::filesystem::path& path) {
    current = path.string();
    std::ifstream file(path, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(file)),
                                  std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::filesystem::path> inputs;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path named(argv[i]);
        if (!std::filesystem::is_directory(named)) {
            inputs.push_back(named);
            continue;
        }
        for (const auto& entry : std::filesystem::directory_iterator(named)) {
            if (entry.is_regular_file())
                inputs.push_back(entry.path());
        }
    }
    std::sort(inputs.begin(), inputs.end());
    std::signal(SIGABRT, NameInputOnAbort);
    for (const std::filesystem::path& input : inputs)
        RunOne(input);
    std::printf("replayed %zu inputs\n", inputs.size());
    return inputs.empty() ? 1 : 0;
}
