#include "engine/line/element_nesting.h"

#include <algorithm>
#include <array>

namespace {

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// What an element is to the nesting: whether it holds content, and which blocks it may hold.
enum class TElementKind {
    Inline,         // text-level, holds text and inline elements
    InlineVoid,     // text-level without content ("br", "img")
    Paragraph,      // "p"
    PhrasingBlock,  // a block that holds only text-level content ("h1", "pre")
    FlowBlock,      // a block that may hold blocks ("div", "blockquote")
    VoidBlock,      // "hr"
};

struct TNamedKind {
    std::string_view Name;
    TElementKind Kind;
};

// Every element name that is not text-level, and the void text-level ones; sorted by name.
constexpr std::array kKinds{
    TNamedKind{"address", TElementKind::FlowBlock},
    TNamedKind{"area", TElementKind::InlineVoid},
    TNamedKind{"article", TElementKind::FlowBlock},
    TNamedKind{"aside", TElementKind::FlowBlock},
    TNamedKind{"base", TElementKind::InlineVoid},
    TNamedKind{"blockquote", TElementKind::FlowBlock},
    TNamedKind{"br", TElementKind::InlineVoid},
    TNamedKind{"center", TElementKind::FlowBlock},
    TNamedKind{"col", TElementKind::InlineVoid},
    TNamedKind{"dd", TElementKind::FlowBlock},
    TNamedKind{"details", TElementKind::FlowBlock},
    TNamedKind{"dialog", TElementKind::FlowBlock},
    TNamedKind{"dir", TElementKind::FlowBlock},
    TNamedKind{"div", TElementKind::FlowBlock},
    TNamedKind{"dl", TElementKind::FlowBlock},
    TNamedKind{"dt", TElementKind::PhrasingBlock},
    TNamedKind{"embed", TElementKind::InlineVoid},
    TNamedKind{"fieldset", TElementKind::FlowBlock},
    TNamedKind{"figcaption", TElementKind::FlowBlock},
    TNamedKind{"figure", TElementKind::FlowBlock},
    TNamedKind{"footer", TElementKind::FlowBlock},
    TNamedKind{"form", TElementKind::FlowBlock},
    TNamedKind{"h1", TElementKind::PhrasingBlock},
    TNamedKind{"h2", TElementKind::PhrasingBlock},
    TNamedKind{"h3", TElementKind::PhrasingBlock},
    TNamedKind{"h4", TElementKind::PhrasingBlock},
    TNamedKind{"h5", TElementKind::PhrasingBlock},
    TNamedKind{"h6", TElementKind::PhrasingBlock},
    TNamedKind{"header", TElementKind::FlowBlock},
    TNamedKind{"hgroup", TElementKind::FlowBlock},
    TNamedKind{"hr", TElementKind::VoidBlock},
    TNamedKind{"img", TElementKind::InlineVoid},
    TNamedKind{"input", TElementKind::InlineVoid},
    TNamedKind{"li", TElementKind::FlowBlock},
    TNamedKind{"link", TElementKind::InlineVoid},
    TNamedKind{"main", TElementKind::FlowBlock},
    TNamedKind{"menu", TElementKind::FlowBlock},
    TNamedKind{"meta", TElementKind::InlineVoid},
    TNamedKind{"nav", TElementKind::FlowBlock},
    TNamedKind{"noframes", TElementKind::FlowBlock},
    TNamedKind{"ol", TElementKind::FlowBlock},
    TNamedKind{"p", TElementKind::Paragraph},
    TNamedKind{"param", TElementKind::InlineVoid},
    TNamedKind{"pre", TElementKind::PhrasingBlock},
    TNamedKind{"section", TElementKind::FlowBlock},
    TNamedKind{"source", TElementKind::InlineVoid},
    TNamedKind{"table", TElementKind::FlowBlock},
    TNamedKind{"track", TElementKind::InlineVoid},
    TNamedKind{"ul", TElementKind::FlowBlock},
    TNamedKind{"wbr", TElementKind::InlineVoid},
};

TElementKind KindOf(std::string_view name) {
    std::array<char, 12> lower{};
    if (name.size() > lower.size())
        return TElementKind::Inline;
    std::transform(name.begin(), name.end(), lower.begin(),
                   [](char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c | 0x20 : c); });
    const std::string_view key(lower.data(), name.size());
    const auto found =
        std::lower_bound(kKinds.begin(), kKinds.end(), key,
                         [](const TNamedKind& k, std::string_view n) { return k.Name < n; });
    return found != kKinds.end() && found->Name == key ? found->Kind : TElementKind::Inline;
}

std::string_view NameOf(std::string_view tag) {
    bool closing = false;
    return ElementName(tag, closing);
}

// An element of this kind may hold a block.
bool HoldsBlocks(std::string_view tag) {
    return KindOf(NameOf(tag)) == TElementKind::FlowBlock;
}

bool IsParagraph(std::string_view tag) {
    return KindOf(NameOf(tag)) == TElementKind::Paragraph;
}

void WriteEndTag(std::string_view name, std::string& out) {
    out += "</";
    out += name;
    out += '>';
}

}  // namespace

std::string_view ElementName(std::string_view tag, bool& closing) {
    closing = tag.starts_with("</");
    const std::size_t start = closing ? 2 : 1;
    if (tag.size() <= start || tag[0] != '<' || !IsAsciiLetter(tag[start]))
        return {};
    std::size_t end = start;
    while (end < tag.size() && (IsAsciiLetter(tag[end]) || (tag[end] >= '0' && tag[end] <= '9')))
        ++end;
    if (end == tag.size())
        return {};
    const char next = tag[end];
    if (closing ? next != '>' || end + 1 != tag.size()
                : next != '>' && next != ' ' && next != '\t' && next != '/') {
        return {};
    }
    return tag.substr(start, end - start);
}

