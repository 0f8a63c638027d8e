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

// text without each character that a dakuten ("゛" or "ﾞ") follows, nor the dakuten: the notation
// may join the two into another character ("か゛" is "が") or a kana and U+3099. Lone lead bytes
// are left out too (the page shows them as themselves or as "〓").
std::string WithoutVoicedPairs(std::string_view text) {
    std::string out;
    std::size_t previous = std::string::npos;  // where out's last character starts
    for (std::size_t i = 0; i < text.size();) {
        const auto trail = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        const bool lead = IsLeadByte(static_cast<unsigned char>(text[i])) &&
                          ((trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC));
        const std::string_view c = text.substr(i, lead ? 2 : 1);
        i += c.size();
        // A lone lead byte is left out, so that no later byte can pair with it.
        if (c.size() == 1 && IsLeadByte(static_cast<unsigned char>(c[0])))
            continue;
        if ((c == "\x81\x4A" || c == "\xDE") && previous != std::string::npos) {
            out.resize(previous);
            previous = std::string::npos;
            continue;
        }
        previous = out.size();
        out += c;
    }
    return out;
}

// A raw line as the escaping hands it on: control characters and lone lead bytes as "〓", and
// a literal "!and!;" as "&", as the escaping has always written it.
std::string AsEscaped(std::string_view raw) {
    const std::string text = WithControlCharactersAsGeta(raw);
    constexpr std::string_view kLiteral = "!and!;";
    std::string escaped;
    std::size_t from = 0;
    for (std::size_t at = text.find(kLiteral); at != std::string::npos;
         at = text.find(kLiteral, from)) {
        escaped.append(text, from, at - from);
        escaped += '&';
        from = at + kLiteral.size();
    }
    escaped.append(text, from);
    return escaped;
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
        if (!KeepsInOrder(ApartFromRubyMarksAndBlanks(
                              WithoutVoicedPairs(TextOutsideAozoraAnnotations(AsEscaped(raw)))),
                          ApartFromRubyMarksAndBlanks(LineText(tagged))))
            Fail("text outside the annotations is lost", std::string(raw) + "\n    " + tagged);
        page += tagged;
    });
    state.Nesting.CloseAll(page);
    CheckNesting(page);
    return 0;
}
