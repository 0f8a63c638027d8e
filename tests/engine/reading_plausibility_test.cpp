// Detection of texts that are valid both as UTF-8 and as Shift_JIS, measured on random short
// texts of each kind: Shift_JIS texts of half-width katakana before kanji (the ones that are
// valid UTF-8 by chance), Japanese words saved as UTF-8 that happen to be valid CP932, and
// European words in UTF-8.
#include "engine/encodings/reading_plausibility.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "engine/encodings/text_encoding.h"
#include "tests/engine/encoding_fixture.h"

namespace {

// The UTF-8 text bytes read as in iconvName, or nothing when they are not valid there.
std::optional<std::string> ReadAs(const std::string& bytes, const char* iconvName) {
    return Converted(bytes, iconvName, "UTF-8");
}

// Every kanji of JIS X 0208 as its CP932 bytes and as UTF-8, read once with one converter.
struct TKanji {
    std::string Sjis;
    std::string Utf8;
};

const std::vector<TKanji>& AllKanji() {
    static const std::vector<TKanji> all = [] {
        std::vector<TKanji> kanji;
        iconv_t cd = iconv_open("UTF-8", "CP932");
        for (int lead = 0x88; lead <= 0xEA; ++lead) {
            if (lead > 0x9F && lead < 0xE0)
                continue;
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                const std::string sjis{static_cast<char>(lead), static_cast<char>(trail)};
                char utf8[8];
                char* in = const_cast<char*>(sjis.data());
                std::size_t left = 2;
                char* dst = utf8;
                std::size_t room = sizeof utf8;
                if (iconv(cd, &in, &left, &dst, &room) != static_cast<std::size_t>(-1) &&
                    dst - utf8 == 3)
                    kanji.push_back({sjis, std::string(utf8, 3)});
            }
        }
        iconv_close(cd);
        return kanji;
    }();
    return all;
}

// Whether bytes are well-formed UTF-8; the texts here hold no four-byte forms, surrogates or
// overlong forms to tell apart, so the byte patterns do.
bool IsUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = lead < 0x80   ? 1
                                   : lead < 0xC2 ? 0
                                   : lead < 0xE0 ? 2
                                   : lead < 0xF0 ? 3
                                                 : 0;
        if (length == 0 || i + length > bytes.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80)
                return false;
        }
        i += length;
    }
    return true;
}

class TRandomText {
  public:
    static std::string Cp932(const std::string& utf8) {
        try {
            return InEncoding(utf8, "CP932");
        } catch (const std::exception&) {
            return {};
        }
    }
    const TKanji& Kanji() { return AllKanji()[Pick(0, AllKanji().size() - 1)]; }
    std::size_t Pick(std::size_t low, std::size_t high) {
        return std::uniform_int_distribution<std::size_t>(low, high)(random_);
    }

  private:
    std::mt19937 random_{20261209};
};

struct TMisreads {
    int Texts = 0;
    int Misread = 0;
    std::vector<std::string> Examples;
    void Count(bool misread, const std::string& shown) {
        ++Texts;
        if (!misread)
            return;
        ++Misread;
        if (Examples.size() < 8)
            Examples.push_back(shown);
    }
    std::string Report() const {
        std::string s = std::to_string(Misread) + " of " + std::to_string(Texts) + " misread:";
        for (const std::string& e : Examples)
            s += " [" + e + "]";
        return s;
    }
};

}  // namespace

