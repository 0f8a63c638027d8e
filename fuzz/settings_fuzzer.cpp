// Fuzz target of the settings file: the input is the bytes of a ".prkn" file, read by
// LoadSettingsFile into a fresh main window (with the rule-line count checks the program
// connects). A file that loads must give a page, for a sample text that holds the rules'
// keywords, whose head, stylesheet and body pass the checks of page_check.h, whatever the values
// hold; and saving the loaded settings and loading them again must give the same file.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/base/main_window_controls.h"
#include "engine/line/prepared_emphasis.h"
#include "engine/page/converter.h"
#include "fuzz/fuzz_platform.h"
#include "fuzz/page_check.h"
#include "fuzz/scratch_folder.h"
#include "settings/rule_line_count_check.h"
#include "settings/settings_file.h"

namespace {

// A main window with a settings file loaded into it, as the program has one.
struct TLoadedWindow {
    std::unique_ptr<THeadlessForm> Form = MakeHeadlessMainWindow();
    TFuzzPlatform Platform;
    TProgramState State{Scratch().Path(), ""};
    TSettingsHistory History;
    TSettingsEnv Env{*Form, Platform, State, History, {}};

    TLoadedWindow() { ConnectRuleLineCountChecks(*Form, Platform); }

    // The settings file text that saving this window's settings writes.
    std::string SavedText() {
        TStrInfo s;
        if (!GatherSettings(*Form, Platform, s))
            Fail("loaded settings cannot be gathered", "");
        TProfileFile profile;
        WriteSettingsProfile(profile, s);
        return profile.Text();
    }
};

std::string SampleText(const TStrInfo& s) {
    std::string text = "abc  def\thttp://example.com/a&b?c=\"d\"\r\nx@example.jp <mail>\r\n";
    for (const TStrong& rule : s.Strong)
        text += "  " + rule.Keywords + " x " + rule.Keywords + "\r\n\r\n";
    for (const THolLine& row : s.HolLine)
        text += row.Pattern + "\r\n";
    return text;
}

// The first line where two settings file texts differ, from each.
std::string FirstDifference(const std::string& a, const std::string& b) {
    std::size_t line = 0;
    std::size_t start = 0;
    while (start < a.size() && start < b.size()) {
        const std::size_t endA = std::min(a.find("\r\n", start), a.size());
        const std::size_t endB = std::min(b.find("\r\n", start), b.size());
        if (a.compare(start, endA - start, b, start, endB - start) != 0) {
            return "line " + std::to_string(line + 1) + ": " + a.substr(start, endA - start) +
                   " | " + b.substr(start, endB - start);
        }
        start = endA + 2;
        ++line;
    }
    return "one text is longer";
}

void CheckPage(const std::string& page, const std::array<std::string, 5>& tags, bool document) {
    std::size_t start = 0;
    if (document) {
        const std::size_t headEnd = page.find("</head>\r\n");
        if (headEnd == std::string::npos)
            Fail("a page without a head", page.substr(0, 200));
        const std::string head = page.substr(0, headEnd + 7);
        if (const std::string problem = CheckDocumentHead(head); !problem.empty())
            Fail(problem, head);
        start = page.find("<body>\r\n", headEnd) + 8;
    }
    for (std::size_t end = page.find("\r\n", start); end != std::string::npos;
         end = page.find("\r\n", start)) {
        const std::string line = page.substr(start, end - start);
        start = end + 2;
        if (line == "</body>")
            break;
        if (const std::string problem = CheckBodyLine(line, tags); !problem.empty())
            Fail(problem, line);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string settingsPath = Scratch().File("in.prkn");
    WriteBytes(settingsPath, std::string_view(reinterpret_cast<const char*>(data), size));
    TLoadedWindow window;
    if (LoadSettingsFile(window.Env, settingsPath) != TLoadResult::Loaded)
        return 0;
    // The checks read a Shift_JIS page of Shift_JIS text; other encodings have a target of their
    // own (encodings_fuzzer.cpp). The ruby notation, Aozora Bunko's annotations and the HTML5
    // choice make an HTML5 page, which is always UTF-8, so they stay off here (the annotations
    // have a target of their own, aozora_fuzzer.cpp).
    window.Form->SetItemIndex("cmbInputEncoding", static_cast<int>(TInputEncoding::ShiftJis));
    window.Form->SetItemIndex("cmbOutputEncoding", static_cast<int>(TOutputEncoding::ShiftJis));
    window.Form->SetChecked("chkRubyNotation", false);
    window.Form->SetChecked("chkAozoraNotation", false);
    window.Form->SetItemIndex("cmbDocType", 0);

    TStrInfo s;
    if (!GatherSettings(*window.Form, window.Platform, s))
        Fail("loaded settings cannot be gathered", "");
    const std::string inputPath = Scratch().File("in.txt");
    const std::string outputPath = Scratch().File("out.htm");
    WriteBytes(inputPath, SampleText(s));
    std::remove(Scratch().File("default.css").c_str());
    TEngineEnv env{*window.Form, window.Platform, window.State};
    bool images = false;
    if (ConvertTextFile(env, inputPath, outputPath, images)) {
        std::array<std::string, 5> tags;
        for (std::size_t n = 0; n < tags.size(); ++n)
            tags[n] = UsableEmphasisTag(s.Strong[n]);
        CheckPage(ReadBytes(outputPath), tags, s.AddTagMode != TAddTagMode::LineBreaksOnly);
        if (s.SeparateStyleSheet && s.AddTagMode != TAddTagMode::LineBreaksOnly) {
            const std::string css = ReadBytes(Scratch().File("default.css"));
            if (const std::string problem = CheckStyleSheet(css); !problem.empty())
                Fail(problem, css);
        }
    } else if (window.Platform.Messages.empty()) {
        Fail("a conversion failed without a message", "");
    }

    // Saving what was loaded and loading that again changes nothing.
    const std::string saved = window.SavedText();
    TProfileFile again;
    again.Parse(saved);
    TLoadedWindow second;
    if (LoadSettingsProfile(second.Env, again, settingsPath) != TLoadResult::Loaded)
        Fail("a saved settings file does not load", saved);
    if (const std::string resaved = second.SavedText(); resaved != saved)
        Fail("saving and loading again changes the settings", FirstDifference(saved, resaved));
    return 0;
}