bool SameElementName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if ((a[i] | 0x20) != (b[i] | 0x20))
            return false;
    }
    return true;
}

void TElementNesting::TTagStack::Push(std::string_view tag) {
    if (size_ == tags_.size())
        tags_.emplace_back();
    tags_[size_++].assign(tag);
}

void TElementNesting::TTagStack::Insert(std::size_t at, std::string_view tag) {
    Push(tag);
    std::rotate(tags_.begin() + static_cast<std::ptrdiff_t>(at),
                tags_.begin() + static_cast<std::ptrdiff_t>(size_ - 1),
                tags_.begin() + static_cast<std::ptrdiff_t>(size_));
}

void TElementNesting::TTagStack::Erase(std::size_t at) {
    std::rotate(tags_.begin() + static_cast<std::ptrdiff_t>(at),
                tags_.begin() + static_cast<std::ptrdiff_t>(at + 1),
                tags_.begin() + static_cast<std::ptrdiff_t>(size_));
    --size_;
}

void TElementNesting::OpenParagraphWhenWanted(std::string& out) {
    if (paragraphDepth_ != open_.Size())
        return;
    out += paragraphTag_;
    open_.Push(paragraphTag_);
    paragraphDepth_ = kNoParagraph;
}

void TElementNesting::Content(std::string& out) {
    paragraphJustAsked_ = false;
    OpenParagraphWhenWanted(out);
    if (waiting_.Size() == 0)
        return;
    for (std::size_t i = 0; i < waiting_.Size(); ++i) {
        out += waiting_[i];
        open_.Push(waiting_[i]);
    }
    waiting_.Clear();
}

void TElementNesting::Text(std::string_view text, std::string& out) {
    Content(out);
    out += text;
}

void TElementNesting::CloseFrom(std::size_t at, std::string& out) {
    while (open_.Size() > at) {
        const std::size_t i = open_.Size() - 1;
        const std::string_view name = NameOf(open_[i]);
        WriteEndTag(name, out);
        if (KindOf(name) == TElementKind::Paragraph)
            paragraphDepth_ = i;
        else
            waiting_.Insert(0, open_[i]);
        open_.Pop();
    }
}

void TElementNesting::Block(std::string_view tag, std::string_view name, bool isVoid,
                            std::string& out) {
    std::size_t at = open_.Size();
    while (at > 0 && !HoldsBlocks(open_[at - 1]))
        --at;
    CloseFrom(at, out);
    if (KindOf(name) == TElementKind::Paragraph) {
        // Written once content follows (Content), or at the end of the line (FinishLine).
        paragraphDepth_ = open_.Size();
        paragraphTag_.assign(tag);
        paragraphJustAsked_ = true;
        return;
    }
    paragraphJustAsked_ = false;
    out += tag;
    if (!isVoid)
        open_.Push(tag);
}

void TElementNesting::End(std::string_view name, std::string& out) {
    paragraphJustAsked_ = false;
    if (KindOf(name) == TElementKind::Paragraph) {
        for (std::size_t i = open_.Size(); i-- > 0;) {
            if (IsParagraph(open_[i])) {
                CloseFrom(i + 1, out);
                WriteEndTag(NameOf(open_[i]), out);
                open_.Pop();
                break;
            }
        }
        paragraphDepth_ = kNoParagraph;
        return;
    }
    for (std::size_t i = waiting_.Size(); i-- > 0;) {
        if (SameElementName(NameOf(waiting_[i]), name)) {
            waiting_.Erase(i);
            return;
        }
    }
    for (std::size_t i = open_.Size(); i-- > 0;) {
        if (SameElementName(NameOf(open_[i]), name)) {
            CloseFrom(i + 1, out);
            WriteEndTag(NameOf(open_[i]), out);
            open_.Pop();
            if (paragraphDepth_ != kNoParagraph)
                paragraphDepth_ = std::min(paragraphDepth_, open_.Size());
            return;
        }
    }
}

void TElementNesting::Tag(std::string_view markup, std::string& out) {
    // Most tags are one tag; a stage may also add several with text between them at once (the
    // reading of a ruby).
    while (!markup.empty()) {
        std::size_t end = markup[0] == '<' ? markup.find('>') : markup.find('<');
        end = end == std::string_view::npos ? markup.size() : end + (markup[0] == '<' ? 1 : 0);
        if (markup[0] == '<')
            OneTag(markup.substr(0, end), out);
        else
            Text(markup.substr(0, end), out);
        markup.remove_prefix(end);
    }
}

void TElementNesting::OneTag(std::string_view tag, std::string& out) {
    bool closing = false;
    const std::string_view name = ElementName(tag, closing);
    if (name.empty()) {
        Content(out);
        out += tag;
        return;
    }
    if (closing) {
        End(name, out);
        return;
    }
    switch (KindOf(name)) {
        case TElementKind::Inline:
            Content(out);
            out += tag;
            open_.Push(tag);
            return;
        case TElementKind::InlineVoid:
            Content(out);
            out += tag;
            return;
        case TElementKind::VoidBlock:
            Block(tag, name, true, out);
            return;
        default:
            Block(tag, name, false, out);
            return;
    }
}

void TElementNesting::FinishLine(std::string& out) {
    if (paragraphJustAsked_)
        OpenParagraphWhenWanted(out);
    paragraphJustAsked_ = false;
}

void TElementNesting::CloseAll(std::string& out) {
    CloseFrom(0, out);
    waiting_.Clear();
    paragraphDepth_ = kNoParagraph;
}

bool TElementNesting::ParagraphWritten() const {
    for (std::size_t i = 0; i < open_.Size(); ++i) {
        if (IsParagraph(open_[i]))
            return true;
    }
    return false;
}
