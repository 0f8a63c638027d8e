// A line stored flat and loaded back into another line object is the line it was: the same tagged
// text, and the same answer to every tag added and every deletion made after, which depend on
// the slots and positions the line had given out.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/line/element_nesting.h"
#include "engine/line/staged_lines.h"
#include "engine/line/untClsHtmlCnv.h"

namespace {

// A line with tags added at random places, before and after those there, some of them deleted
// with the text they stand on, as the stages leave lines.
THtmlCnv RandomLine(std::mt19937& random, int tags) {
    std::string raw;
    for (int n = std::uniform_int_distribution(0, 40)(random); n > 0; --n)
        raw += static_cast<char>('a' + random() % 26);
    THtmlCnv line(raw);
    line.P_CnvTextToHtmlDangerStr(4, false);
    const auto position = [&] {
        return std::uniform_int_distribution(1, static_cast<int>(line.strHtml.size()) + 1)(random);
    };
    for (int k = 0; k < tags; ++k) {
        const bool open = random() % 2 == 0;
        // Long tag texts too, which live outside their string object.
        const std::string tag =
            open ? "<span class=\"emphasis-number-" + std::to_string(k) + "\">" : "</span>";
        line.P_AddTag(tag, position(), random() % 2 == 0);
        if (random() % 7 == 0 && !line.strHtml.empty())
            line.P_DeleteWord(position() > 1 ? position() - 1 : 1, 1);
    }
    return line;
}

}  // namespace

TEST(StagedLines, ALineLoadedBackAnswersAsTheLineStored) {
    std::mt19937 random(20261209);
    for (int round = 0; round < 200; ++round) {
        std::vector<THtmlCnv> lines;
        TStagedLines staged;
        for (int k = 0; k < 6; ++k) {
            lines.push_back(RandomLine(random, k * 3));
            staged.Append(lines.back());
        }
        ASSERT_EQ(staged.Size(), lines.size());
        // One object takes every line in turn, as the converting thread's does; the lines are
        // loaded out of their order, so nothing of the line before may stay.
        THtmlCnv loaded{std::string_view()};
        for (const std::size_t k : {3u, 0u, 5u, 1u, 4u, 2u}) {
            THtmlCnv& original = lines[k];
            staged.LoadInto(k, loaded);
            ASSERT_EQ(loaded.F_strGetIncTag(), original.F_strGetIncTag()) << round << ' ' << k;
            // What the paragraphs add, nested into a page, comes out the same on both.
            TElementNesting pageA;
            TElementNesting pageB;
            original.P_NestElements(pageA);
            loaded.P_NestElements(pageB);
            for (THtmlCnv* line : {&original, &loaded}) {
                line->P_AddTag("<p>", 1, false);
                line->P_AddTag("<br>", static_cast<int>(line->strHtml.size()) + 1, true);
                line->P_AddTag("<b>", 1, true);
            }
            EXPECT_EQ(loaded.F_strGetIncTag(), original.F_strGetIncTag()) << round << ' ' << k;
            if (!original.strHtml.empty()) {
                original.P_DeleteWord(1, 1);
                loaded.P_DeleteWord(1, 1);
                EXPECT_EQ(loaded.F_strGetIncTag(), original.F_strGetIncTag()) << round << ' ' << k;
            }
        }
    }
}
