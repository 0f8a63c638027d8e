// Fuzz target of Aozora Bunko's annotations: a byte of switches (vertical writing, a bridge for
// the characters named by number, the add-tag mode), then a Shift_JIS text whose lines go
// through the line pipeline with the annotations on: nested, unterminated and overlapping
// annotations, references to text that is not there. Every page line keeps the text outside its
// annotations in its order (the reader's text: tags removed, entities decoded; blanks and the
// ruby notation's marks, which that notation takes away, aside), and the page's elements nest: each
// end tag closes the innermost open element, and the page's end closes the rest.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/encodings/sjis_bridge.h"
#include "engine/line/element_nesting.h"
#include "engine/line/line_assembly.h"
#include "engine/text/text_helpers.h"
#include "fuzz/aozora_check.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/fuzz_platform.h"
#include "fuzz/page_check.h"
#include "fuzz/scratch_folder.h"

namespace {

constexpr std::size_t kLines = 64;

// Checks that the tags of the page text nest, the void ones aside.
void CheckNesting(std::string_view page) {
    std::vector<std::string> open;
    for (std::size_t lt = page.find('<'); lt != std::string_view::npos;
         lt = page.find('<', lt + 1)) {
        const std::size_t gt = page.find('>', lt);
        if (gt == std::string_view::npos)
            Fail("a tag that does not close", page.substr(lt, 40));
        bool closing = false;
        const std::string_view name = ElementName(page.substr(lt, gt + 1 - lt), closing);
        if (name.empty())
            Fail("a tag without an element name", page.substr(lt, 40));
        if (name == "br" || name == "hr")
            continue;
        if (!closing) {
            open.emplace_back(name);
        } else if (open.empty() || open.back() != name) {
            Fail("an end tag that closes no innermost element", page.substr(lt, 40));
        } else {
            open.pop_back();
        }
    }
    if (!open.empty())
        Fail("an element the page leaves open", open.back());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TFuzzInput in(data, size);
    const std::uint8_t switches = in.Byte();
    TStrInfo settings;
    settings.AozoraNotation = true;
    settings.VerticalWriting = switches & 1;
    settings.AddTagMode = switches & 4 ? TAddTagMode::AllTagsWithoutBreaks : TAddTagMode::AllTags;
    TSjisBridge bridge;
    TParaState state;
    state.Bridge = switches & 2 ? &bridge : nullptr;
    TFuzzPlatform platform;
    std::string page;
    THtmlCnv line{std::string_view()};
    std::size_t lines = 0;
    SplitLines(in.Rest(), [&](std::string_view raw) {
        if (++lines > kLines)
            return;
        line.P_Renew(raw);
        AssembleLine(line, raw, settings, state, platform);
        const std::string& tagged = line.F_strGetIncTag();
        if (!KeepsInOrder(ApartFromRubyMarksAndBlanks(TextOutsideAozoraAnnotations(raw)),
                          ApartFromRubyMarksAndBlanks(LineText(tagged))))
            Fail("text outside the annotations is lost", std::string(raw) + "\n    " + tagged);
        page += tagged;
    });
    state.Nesting.CloseAll(page);
    CheckNesting(page);
    return 0;
}
