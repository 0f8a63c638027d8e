// Runs every example of tests/examples/*.txt as its own test.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/base/main_window_controls.h"
#include "engine/page/converter.h"
#include "engine/text/encoding.h"
#include "tests/support/example_file.h"
#include "tests/support/scripted_platform.h"
#include "tests/support/temp_dir.h"

namespace {

class TExampleTest : public testing::Test {
  public:
    explicit TExampleTest(TExample example) : example_(std::move(example)) {}

    void TestBody() override {
        auto form = MakeHeadlessMainWindow();
        for (const auto& [name, value] : example_.Controls) {
            ASSERT_TRUE(ApplyExampleControl(*form, name, value))
                << example_.Where << ": cannot set " << name;
        }
        TScriptedPlatform platform;
        TProgramState state;
        TTempDir dir;
        state.OptionsFolder = dir.Path();
        TEngineEnv env{*form, platform, state};
        std::string input;
        for (const std::string& line : example_.Input)
            input += Sjis(line) + "\r\n";
        WriteFileBytes(dir.File("in.txt"), input);
        bool images = false;
        TConversionEncodings encodings;
        ASSERT_TRUE(
            ConvertTextFile(env, dir.File("in.txt"), dir.File("out.htm"), images, encodings))
            << example_.Where;
        // A Shift_JIS page, or a UTF-8 one where the page is HTML5 (ruby).
        const std::string page = ReadFileBytes(dir.File("out.htm"));
        const std::vector<std::string> body =
            BodyLines(encodings.Page == TPageEncoding::Utf8 ? page : SjisToUtf8(page));
        EXPECT_EQ(body, example_.Expected) << example_.Where;
    }

  private:
    TExample example_;
};

void RegisterExamples() {
    for (const auto& entry : std::filesystem::directory_iterator(PORUKANO_EXAMPLES_DIR)) {
        if (entry.path().extension() != ".txt")
            continue;
        for (TExample& example : ReadExampleFile(entry.path().string())) {
            const std::string name =
                entry.path().stem().string() + "_line" + std::to_string(example.Line);
            testing::RegisterTest(
                "Examples", name.c_str(), nullptr, nullptr, __FILE__, __LINE__,
                [example]() -> testing::Test* { return new TExampleTest(example); });
        }
    }
}

const bool registered = (RegisterExamples(), true);

}  // namespace