// Half-width katakana before a kanji in Shift_JIS ("ﾊ表" = CA 95 5C, read in UTF-8 as "ʕ\"),
// alone or among ASCII, valid UTF-8 by chance. Before the reading's plausibility counted, each
// of them was taken as UTF-8; with the scripts and the marks alone, 31 of these 500 were. What
// is left are the texts whose UTF-8 reading is a Latin letter before an ASCII letter that some
// European word has too ("ﾅ枴" reads "Şi", Romanian for "and"; "ﾃ芳" reads "ÖF"): 19 of 500
// measured here.
TEST(ReadingPlausibility, ShortShiftJisTextsValidAsUtf8) {
    TRandomText random;
    const char* const fillers[] = {"abc", " ", "1", "OK", "."};
    TMisreads shiftJis;
    int generated = 0;
    while (shiftJis.Texts < 500) {
        std::string bytes;
        std::string shown;
        for (std::size_t units = random.Pick(1, 3); units > 0; --units) {
            const char katakana = static_cast<char>(random.Pick(0xA6, 0xDF));
            const TKanji& kanji = random.Kanji();
            bytes += katakana + kanji.Sjis;
            shown += *ReadAs(std::string(1, katakana), "CP932") + kanji.Utf8;
            if (random.Pick(0, 9) < 3) {
                const char* filler = fillers[random.Pick(0, 4)];
                bytes += filler;
                shown += filler;
            }
        }
        ++generated;
        if (!IsUtf8(bytes))
            continue;
        shiftJis.Count(DetectEncoding(bytes) != TTextEncoding::ShiftJis, shown);
    }
    std::printf("Shift_JIS texts: %d generated, %s\n", generated, shiftJis.Report().c_str());
    EXPECT_LE(shiftJis.Misread * 100, shiftJis.Texts * 5) << shiftJis.Report();
}

// Japanese words saved as UTF-8 are valid CP932 surprisingly often (a three-byte character's
// first two bytes are a level-2 kanji in CP932); European words are too ("café" is "cafﾃｩ").
// None of them may turn into Shift_JIS.
TEST(ReadingPlausibility, ShortUtf8TextsStayUtf8) {
    TRandomText random;
    TMisreads japanese;
    while (japanese.Texts < 500) {
        std::string word;
        for (std::size_t n = random.Pick(1, 4); n > 0; --n) {
            // Hiragana U+3041..U+3093 and katakana U+30A1..U+30F3 share the lead byte E3.
            const std::size_t kana =
                random.Pick(0, 1) ? random.Pick(0x3041, 0x3093) : random.Pick(0x30A1, 0x30F3);
            if (random.Pick(0, 9) < 3) {
                word += random.Kanji().Utf8;
            } else {
                word += static_cast<char>(0xE3);
                word += static_cast<char>(0x80 | ((kana >> 6) & 0x3F));
                word += static_cast<char>(0x80 | (kana & 0x3F));
            }
        }
        if (!ReadAs(word, "CP932"))
            continue;
        japanese.Count(DetectEncoding(word) != TTextEncoding::Utf8, word);
    }
    std::printf("Japanese UTF-8 words: %s\n", japanese.Report().c_str());
    EXPECT_EQ(japanese.Misread, 0) << japanese.Report();

    TMisreads european;
    for (const char* word :
         {"café",    "Größe",    "Ελληνικά",    "Русский язык", "à la carte",
          "naïve",   "é",        "Straße",      "Ça va",        "α",
          "€5",      "°C",       "±1",          "niño",         "São Paulo",
          "Œuvre",   "Ľubľana",  "Kraków",      "ÉCOLE",        "État",
          "Über",    "Ángel",    "Ørsted",      "Íslenska",     "Crème brûlée",
          "Zürich",  "Ærø",      "garçon",      "Fußgänger",    "Dvořák",
          "Łódź",    "İstanbul", "Brașov",      "καλημέρα",     "Ёлка",
          "déjà vu", "façade",   "smörgåsbord", "jalapeño",     "e\xCC\x81t\xC3\xA9"}) {
        const std::string bytes = word;
        european.Count(DetectEncoding(bytes) != TTextEncoding::Utf8, word);
    }
    EXPECT_EQ(european.Misread, 0) << european.Report();
}

