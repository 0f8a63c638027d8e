#include "fuzz/pipeline_case.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr std::size_t kKeywordsLength = 24;
constexpr std::size_t kSeparatorLength = 2;
constexpr std::size_t kTagLength = 6;
constexpr std::size_t kMarkLength = 2;
constexpr int kCounts = 4;

enum TSwitch : std::uint8_t {
    kAutoLink = 1,
    kKana = 2,
    kSpacesAsStyle = 4,
    kTabEight = 8,
    kModernLinks = 16,
    kVertical = 32,
    kRuby = 64,
    kHtml5 = 128,
};

enum TRuleFlag : std::uint8_t {
    kIgnoreBlanks = 1,
    kBackColour = 2,
    kFullWidth = 4,
};

std::string Num(const char* base, int n) {
    return base + std::to_string(n);
}

void AppendText(std::string& out, const std::string& text, std::size_t maxLength) {
    const std::size_t length = std::min(text.size(), maxLength);
    out += static_cast<char>(length);
    out.append(text, 0, length);
}

}  // namespace

void ApplyPipelineSettings(TFuzzInput& in, TForm& form) {
    form.SetItemIndex("rdgrpAddTag", in.Byte() % 3);
    const std::uint8_t switches = in.Byte();
    form.SetChecked("chkbxLink", switches & kAutoLink);
    form.SetChecked("chkKanaChange", switches & kKana);
    form.SetChecked("chkSpcCss", switches & kSpacesAsStyle);
    form.SetItemIndex("rdgTabSpace", switches & kTabEight ? 1 : 0);
    form.SetItemIndex("cmbLinkStyle", switches & kModernLinks ? 1 : 0);
    form.SetChecked("chkVerticalWriting", switches & kVertical);
    form.SetChecked("chkRubyNotation", switches & kRuby);
    form.SetItemIndex("cmbDocType", switches & kHtml5 ? 1 : 0);
    for (int n = 1; n <= 5; ++n) {
        const std::uint8_t kind = in.Byte();
        form.SetItemIndex(Num("cmbKeyKbn", n), kind % 5);
        form.SetItemIndex(Num("cmbKeyWhat", n), kind / 5 % 3);
        const std::uint8_t flags = in.Byte();
        form.SetChecked(Num("chkSpaceDisenable", n), flags & kIgnoreBlanks);
        form.SetChecked(Num("chkBackColor", n), flags & kBackColour);
        form.SetChecked(Num("chkBack100p", n), flags & kFullWidth);
        form.SetText(Num("edtKeyword", n), in.Text(kKeywordsLength));
        form.SetText(Num("edtKeyDiv", n), in.Text(kSeparatorLength));
        form.SetText(Num("edtTag", n), in.Text(kTagLength));
    }
    for (int n = 1; n <= 5; ++n) {
        form.SetText(Num("edtHolMark", n), in.Text(kMarkLength));
        form.SetText(Num("edtHolMarkCnt", n), std::to_string(in.Byte() % kCounts));
    }
}

std::string EncodePipelineSettings(const TForm& form) {
    std::string out;
    out += static_cast<char>(std::max(form.ItemIndex("rdgrpAddTag"), 0));
    std::uint8_t switches = 0;
    switches |= form.Checked("chkbxLink") ? kAutoLink : 0;
    switches |= form.Checked("chkKanaChange") ? kKana : 0;
    switches |= form.Checked("chkSpcCss") ? kSpacesAsStyle : 0;
    switches |= form.ItemIndex("rdgTabSpace") == 1 ? kTabEight : 0;
    switches |= form.ItemIndex("cmbLinkStyle") == 1 ? kModernLinks : 0;
    switches |= form.Checked("chkVerticalWriting") ? kVertical : 0;
    switches |= form.Checked("chkRubyNotation") ? kRuby : 0;
    switches |= form.ItemIndex("cmbDocType") == 1 ? kHtml5 : 0;
    out += static_cast<char>(switches);
    for (int n = 1; n <= 5; ++n) {
        const int kind = std::clamp(form.ItemIndex(Num("cmbKeyKbn", n)), 0, 4);
        const int action = std::clamp(form.ItemIndex(Num("cmbKeyWhat", n)), 0, 2);
        out += static_cast<char>(kind + 5 * action);
        std::uint8_t flags = 0;
        flags |= form.Checked(Num("chkSpaceDisenable", n)) ? kIgnoreBlanks : 0;
        flags |= form.Checked(Num("chkBackColor", n)) ? kBackColour : 0;
        flags |= form.Checked(Num("chkBack100p", n)) ? kFullWidth : 0;
        out += static_cast<char>(flags);
        AppendText(out, form.Text(Num("edtKeyword", n)), kKeywordsLength);
        AppendText(out, form.Text(Num("edtKeyDiv", n)), kSeparatorLength);
        AppendText(out, form.Text(Num("edtTag", n)), kTagLength);
    }
    for (int n = 1; n <= 5; ++n) {
        AppendText(out, form.Text(Num("edtHolMark", n)), kMarkLength);
        const std::string count = form.Text(Num("edtHolMarkCnt", n));
        out += static_cast<char>(std::clamp(std::atoi(count.c_str()), 0, kCounts - 1));
    }
    return out;
}

bool PipelineMayDeleteText(const TForm& form) {
    for (int n = 1; n <= 5; ++n) {
        const int kind = form.ItemIndex(Num("cmbKeyKbn", n));
        const int action = form.ItemIndex(Num("cmbKeyWhat", n));
        const bool deletes = action == 1 || (action == 2 && kind != 3);
        if (deletes && kind != 2 && !form.Text(Num("edtKeyword", n)).empty())
            return true;
    }
    return false;
}
