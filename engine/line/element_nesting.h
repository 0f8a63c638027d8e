// The page's elements kept properly nested while a line's text and tags are written in order.
// Stages place their tags independently of each other, so an element may close while elements
// opened inside it are still open (an emphasis that ends the line around a link that ends there
// too), or a block (a rule line, an emphasis shown as a div, the div around a line) may come
// inside a paragraph or an inline element. Written as they stand, such tags make an invalid page
// that browsers repair in their own way. This writes what they repair it to, as markup that is
// valid in itself:
// - An end tag of an element with elements opened inside it still open closes those first,
//   then the element, and opens them again (same tag) before whatever content follows; an
//   element opened again that gets no content before its own end tag is not written at all.
// - A block start tag closes the open paragraph and inline elements first; the inline elements
//   open again inside the block before its content, and the paragraph opens again after the
//   block, where text follows.
// - A paragraph start tag is written only once content follows it on its line, so a line that
//   turns out to be a block writes no empty paragraph; an end tag of an element that is not open
//   is dropped.
// On markup that nests already every tag is written as it is, in its place.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The element name of an opening tag ("<span class=...>" gives "span") or of a closing tag
// ("</span>"), with closing set for the latter; empty for any other text. Inline, as are the
// two below: the line object looks at every tag of every line with them.
inline std::string_view ElementName(std::string_view tag, bool& closing) {
    const auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    closing = tag.size() > 1 && tag[1] == '/';
    const std::size_t start = closing ? 2 : 1;
    if (tag.size() <= start || tag[0] != '<' || !letter(tag[start]))
        return {};
    std::size_t end = start;
    while (end < tag.size() && (letter(tag[end]) || (tag[end] >= '0' && tag[end] <= '9')))
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

// Element names compare as a browser compares them, without letter case.
inline bool SameElementName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if ((a[i] | 0x20) != (b[i] | 0x20))
            return false;
    }
    return true;
}

// What an element is to the nesting: whether it holds content, and which blocks it may hold.
enum class TElementKind : unsigned char {
    Inline,         // text-level, holds text and inline elements
    InlineVoid,     // text-level without content ("br", "img")
    Paragraph,      // "p"
    PhrasingBlock,  // a block that holds only text-level content ("h1", "pre")
    FlowBlock,      // a block that may hold blocks ("div", "blockquote")
    VoidBlock,      // "hr"
};

inline char LowerAscii(char c) {
    return static_cast<char>(c >= 'A' && c <= 'Z' ? c | 0x20 : c);
}

// ElementKindOf for names of three letters and more.
TElementKind LongElementKindOf(std::string_view name);

// The kind of an element name, without letter case; names it does not know are text-level.
inline TElementKind ElementKindOf(std::string_view name) {
    if (name.size() > 2)
        return name == "span" ? TElementKind::Inline : LongElementKindOf(name);
    if (name.empty())
        return TElementKind::Inline;
    const char a = LowerAscii(name[0]);
    if (name.size() == 1)
        return a == 'p' ? TElementKind::Paragraph : TElementKind::Inline;
    const char b = LowerAscii(name[1]);
    switch (a) {
        case 'b':
            return b == 'r' ? TElementKind::InlineVoid : TElementKind::Inline;
        case 'h':
            if (b == 'r')
                return TElementKind::VoidBlock;
            return b >= '1' && b <= '6' ? TElementKind::PhrasingBlock : TElementKind::Inline;
        case 'd':
            if (b == 't')
                return TElementKind::PhrasingBlock;
            return b == 'd' || b == 'l' ? TElementKind::FlowBlock : TElementKind::Inline;
        case 'l':
            return b == 'i' ? TElementKind::FlowBlock : TElementKind::Inline;
        case 'o':
        case 'u':
            return b == 'l' ? TElementKind::FlowBlock : TElementKind::Inline;
        default:
            return TElementKind::Inline;
    }
}

class TElementNesting {
  public:
    TElementNesting() = default;
    TElementNesting(const TElementNesting& other) { *this = other; }
    // Copies the state and keeps this object's storage: a conversion copies it for every line.
    TElementNesting& operator=(const TElementNesting& other);