// Each kind of evidence the UTF-8 reading gives, on texts valid both ways.
TEST(ReadingPlausibility, WhatMakesAUtf8ReadingImplausible) {
    EXPECT_TRUE(Utf8ReadingImplausible("\xCA\x95\\"));  // ʕ\ : IPA
    EXPECT_TRUE(Utf8ReadingImplausible("\xDC\x98h"));   // Syriac
    EXPECT_TRUE(Utf8ReadingImplausible("\xC2\x99g"));   // a C1 control
    EXPECT_TRUE(Utf8ReadingImplausible("\xD0\x97r"));   // Cyrillic glued to Latin
    EXPECT_TRUE(Utf8ReadingImplausible("\xC3\x95["));   // a letter before an ASCII symbol
    EXPECT_TRUE(
        Utf8ReadingImplausible("\xC5\x9F"
                               "A"));                   // lower case before upper case
    EXPECT_TRUE(Utf8ReadingImplausible("\xCC\x8Bz."));  // a combining mark after no letter
    EXPECT_TRUE(
        Utf8ReadingImplausible("\xC6\x9C"
                               "Q"));                  // Latin Extended-B
    EXPECT_TRUE(Utf8ReadingImplausible("\xC5\x93w"));  // œw: no European word has it
    EXPECT_TRUE(
        Utf8ReadingImplausible("\xC3\x9F"
                               "a"));  // ßa: no word begins with ß
    EXPECT_FALSE(
        Utf8ReadingImplausible("Gr\xC3\xB6\xC3\x9F"
                               "e"));  // Größe: ß inside a word
    // A name no word list has, among words that are known, leaves the text European.
    EXPECT_FALSE(
        Utf8ReadingImplausible("Gr\xC3\xB6\xC3\x9F"
                               "e \xC3\xA9t\xC3\xA9 \xC5\x93w"));
    EXPECT_FALSE(Utf8ReadingImplausible("e\xCC\x81t\xC3\xA9"));  // a combining acute after e
    EXPECT_FALSE(Utf8ReadingImplausible("Bra\xC8\x99ov"));       // Romanian ș
    EXPECT_FALSE(Utf8ReadingImplausible("\xE3\x81\x82"));        // あ
    EXPECT_FALSE(Utf8ReadingImplausible("caf\xC3"));             // a character cut at the end

    EXPECT_TRUE(ShiftJisReadingPlausible("\x95\x5C\xB1"));  // 表ｱ
    EXPECT_FALSE(ShiftJisReadingPlausible("\xF0\x40"));     // a user-defined character
    EXPECT_TRUE(ShiftJisReadingPlausible("\x81\xF0\x40"));  // F0 as a trail byte
}

// Real lines: every line of the examples (Japanese prose, notation, links, symbols, European
// words), each saved as UTF-8 and, where it has a form there, as Shift_JIS, detected alone.
TEST(ReadingPlausibility, EveryExampleLineEachWay) {
    TMisreads asUtf8;
    TMisreads asShiftJis;
    for (const auto& file : std::filesystem::directory_iterator(PORUKANO_EXAMPLES_DIR)) {
        std::ifstream in(file.path());
        for (std::string line; std::getline(in, line);) {
            if (!std::any_of(line.begin(), line.end(), [](char c) { return c & 0x80; }))
                continue;
            asUtf8.Count(DetectEncoding(line) != TTextEncoding::Utf8, line);
            const std::string sjis = TRandomText::Cp932(line);
            if (!sjis.empty())
                asShiftJis.Count(DetectEncoding(sjis) == TTextEncoding::Utf8, line);
        }
    }
    std::printf("example lines: UTF-8 %s; Shift_JIS %s\n", asUtf8.Report().c_str(),
                asShiftJis.Report().c_str());
    EXPECT_GT(asUtf8.Texts, 200);
    EXPECT_EQ(asUtf8.Misread, 0) << asUtf8.Report();
    EXPECT_EQ(asShiftJis.Misread, 0) << asShiftJis.Report();
}
