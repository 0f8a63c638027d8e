#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "engine/untClsHtmlCnv.h"

namespace {

THtmlCnv Escaped(std::string_view raw) {
    THtmlCnv line(raw);
    line.P_CnvTextToHtmlDangerStr(4, false);
    return line;
}

}  // namespace

TEST(TaggedLine, PlacementBeforeAndAfterDecidesTheSlotOrder) {
    THtmlCnv line = Escaped("abc");
    line.P_AddTag("<div>", 1, false);
    line.P_AddTag("</div>", 4, true);
    EXPECT_EQ(line.F_strGetIncTag(), "<div>abc</div>");
    line.P_AddTag("<p>", 2, false);
    line.P_AddTag("</p>", 3, true);
    EXPECT_EQ(line.F_strGetIncTag(), "<div>a<p>b</p>c</div>");

    THtmlCnv same = Escaped("x");
    same.P_AddTag("<1>", 1, false);
    same.P_AddTag("<2>", 1, false);  // a later "before" tag stands first
    same.P_AddTag("</1>", 2, true);
    same.P_AddTag("</2>", 2, true);  // a later "after" tag stands last
    EXPECT_EQ(same.F_strGetIncTag(), "<2><1>x</1></2>");

    // A "before" tag where an earlier closing "after" tag stands goes in front of it.
    THtmlCnv touching = Escaped("ab");
    touching.P_AddTag("<i>", 1, false);
    touching.P_AddTag("</i>", 2, true);
    touching.P_AddTag("<b>", 2, false);
    touching.P_AddTag("</b>", 3, true);
    EXPECT_EQ(touching.F_strGetIncTag(), "<i>a<b></i>b</b>");
}

TEST(TaggedLine, WrappingTwiceNestsAndKeepsLeadingBlanksOutside) {
    THtmlCnv line = Escaped("  ab");
    line.P_AddTagLine("<s1>", "</s1>");
    EXPECT_EQ(line.arrAddTagInfo[0].iPos, 13);
    line.P_AddTagLine("<s2>", "</s2>");
    EXPECT_EQ(line.F_strGetIncTag(), "&nbsp;&nbsp;<s2><s1>ab</s1></s2>");

    THtmlCnv empty = Escaped("");
    empty.P_AddTagLine("<s>", "</s>");
    EXPECT_EQ(empty.F_strGetIncTag(), "<s></s>");
}

TEST(TaggedLine, DeletingARunTakesItsTagsAndMovesTheLaterOnes) {
    THtmlCnv line = Escaped("abcdef");
    line.P_AddTag("<x>", 3, false);  // on the run's first byte: deleted with it
    line.P_AddTag("<y>", 4, false);  // inside the run: deleted
    line.P_AddTag("<z>", 5, false);  // right after the run: now at its start
    line.P_AddTag("</w>", 7, true);
    line.P_DeleteWord(3, 2);
    EXPECT_EQ(line.strHtml, "abef");
    EXPECT_EQ(line.F_strGetIncTag(), "ab<z>ef</w>");
    EXPECT_EQ(line.arrAddTagInfo[0].iPos, -1);
    EXPECT_EQ(line.arrAddTagInfo[1].iPos, -1);
    EXPECT_EQ(line.arrAddTagInfo[2].iPos, 3);
    EXPECT_EQ(line.arrAddTagInfo[3].iPos, 5);
    // Deleted records keep their place and count for nothing afterwards.
    line.P_AddTag("<q>", 4, true);
    EXPECT_EQ(line.F_strGetIncTag(), "ab<z>e<q>f</w>");
    line.P_DeleteWord(2, 0);
    EXPECT_EQ(line.F_strGetIncTag(), "ab<z>e<q>f</w>");
}

TEST(TaggedLine, KeywordFormsDeleteOrReplaceTheFirstOccurrenceOnly) {
    THtmlCnv deleted = Escaped("xaxa");
    deleted.P_AddTagDeleteKeyword("<e>", "</e>", "a");
    EXPECT_EQ(deleted.F_strGetIncTag(), "<e>xxa</e>");

    THtmlCnv replaced = Escaped("ab");
    replaced.P_AddTagReplaceImg("<e>", "</e>", "a", "<img>");
    EXPECT_EQ(replaced.F_strGetIncTag(), "<e><img>b</e>");

    THtmlCnv absent = Escaped("b");
    absent.P_AddTagReplaceImg("<e>", "</e>", "a", "<img>");
    EXPECT_EQ(absent.F_strGetIncTag(), "<e>b</e>");

    THtmlCnv byPosition = Escaped("abcd");
    byPosition.P_AddTagReplaceImgPos("<e>", "</e>", 2, 2, "<img>");
    EXPECT_EQ(byPosition.F_strGetIncTag(), "<e>a<img>d</e>");
    THtmlCnv deletedAt = Escaped("abcd");
    deletedAt.P_AddTagDeleteKeywordPos("<e>", "</e>", 1, 3);
    EXPECT_EQ(deletedAt.F_strGetIncTag(), "<e>d</e>");
}

TEST(TaggedLine, SettersTouchOnlyTheirText) {
    THtmlCnv line("a<b");
    line.P_CnvTextToHtmlDangerStr(4, false);
    EXPECT_EQ(line.F_strGetOriginal(), "a<b");
    EXPECT_EQ(line.strHtml, "a&lt;b");
    line.P_SetOriginal("O");
    EXPECT_EQ(line.strHtml, "a&lt;b");
    EXPECT_EQ(line.F_strGetIncTag(), "a&lt;b");
    EXPECT_EQ(line.F_strGetOriginal(), "O");
}

