#include "engine/line/element_nesting.h"

#include <algorithm>
#include <array>

namespace {

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

void WriteEndTag(std::string_view name, std::string& out) {
    char tag[16];
    if (name.size() + 3 > sizeof tag) {
        out += "</";
        out += name;
        out += '>';
        return;
    }
    tag[0] = '<';
    tag[1] = '/';
    std::copy(name.begin(), name.end(), tag + 2);
    tag[name.size() + 2] = '>';
    out.append(tag, name.size() + 3);
}

}  // namespace

TElementKind LongElementKindOf(std::string_view name) {
    if (name.size() > 10)
        return TElementKind::Inline;
    std::array<char, 10> lower{};
    std::transform(name.begin(), name.end(), lower.begin(), LowerAscii);
    const std::string_view key(lower.data(), name.size());
    const auto found =
        std::lower_bound(kKinds.begin(), kKinds.end(), key,
                         [](const TNamedKind& k, std::string_view n) { return k.Name < n; });
    return found != kKinds.end() && found->Name == key ? found->Kind : TElementKind::Inline;
}

TElementNesting::TElementStack& TElementNesting::TElementStack::operator=(
    const TElementStack& other) {
    size_ = 0;
    for (std::size_t i = 0; i < other.size_; ++i)
        Push(other.elements_[i]);
    return *this;
}

void TElementNesting::TElementStack::Push(std::string_view tag, std::size_t nameLength,
                                          TElementKind kind, std::size_t order) {
    if (size_ == elements_.size())
        elements_.emplace_back();
    TElement& element = elements_[size_++];
    element.Tag.assign(tag);
    element.NameLength = nameLength;
    element.Kind = kind;
    element.Order = order;
    element.Depth = 0;
}

void TElementNesting::TElementStack::Push(const TElement& element) {
    Push(element.Tag, element.NameLength, element.Kind, element.Order);
    elements_[size_ - 1].Depth = element.Depth;
}

void TElementNesting::TElementStack::InsertInOrder(const TElement& element, std::size_t depth) {
    std::size_t at = size_;
    while (at > 0 && elements_[at - 1].Order > element.Order)
        --at;
    Push(element);
    elements_[size_ - 1].Depth = depth;
    std::rotate(elements_.begin() + static_cast<std::ptrdiff_t>(at),
                elements_.begin() + static_cast<std::ptrdiff_t>(size_ - 1),
                elements_.begin() + static_cast<std::ptrdiff_t>(size_));
}

void TElementNesting::TElementStack::Erase(std::size_t at) {
    std::rotate(elements_.begin() + static_cast<std::ptrdiff_t>(at),
                elements_.begin() + static_cast<std::ptrdiff_t>(at + 1),
                elements_.begin() + static_cast<std::ptrdiff_t>(size_));
    --size_;
}

TElementNesting& TElementNesting::operator=(const TElementNesting& other) {
    if (this == &other)
        return *this;
    open_ = other.open_;
    waiting_ = other.waiting_;
    paragraphDepth_ = other.paragraphDepth_;
    paragraphTag_ = other.paragraphTag_;
    paragraphJustAsked_ = other.paragraphJustAsked_;
    nextOrder_ = other.nextOrder_;
    return *this;
}

void TElementNesting::OpenParagraphWhenWanted(std::string& out) {
    if (paragraphDepth_ != open_.Size())
        return;
    out += paragraphTag_;
    open_.Push(paragraphTag_, 1, TElementKind::Paragraph);
    paragraphDepth_ = kNoParagraph;
}

void TElementNesting::Content(std::string& out) {
    paragraphJustAsked_ = false;
    const std::size_t depth = open_.Size();
    if (paragraphDepth_ != kNoParagraph)
        OpenParagraphWhenWanted(out);
    if (waiting_.Size() == 0)
        return;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < waiting_.Size(); ++i) {
        if (waiting_[i].Depth == depth) {
            out += waiting_[i].Tag;
            open_.Push(waiting_[i]);
        } else if (kept++ != i) {
            waiting_.Replace(kept - 1, waiting_[i]);
        }
    }
    waiting_.Resize(kept);
}

void TElementNesting::Text(std::string_view text, std::string& out) {
    Content(out);
    out += text;
}

void TElementNesting::CloseFrom(std::size_t at, std::size_t depth, std::string& out) {
    while (open_.Size() > at) {
        const std::size_t i = open_.Size() - 1;
        const TElement& element = open_[i];
        WriteEndTag(element.Name(), out);
        if (element.Kind == TElementKind::Paragraph)
            paragraphDepth_ = i;
        else
            waiting_.InsertInOrder(element, depth);
        open_.Pop();
    }
}

void TElementNesting::Block(std::string_view tag, std::size_t nameLength, TElementKind kind,
                            std::string& out) {
    std::size_t at = open_.Size();
    while (at > 0 && open_[at - 1].Kind != TElementKind::FlowBlock)
        --at;
    CloseFrom(at, at, out);
    if (kind == TElementKind::Paragraph) {
        // Written once content follows (Content), or at the end of the line (FinishLine).
        paragraphDepth_ = open_.Size();
        paragraphTag_.assign(tag);
        paragraphJustAsked_ = true;
        return;
    }
    paragraphJustAsked_ = false;
    out += tag;
    if (kind != TElementKind::VoidBlock)
        open_.Push(tag, nameLength, kind);
}

void TElementNesting::End(std::string_view name, std::string& out) {
    paragraphJustAsked_ = false;
    const bool paragraph = ElementKindOf(name) == TElementKind::Paragraph;
    for (std::size_t i = waiting_.Size(); !paragraph && i-- > 0;) {
        if (SameElementName(waiting_[i].Name(), name)) {
            waiting_.Erase(i);
            return;
        }
    }
    for (std::size_t i = open_.Size(); i-- > 0;) {
        if (SameElementName(open_[i].Name(), name)) {
            CloseFrom(i + 1, i, out);
            WriteEndTag(open_[i].Name(), out);
            open_.Pop();
            break;
        }
    }
    if (paragraph)
        paragraphDepth_ = kNoParagraph;
    else if (paragraphDepth_ != kNoParagraph)
        paragraphDepth_ = std::min(paragraphDepth_, open_.Size());
}

void TElementNesting::Markup(std::string_view markup, std::string& out) {
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
    const TElementKind kind = ElementKindOf(name);
    switch (kind) {
        case TElementKind::Inline:
            Content(out);
            out += tag;
            open_.Push(tag, name.size(), kind, nextOrder_++);
            return;
        case TElementKind::InlineVoid:
            Content(out);
            out += tag;
            return;
        default:
            Block(tag, name.size(), kind, out);
            return;
    }
}

void TElementNesting::FinishLine(std::string& out) {
    if (paragraphJustAsked_)
        OpenParagraphWhenWanted(out);
    paragraphJustAsked_ = false;
}

void TElementNesting::CloseAll(std::string& out) {
    CloseFrom(0, 0, out);
    waiting_.Clear();
    paragraphDepth_ = kNoParagraph;
}

bool TElementNesting::ParagraphWritten() const {
    for (std::size_t i = 0; i < open_.Size(); ++i) {
        if (open_[i].Kind == TElementKind::Paragraph)
            return true;
    }
    return false;
}

void TElementNesting::SetPlain(bool paragraphOpen) {
    open_.Clear();
    waiting_.Clear();
    paragraphDepth_ = kNoParagraph;
    paragraphJustAsked_ = false;
    if (paragraphOpen)
        open_.Push("<p>", 1, TElementKind::Paragraph);
}
