#include "engine/line/element_nesting.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

// Writes one line of markup through nesting: a piece that starts with "<" is a tag, any other
// piece is text.
std::string Line(TElementNesting& nesting, const std::vector<std::string_view>& pieces) {
    std::string out;
    for (const std::string_view piece : pieces) {
        if (piece.starts_with('<'))
            nesting.Tag(piece, out);
        else
            nesting.Text(piece, out);
    }
    nesting.FinishLine(out);
    return out;
}

std::string Line(const std::vector<std::string_view>& pieces) {
    TElementNesting nesting;
    return Line(nesting, pieces);
}

TEST(ElementNesting, MarkupThatNestsIsWrittenAsItStands) {
    EXPECT_EQ(Line({"<p>", "<span class=\"strong1\">", "a", "<a href=\"x\">", "b", "</a>",
                    "</span>", "<br>"}),
              "<p><span class=\"strong1\">a<a href=\"x\">b</a></span><br>");
    // A stage may add several tags with text between them as one piece.
    TElementNesting page;
    EXPECT_EQ(Line(page, {"<p>", "<ruby>", "漢", "<rp>(</rp><rt>かん</rt><rp>)</rp></ruby>"}),
              "<p><ruby>漢<rp>(</rp><rt>かん</rt><rp>)</rp></ruby>");
    std::string end;
    page.CloseAll(end);
    EXPECT_EQ(end, "</p>");
    // An empty element is the stage's own, and stays.
    EXPECT_EQ(Line({"<span style=\"left:3ex;\">", "</span>", "</p>"}),
              "<span style=\"left:3ex;\"></span>");
}

TEST(ElementNesting, AnElementClosingOverOpenOnesClosesThemAndOpensThemAgainWhereContentFollows) {
    // A link that ends where the emphasis around it ends.
    EXPECT_EQ(
        Line({"<span class=\"strong2\">", "・詳細は", "<a href=\"h\">", "h", "</span>", "</a>"}),
        "<span class=\"strong2\">・詳細は<a href=\"h\">h</a></span>");
    // Text between the two end tags stays inside the inner element, which opens again.
    EXPECT_EQ(Line({"<b>", "x", "<i class=\"c\">", "y", "</b>", "z", "</i>"}),
              "<b>x<i class=\"c\">y</i></b><i class=\"c\">z</i>");
    // Letter case does not matter to names.
    EXPECT_EQ(Line({"<B>", "x", "<I>", "y", "</b>", "</i>"}), "<B>x<I>y</I></B>");
}

TEST(ElementNesting, ABlockClosesTheParagraphAndInlineElementsWhichOpenAgainAfterIt) {
    // The block shows its own element's look alone, as browsers show it.
    EXPECT_EQ(Line({"<p>", "<span class=\"strong2\">", "・", "<div class=\"strong3\">", "2",
                    "</div>", "</span>", "<br>"}),
              "<p><span class=\"strong2\">・</span></p><div class=\"strong3\">2</div><p><br>");
    EXPECT_EQ(
        Line({"<span>", "a", "<div>", "b", "<i>", "c", "</div>", "d", "</i>", "e", "</span>"}),
        "<span>a</span><div>b<i>c</i></div><span><i>d</i>e</span>");
    TElementNesting page;
    EXPECT_EQ(Line(page, {"<p>", "本文"}), "<p>本文");
    EXPECT_EQ(Line(page, {"<hr class=\"hr1\">"}), "</p><hr class=\"hr1\">");
    EXPECT_EQ(Line(page, {"続き", "<br>"}), "<p>続き<br>");
    EXPECT_TRUE(page.ParagraphWritten());
    EXPECT_EQ(Line(page, {"</p>"}), "</p>");
    EXPECT_FALSE(page.ParagraphWritten());
}

TEST(ElementNesting, AParagraphIsWrittenOnlyWhenItsLineIsNotABlock) {
    TElementNesting page;
    // A rule line that begins a paragraph writes no empty paragraph, and the paragraph's end on
    // the blank line after it has nothing to close.
    EXPECT_EQ(Line(page, {"<p>", "<hr class=\"hr1\">"}), "<hr class=\"hr1\">");
    EXPECT_EQ(Line(page, {"</p>"}), "");
    EXPECT_EQ(Line(page, {"<br>"}), "<br>");
    // A paragraph whose line holds nothing else is written where it stood.
    EXPECT_EQ(Line(page, {"<p>"}), "<p>");
    EXPECT_TRUE(page.ParagraphWritten());
}

TEST(ElementNesting, TheDivAroundALineHoldsItsParagraphWhichEndsWithIt) {
    TElementNesting page;
    EXPECT_EQ(
        Line(page, {"<div>", "<p>", "<span class=\"strong1\">", "○見出し", "</span>", "</div>"}),
        "<div><p><span class=\"strong1\">○見出し</span></p></div>");
    // The paragraph goes on after the div where text follows ...
    EXPECT_EQ(Line(page, {"本文"}), "<p>本文");
    // ... and a div around a line inside an open paragraph ends it first.
    EXPECT_EQ(Line(page, {"<div>", "<span>", "x", "</span>", "</div>"}),
              "</p><div><span>x</span></div>");
    EXPECT_EQ(Line(page, {"</p>"}), "");
}

TEST(ElementNesting, EndTagsOfElementsThatAreNotOpenAreDroppedAndThePageEndClosesTheRest) {
    EXPECT_EQ(Line({"</span>", "a", "</a>"}), "a");
    TElementNesting page;
    EXPECT_EQ(Line(page, {"<p>", "<span>", "a"}), "<p><span>a");
    std::string end;
    page.CloseAll(end);
    EXPECT_EQ(end, "</span></p>");
    end.clear();
    page.CloseAll(end);
    EXPECT_EQ(end, "");
}

}  // namespace