    // Writes a run of text (not empty) to out, after the paragraph and elements that wait for
    // content.
    void Text(std::string_view text, std::string& out);
    // Writes what the markup means at this point to out (possibly nothing, possibly several
    // tags): a tag, or several tags with text between them.
    void Tag(std::string_view markup, std::string& out) {
        // The line break that ends most lines, where nothing waits: inline, as is IsPlain.
        if (markup == "<br>" && waiting_.Size() == 0 && paragraphDepth_ == kNoParagraph) {
            paragraphJustAsked_ = false;
            out += markup;
            return;
        }
        Markup(markup, out);
    }
    // The line's text and tags are all written: a paragraph start tag of this line that nothing
    // has followed yet is written now, where it stood.
    void FinishLine(std::string& out);
    // Writes the end tags of every element still open, innermost first, and forgets those that
    // wait; for the end of the page.
    void CloseAll(std::string& out);
    // True when a paragraph start tag has been written and not closed.
    bool ParagraphWritten() const;
    // True when no element is open but a paragraph ("<p>" as such), none waits, and no paragraph
    // is wanted: the state of almost every line's end, which SetPlain gives back.
    bool IsPlain() const {
        return waiting_.Size() == 0 && paragraphDepth_ == kNoParagraph && !paragraphJustAsked_ &&
               (open_.Size() == 0 ||
                (open_.Size() == 1 && open_[0].Kind == TElementKind::Paragraph &&
                 open_[0].Tag.size() == 3));
    }
    void SetPlain(bool paragraphOpen);

  private:
    struct TElement {
        std::string Tag;  // its start tag as written
        std::string_view Name() const { return std::string_view(Tag).substr(1, NameLength); }
        std::size_t NameLength = 0;
        TElementKind Kind = TElementKind::Inline;
        std::size_t Order = 0;  // when it was first opened: an earlier element holds a later one
        std::size_t Depth = 0;  // waiting: opened again only where this many elements are open
    };
    // Elements, kept with their storage so that a line's pushes do not allocate.
    class TElementStack {
      public:
        TElementStack& operator=(const TElementStack& other);
        std::size_t Size() const { return size_; }
        const TElement& operator[](std::size_t i) const { return elements_[i]; }
        void Push(const TElement& element);
        void Push(std::string_view tag, std::size_t nameLength, TElementKind kind,
                  std::size_t order = 0);
        // Inserts element where its Order puts it.
        void InsertInOrder(const TElement& element, std::size_t depth);
        void Erase(std::size_t at);
        void Pop() { --size_; }
        void Replace(std::size_t at, const TElement& element) { elements_[at] = element; }
        void Resize(std::size_t size) { size_ = size; }
        void Clear() { size_ = 0; }

      private:
        std::vector<TElement> elements_;
        std::size_t size_ = 0;
    };

    void Markup(std::string_view markup, std::string& out);
    void OneTag(std::string_view tag, std::string& out);
    void Content(std::string& out);
    void OpenParagraphWhenWanted(std::string& out);
    void Block(std::string_view tag, std::size_t nameLength, TElementKind kind, std::string& out);
    void End(std::string_view name, std::string& out);
    // Closes the open elements from index at on, innermost first; inline elements among them
    // wait to be opened again where depth elements are open (so not inside a block that follows),
    // a paragraph among them is wanted again at its own depth.
    void CloseFrom(std::size_t at, std::size_t depth, std::string& out);

    static constexpr std::size_t kNoParagraph = static_cast<std::size_t>(-1);

    TElementStack open_;     // written and not closed, outermost first
    TElementStack waiting_;  // closed early, opened again before content; outermost first
    // The depth (number of open elements) at which a paragraph is to be written before the next
    // content, or kNoParagraph.
    std::size_t paragraphDepth_ = kNoParagraph;
    std::string paragraphTag_ = "<p>";  // the start tag of that paragraph
    bool paragraphJustAsked_ = false;   // the last thing seen was a paragraph start tag
    std::size_t nextOrder_ = 0;
};
