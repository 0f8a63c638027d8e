// Fuzz target of the line pipeline: the first bytes choose the settings (pipeline_case.h), the
// rest is a text file, converted into a page (ConvertTextFile) and through the text box
// (ConvertTextBoxText). Every page must pass the checks of page_check.h, say what the input
// says (page_check.h LineText, apart from what the settings drop), and the text box must give
// the page's body lines; the line stages on two threads must give the same page.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/base/main_window_controls.h"
#include "engine/encodings/line_reader.h"
#include "engine/line/prepared_emphasis.h"
#include "engine/page/converter.h"
#include "engine/text/encoding.h"
#include "engine/text/katakana.h"
#include "fuzz/fuzz_conversion.h"
#include "fuzz/page_check.h"
#include "fuzz/pipeline_case.h"
#include "fuzz/scratch_folder.h"

namespace {

bool IsSubsequence(const std::string& part, const std::string& whole) {
    std::size_t at = 0;
    for (const char c : part) {
        at = whole.find(c, at);
        if (at == std::string::npos)
            return false;
        ++at;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TFuzzInput in(data, size);
    const auto form = MakeHeadlessMainWindow();
    ApplyPipelineSettings(in, *form);
    // The checks read a Shift_JIS page of Shift_JIS text; other encodings have a target of their
    // own (encodings_fuzzer.cpp). The ruby notation, Aozora Bunko's annotations and the HTML5
    // choice make an HTML5 page, which is always UTF-8, so they stay off here (the annotations
    // have a target of their own, aozora_fuzzer.cpp).
    form->SetItemIndex("cmbInputEncoding", static_cast<int>(TInputEncoding::ShiftJis));
    form->SetItemIndex("cmbOutputEncoding", static_cast<int>(TOutputEncoding::ShiftJis));
    form->SetChecked("chkRubyNotation", false);
    form->SetChecked("chkAozoraNotation", false);
    form->SetItemIndex("cmbDocType", 0);
    TFuzzConversion c(*form, in.Rest());
    // Only a keyword that is no valid regular expression stops a conversion of this size.
    if (!c.Convert())
        return 0;
    const TStrInfo& s = c.Settings;

    const std::vector<std::string> input = ReadInputLines(c.InputPath);
    const std::string pageBytes = ReadBytes(c.OutputPath);
    const std::vector<std::string> page = PageLines(pageBytes);

    // The same conversion with the line stages on two threads (whatever the file's size) gives
    // the same page and the same messages: the lines after the first are finished there from the
    // state assumed after it, which must be checked, whatever the text holds.
    const std::vector<std::string> messages = c.Platform.Messages;
    c.Platform.Messages.clear();
    c.Env.ReadAheadFrom = 0;
    c.Env.LineStageThreads = 2;
    if (!c.Convert())
        Fail("the conversion over two threads failed", "");
    // A regular expression's search cut short at its time limit may be cut at another line.
    const auto cutShort = [](const std::vector<std::string>& shown) {
        return std::any_of(shown.begin(), shown.end(), [](const std::string& message) {
            return message.find(Sjis("打ち切")) != std::string::npos;
        });
    };
    if (!cutShort(messages) && !cutShort(c.Platform.Messages)) {
        if (ReadBytes(c.OutputPath) != pageBytes)
            Fail("the conversion over two threads gives another page", ReadBytes(c.OutputPath));
        if (c.Platform.Messages != messages)
            Fail("the conversion over two threads gives other messages", "");
    }
    const bool document = s.AddTagMode != TAddTagMode::LineBreaksOnly;
    std::vector<std::string> body = page;
    if (document) {
        const std::size_t headEnd = DocumentHeadEnd(page);
        std::string head;
        for (std::size_t n = 0; n <= headEnd; ++n)
            head += page[n] + (n < headEnd ? "\r\n" : "");
        if (const std::string problem = CheckDocumentHead(head); !problem.empty())
            Fail(problem, head);
        body.assign(page.begin() + static_cast<std::ptrdiff_t>(headEnd) + 2, page.end() - 2);
    }

    std::array<std::string, 5> tags;
    for (std::size_t n = 0; n < tags.size(); ++n)
        tags[n] = UsableEmphasisTag(s.Strong[n]);
    const bool closesParagraph = document && body.size() == input.size() + 1;
    if (body.size() != input.size() && !(closesParagraph && body.back() == "</p>"))
        Fail("not one page line per input line", std::to_string(body.size()));
    const bool mayDelete = PipelineMayDeleteText(*form);
    for (std::size_t n = 0; n < body.size(); ++n) {
        if (const std::string problem = CheckBodyLine(body[n], tags); !problem.empty())
            Fail(problem, body[n]);
        if (n >= input.size() || body[n].find("<hr") != std::string::npos)
            continue;
        const std::string kept = WithControlCharactersAsGeta(input[n]);
        const std::string raw = s.KanaWidening ? WidenKatakana(kept) : kept;
        const std::string expected = InputTextApartFromBlanks(raw);
        const std::string shown = PageTextApartFromBlanks(body[n]);
        if (mayDelete ? !IsSubsequence(shown, expected) : shown != expected)
            Fail("the page line does not say what the input line says",
                 input[n] + " => " + body[n]);
    }

    std::vector<std::string> box;
    if (!ConvertTextBoxText(c.Env, box, input))
        Fail("the text box failed where the page did not", "");
    if (document) {
        if (box.empty())
            Fail("a text box without its marker block", "");
        // The stylesheet stands in its style element, between the two marker comments.
        const std::string& marker = box.front();
        const std::string open = "-->\r\n<style type=\"text/css\">\r\n";
        const std::size_t openAt = marker.find(open);
        const std::size_t cssStart = openAt + open.size();
        const std::size_t cssEnd = marker.find("</style>\r\n<!-------------");
        if (openAt == std::string::npos || cssEnd == std::string::npos || cssEnd < cssStart)
            Fail("a marker block without its style element", marker);
        const std::string css = marker.substr(cssStart, cssEnd - cssStart);
        if (const std::string problem = CheckStyleSheet(css); !problem.empty())
            Fail(problem, css);
        box.erase(box.begin());
    }
    if (box != body)
        Fail("the text box and the page differ", "");
    return 0;
}