// One object renewed for line after line must behave as a fresh object for each: the tags, the
// deleted records and the long tag texts of the line before leave no trace.
TEST(TaggedLine, RenewedObjectActsAsAFreshOne) {
    const std::string longTag = "<span style=\"position:relative;left:4ex;\">";
    const auto tagLine = [&](THtmlCnv& line) {
        line.P_CnvTextToHtmlDangerStr(4, false);
        line.P_AddTag(longTag, 1, false);
        line.P_AddTag("</span>", 4, true);
        line.P_DeleteWord(2, 1);
        line.P_AddTagLine("<span class=\"strong1\">", "</span>");
    };
    THtmlCnv renewed("first line & more");
    tagLine(renewed);
    for (const char* raw : {"a<b", "", "  xyz  "}) {
        renewed.P_Renew(raw);
        EXPECT_EQ(renewed.F_strGetOriginal(), raw);
        EXPECT_EQ(renewed.strHtml, raw);
        EXPECT_EQ(renewed.F_strGetIncTag(), raw);
        EXPECT_TRUE(renewed.arrAddTagInfo.empty());
        THtmlCnv fresh(raw);
        tagLine(renewed);
        tagLine(fresh);
        EXPECT_EQ(renewed.F_strGetIncTag(), fresh.F_strGetIncTag()) << raw;
        EXPECT_EQ(renewed.strHtml, fresh.strHtml);
        ASSERT_EQ(renewed.arrAddTagInfo.size(), fresh.arrAddTagInfo.size());
        for (std::size_t i = 0; i < fresh.arrAddTagInfo.size(); ++i) {
            EXPECT_EQ(renewed.arrAddTagInfo[i].iPos, fresh.arrAddTagInfo[i].iPos);
            EXPECT_EQ(renewed.arrAddTagInfo[i].iLen, fresh.arrAddTagInfo[i].iLen);
            EXPECT_EQ(renewed.arrAddTagInfo[i].strTag, fresh.arrAddTagInfo[i].strTag);
        }
    }
}

namespace {

// The tagged text kept up to date on every operation, by inserting each tag where the tag bytes
// anchored in front of its position end: the straightforward form of what the line object
// builds only when its text is asked for.
struct TEagerTaggedLine {
    std::string Plain;
    std::string Tagged;
    std::vector<std::pair<int, int>> Tags;  // position (-1 once deleted), length

    std::size_t TagBytesBefore(int position, bool inclusive) const {
        std::size_t sum = 0;
        for (const auto& [at, length] : Tags) {
            if (at != -1 && (at < position || (inclusive && at == position)))
                sum += static_cast<std::size_t>(length);
        }
        return sum;
    }
    void AddTag(const std::string& tag, int position, bool after) {
        Tagged.insert(position - 1 + TagBytesBefore(position, after), tag);
        Tags.emplace_back(position, static_cast<int>(tag.size()));
    }
    void DeleteWord(int position, int length) {
        const int last = position + length - 1;
        const std::size_t from = position - 1 + TagBytesBefore(position, false);
        const std::size_t through = last - 1 + TagBytesBefore(last, true);
        Tagged.erase(from, through - from + 1);
        Plain.erase(position - 1, length);
        for (auto& [at, tagLength] : Tags) {
            if (at >= position && at <= last)
                at = -1;
            if (at >= position)
                at -= length;
        }
    }
};

}  // namespace

// Random tags and deletions anywhere in the line, read back at random moments: the object gives
// what inserting every tag at once gives, and so do the tags it hands back for a run. Every
// other round keeps to positions at or behind the last tag, as stages working left to right do,
// and then deletes behind it too.
TEST(TaggedLine, AnyOrderOfOperationsGivesTheTextOfImmediateInsertion) {
    std::mt19937 random(20261208);
    for (int round = 0; round < 4000; ++round) {
        const std::string raw(1 + random() % 12, 'a');
        THtmlCnv line = Escaped(raw);
        TEagerTaggedLine eager{raw, raw, {}};
        int frontier = 1;  // the rounds that go left to right never go in front of it
        for (int step = 0; step < 12; ++step) {
            const int size = static_cast<int>(eager.Plain.size());
            if (round % 2 == 1 && frontier > size + 1)
                frontier = size + 1;
            const int from = round % 2 == 1 ? frontier : 1;
            const int position = from + static_cast<int>(random() % (size + 2 - from));
            frontier = position;
            if (random() % 4 == 0 && position <= size) {
                const int length = 1 + static_cast<int>(random() % (size - position + 1));
                eager.DeleteWord(position, length);
                line.P_DeleteWord(position, length);
            } else {
                const bool after = random() % 2 == 0;
                const std::string tag = "<t" + std::to_string(step) + (after ? "a>" : "b>");
                eager.AddTag(tag, position, after);
                line.P_AddTag(tag, position, after);
            }
            if (random() % 3 == 0) {
                ASSERT_EQ(line.F_strGetIncTag(), eager.Tagged) << round << " " << step;
            }
        }
        ASSERT_EQ(line.F_strGetIncTag(), eager.Tagged) << round;
        ASSERT_EQ(line.strHtml, eager.Plain);
        std::string fromRuns = line.strHtml;
        for (int p = static_cast<int>(line.strHtml.size()) + 1; p >= 1; --p) {
            std::string tags;
            for (const std::string& tag : line.TagsAnchoredIn(p, p))
                tags += tag;
            fromRuns.insert(static_cast<std::size_t>(p - 1), tags);
        }
        ASSERT_EQ(fromRuns, eager.Tagged) << round;
    }
}
