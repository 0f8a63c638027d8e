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
// ("</span>"), with closing set for the latter; empty for any other text.
std::string_view ElementName(std::string_view tag, bool& closing);

// Element names compare as a browser compares them, without letter case.
bool SameElementName(std::string_view a, std::string_view b);

class TElementNesting {
  public:
    // Writes a run of text (not empty) to out, after the paragraph and elements that wait for
    // content.
    void Text(std::string_view text, std::string& out);
    // Writes what the markup means at this point to out (possibly nothing, possibly several
    // tags): a tag, or several tags with text between them.
    void Tag(std::string_view markup, std::string& out);
    // The line's text and tags are all written: a paragraph start tag of this line that nothing
    // has followed yet is written now, where it stood.
    void FinishLine(std::string& out);
    // Writes the end tags of every element still open, innermost first, and forgets those that
    // wait; for the end of the page.
    void CloseAll(std::string& out);
    // True when a paragraph start tag has been written and not closed.
    bool ParagraphWritten() const;

  private:
    // Tags of elements, kept with their storage so that a line's pushes do not allocate.
    class TTagStack {
      public:
        std::size_t Size() const { return size_; }
        const std::string& operator[](std::size_t i) const { return tags_[i]; }
        void Push(std::string_view tag);
        void Insert(std::size_t at, std::string_view tag);
        void Erase(std::size_t at);
        void Pop() { --size_; }
        void Clear() { size_ = 0; }

      private:
        std::vector<std::string> tags_;
        std::size_t size_ = 0;
    };

    void OneTag(std::string_view tag, std::string& out);
    void Content(std::string& out);
    void OpenParagraphWhenWanted(std::string& out);
    void Block(std::string_view tag, std::string_view name, bool isVoid, std::string& out);
    void End(std::string_view name, std::string& out);
    // Closes the open elements from index at on, innermost first; inline elements among them
    // wait to be opened again, a paragraph among them is wanted again at its own depth.
    void CloseFrom(std::size_t at, std::string& out);

    static constexpr std::size_t kNoParagraph = static_cast<std::size_t>(-1);

    TTagStack open_;     // written and not closed, outermost first
    TTagStack waiting_;  // closed early, opened again before content; outermost first
    // The depth (number of open elements) at which a paragraph is to be written before the next
    // content, or kNoParagraph.
    std::size_t paragraphDepth_ = kNoParagraph;
    std::string paragraphTag_ = "<p>";  // the start tag of that paragraph
    bool paragraphJustAsked_ = false;   // the last thing seen was a paragraph start tag
};
