// Fuzz target of the ruby and emphasis-dot notation with the stages it meets: the pipeline's
// settings bytes (pipeline_case.h; the HTML5 switch here sets three marks upright instead, the
// page being HTML5 anyway), then a Shift_JIS text file, converted with the notation on into an
// HTML5 page, which is UTF-8. The page read back as Shift_JIS must pass the checks of
// page_check.h with one body line per input line, and the text box (engine text, whose numeric
// written into UTF-8 and read back the same way) must give the page's body lines.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/base/main_window_controls.h"
#include "engine/encodings/line_reader.h"
#include "engine/encodings/sjis_bridge.h"
#include "engine/line/prepared_emphasis.h"
#include "engine/page/converter.h"
#include "fuzz/fuzz_conversion.h"
#include "fuzz/page_check.h"
#include "fuzz/pipeline_case.h"
#include "fuzz/scratch_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TFuzzInput in(data, size);
    const auto form = MakeHeadlessMainWindow();
    ApplyPipelineSettings(in, *form);
    form->SetChecked("chkUprightThreeMarks", form->ItemIndex("cmbDocType") == 1);
    form->SetItemIndex("cmbInputEncoding", static_cast<int>(TInputEncoding::ShiftJis));
    form->SetChecked("chkRubyNotation", true);
    form->SetItemIndex("cmbDocType", 1);
    TFuzzConversion c(*form, in.Rest());
    if (!c.Convert())
        return 0;
    const TStrInfo& s = c.Settings;
    const TConversionEncodings& used = c.Used;
    if (used.Page != TPageEncoding::Utf8)
        Fail("a page with ruby that is not UTF-8", "");

    const std::vector<std::string> input = ReadInputLines(c.InputPath);
    const std::vector<std::string> page =
        PageLines(PageAsShiftJis(ReadBytes(c.OutputPath), used.Page));
    const bool document = s.AddTagMode != TAddTagMode::LineBreaksOnly;
    std::vector<std::string> body = page;
    if (document) {
        const std::size_t headEnd = DocumentHeadEnd(page);
        body.assign(page.begin() + static_cast<std::ptrdiff_t>(headEnd) + 2, page.end() - 2);
    }
    std::array<std::string, 5> tags;
    for (std::size_t n = 0; n < tags.size(); ++n)
        tags[n] = UsableEmphasisTag(s.Strong[n]);
    const bool closesParagraph = document && body.size() == input.size() + 1;
    if (body.size() != input.size() && !(closesParagraph && body.back() == "</p>"))
        Fail("not one page line per input line", std::to_string(body.size()));
    for (const std::string& line : body) {
        if (const std::string problem = CheckBodyLine(line, tags); !problem.empty())
            Fail(problem, line);
    }

    // A control character of the text becomes U+FFFD in the UTF-8 page but "〓" in the text box,
    // whose text is Shift_JIS, while one in a keyword becomes "〓" in both: such a keyword then
    // matches in the box only. Texts with control characters are checked line by line above.
    const auto control = [](unsigned char c) { return (c < 0x20 && c != '\t') || c == 0x7F; };
    for (const std::string& line : input) {
        if (std::any_of(line.begin(), line.end(), control))
            return 0;
    }
    std::vector<std::string> box;
    if (!ConvertTextBoxText(c.Env, box, input))
        Fail("the text box failed where the page did not", "");
    if (document && !box.empty())
        box.erase(box.begin());
    // The box's engine text written as the page writes it, then read back the same way.
    for (std::string& line : box)
        line = PageAsShiftJis(EncodeSjisText(line, TPageEncoding::Utf8), TPageEncoding::Utf8);
    if (box != body)
        Fail("the text box and the page differ", "");
    return 0;
}
