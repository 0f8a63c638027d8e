// Writes the seed corpus of the three fuzz targets from the examples of tests/examples: for
// every example its settings and input lines as a pipeline input, its settings as a settings
// file (as given, and with markup put into every value that reaches the page), and each keyword
// of a regular-expression rule with the input lines as a regex input. A few patterns known to
// be hard on the engine are added to the regex seeds.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/base/main_window_controls.h"
#include "engine/text/encoding.h"
#include "fuzz/fuzz_platform.h"
#include "fuzz/pipeline_case.h"
#include "fuzz/scratch_folder.h"
#include "settings/settings_file.h"
#include "tests/support/example_file.h"

namespace {

const std::filesystem::path kCorpus = PORUKANO_CORPUS_DIR;

int written = 0;

void Seed(const char* target, const std::string& name, std::string_view bytes) {
    const std::filesystem::path folder = kCorpus / target;
    std::filesystem::create_directories(folder);
    WriteBytes((folder / ("seed-" + name)).string(), bytes);
    ++written;
}

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += Sjis(line) + "\r\n";
    return text;
}

std::string SettingsText(const THeadlessForm& form) {
    TFuzzPlatform platform;
    TStrInfo s;
    GatherSettings(form, platform, s);
    TProfileFile profile;
    WriteSettingsProfile(profile, s);
    return profile.Text();
}

// Every value that reaches the page made into an attempt to break out of its place.
void PutMarkupIntoValues(THeadlessForm& form) {
    form.SetText("edtPageTitle", "</title><script>alert(1)</script>");
    form.SetChecked("chkBgImage", true);
    form.SetText("lblBgImagePath", "C:\\a\");}</style><script>alert(1)</script>");
    form.SetText("edtNormalStrSize", "1;}</style><script>alert(1)</script><style>");
    for (int n = 1; n <= 5; ++n) {
        const std::string num = std::to_string(n);
        form.SetText("edtTag" + num, "span onmouseover=\"alert(1)\"");
        form.SetText("edtClass" + num, "x\"><script>alert(1)</script><b class=\"");
        form.SetText("lblReplaceImagePath" + num, "a\" onerror=\"alert(1)");
        form.SetItemIndex("cmbKeyWhat" + num, 2);
    }
}

void RegexSeeds(const TExample& example, const THeadlessForm& form, const std::string& name) {
    for (int n = 1; n <= 5; ++n) {
        const std::string num = std::to_string(n);
        if (form.ItemIndex("cmbKeyKbn" + num) != 4)
            continue;
        const std::string keywords = form.Text("edtKeyword" + num);
        const std::string target = Lines(example.Input);
        std::size_t start = 0;
        for (int k = 0; start <= keywords.size(); ++k) {
            std::size_t comma = keywords.find(',', start);
            if (comma == std::string::npos)
                comma = keywords.size();
            const std::string keyword =
                keywords.substr(start, std::min<std::size_t>(comma - start, 255));
            start = comma + 1;
            if (keyword.empty())
                continue;
            Seed("regex", name + "-" + num + "-" + std::to_string(k),
                 std::string(1, '\1') + static_cast<char>(keyword.size()) + keyword + target);
        }
    }
}

void HardPatterns() {
    const std::pair<const char*, std::string> patterns[] = {
        {"backtracking", "m/(a+)+$/"},           {"backreference-lookahead", "m/(?=(a+))\\1*b/"},
        {"backreference-loop", "m/(a+)\\1*b/"},  {"nested-quantifiers", "m/(x+x+)+y/"},
        {"class-bracket", "m/[]a[]+\\]/g"},      {"quotation", "m/\\Q(a|\\E+|b/"},
        {"comment", "m/(?#a(b\\)c)d(?i:e)|f/x"}, {"condition", "m/(a)?(?(1)b|c)/g"},
        {"lookbehind", "m/(?<=a)b(?<!c)d/"},     {"double-byte", Sjis("m/表\\d{2,3}?|[ァ-ン]+/g")},
        {"options", "m#(?i)A(?-i:b)#gimsx"},
    };
    for (const auto& [name, pattern] : patterns) {
        Seed("regex", name,
             std::string(1, '\0') + static_cast<char>(pattern.size()) + pattern +
                 std::string(300, 'a') + "b" + Sjis("表123ドラ") + "xxy(a)");
    }
}

}  // namespace

int main() {
    for (const auto& entry : std::filesystem::directory_iterator(PORUKANO_EXAMPLES_DIR)) {
        if (entry.path().extension() != ".txt")
            continue;
        for (const TExample& example : ReadExampleFile(entry.path().string())) {
            const std::string name =
                entry.path().stem().string() + "-" + std::to_string(example.Line);
            auto form = MakeHeadlessMainWindow();
            for (const auto& [control, value] : example.Controls)
                ApplyExampleControl(*form, control, value);
            Seed("pipeline", name, EncodePipelineSettings(*form) + Lines(example.Input));
            if (form->Checked("chkRubyNotation") || form->Checked("chkVerticalWriting"))
                Seed("ruby", name, EncodePipelineSettings(*form) + Lines(example.Input));
            Seed("settings", name, SettingsText(*form));
            RegexSeeds(example, *form, name);
            PutMarkupIntoValues(*form);
            Seed("settings", name + "-markup", SettingsText(*form));
        }
    }
    HardPatterns();
    std::printf("wrote %d seeds into %s\n", written, kCorpus.string().c_str());
    return 0;
}
