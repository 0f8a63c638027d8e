// Fuzz target of the reader and the writer of other encodings: the first byte chooses the input
// encoding (cmbInputEncoding), the second the page's (cmbOutputEncoding), the third the add-tag
// mode; the rest is a text file. The conversion must succeed, the page must be valid in the
// encoding it declares, keep its frame, have one body line per input line, and pass the checks
// of page_check.h once its characters are read back as Shift_JIS.
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
#include "fuzz/fuzz_input.h"
#include "fuzz/page_check.h"
#include "fuzz/scratch_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TFuzzInput in(data, size);
    const auto form = MakeHeadlessMainWindow();
    form->SetItemIndex("cmbInputEncoding", in.Byte() % 5);
    form->SetItemIndex("cmbOutputEncoding", in.Byte() % 4);
    const int mode = in.Byte() % 3;
    form->SetItemIndex("rdgrpAddTag", mode);
    TFuzzConversion c(*form, in.Rest());
    if (!c.Convert())
        Fail("a conversion failed", c.Platform.Messages[0]);
    const TStrInfo& s = c.Settings;
    const TConversionEncodings& used = c.Used;

    const std::vector<std::string> page =
        PageLines(PageAsShiftJis(ReadBytes(c.OutputPath), used.Page));
    const std::vector<std::string> input = ReadInputLines(c.InputPath, used.Input);
    const bool document = s.AddTagMode != TAddTagMode::LineBreaksOnly;
    std::vector<std::string> body = page;
    if (document) {
        const std::size_t headEnd = DocumentHeadEnd(page);
        std::vector<std::string> headLines(page.begin(), page.begin() + headEnd + 1);
        const std::string charset = EncodingDisplayName(used.Page);
        const std::string scriptType =
            "<meta http-equiv=\"Content-Script-Type\" content=\"text/html; charset=";
        if (used.Page != TPageEncoding::ShiftJis) {
            if (headLines[3] !=
                "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=" + charset + "\">")
                Fail("a page without its Content-Type", headLines[3]);
            headLines.erase(headLines.begin() + 3);
            if (headLines[3] != scriptType + charset + "\">")
                Fail("a Content-Script-Type of another charset", headLines[3]);
            headLines[3] = scriptType + "Shift_JIS\">";
        }
        std::string head;
        for (std::size_t n = 0; n < headLines.size(); ++n)
            head += headLines[n] + (n + 1 < headLines.size() ? "\r\n" : "");
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
    for (const std::string& line : body) {
        if (const std::string problem = CheckBodyLine(line, tags); !problem.empty())
            Fail(problem, line);
    }
    return 0;
}
