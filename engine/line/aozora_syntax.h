// What one Aozora Bunko annotation says: the text between "［＃" and "］" read as a command
// (a page break, an indentation, a style for a referenced phrase or a range, a character named
// by number, an escaped mark), or as a note the program does not know.
#pragma once

#include <string>
#include <string_view>

enum class TAozoraKind : unsigned char {
    Unknown,  // a note for the reader, or a form not read here: stays visible
    Escape,   // 始め二重山括弧, 終わり二重山括弧, 縦線: Literal is the mark itself
    Character,   // a character named by JIS X 0213 plane-row-cell or U+XXXX: Characters
    PageBreak,   // 改ページ, 改丁, 改段, 改見開き
    Indent,      // N字下げ: this line, Amount em
    IndentFrom,  // ここからN字下げ (Wrap -1), or with 、折り返してM字下げ (Wrap M)
    AlignEnd,    // 地付き (Amount 0), 地からN字上げ: the rest of the line
    AlignEndFrom,  // ここから地付き, ここから地からN字上げ
    StyleFrom,  // ここから太字, ここから斜体: Style (Bold or Italic) up to the block's end
    SizeFrom,  // ここからN段階小さな文字 (Amount -N), ここからN段階大きな文字 (Amount N)
    BlockEnd,  // ここで字下げ終わり, ここで地付き終わり, ここで字上げ終わり, ここで太字終わり, ...
    Reference,      // 「Target」に傍点, 「Target」は大見出し, ...: Style on Target
    RubyReference,  // 「Target」に「Ruby」のルビ (also の注記)
    RangeStart,     // 傍点, 太字, 大見出し, ...: Style up to the matching end
    RangeEnd,       // 傍点終わり, ...
    ReturnMark,     // 返り点 (レ, 一, 上レ ...): Literal is the mark
    ReadingMark,    // 訓点送り仮名 "（ニ）": Literal is the kana
};

// The styles an annotation gives a phrase; StyleTags gives their elements.
enum class TAozoraStyle : unsigned char {
    Sesame,
    WhiteSesame,
    BlackCircle,
    WhiteCircle,
    BlackTriangle,
    WhiteTriangle,
    DoubleCircle,
    FishEye,
    Cross,
    SolidLine,
    DoubleLine,
    ChainLine,
    DashedLine,
    WavyLine,
    Bold,
    Italic,
    Upright,
    LargeHeading,
    MediumHeading,
    SmallHeading,
    LargeHeadingSameLine,
    MediumHeadingSameLine,
    SmallHeadingSameLine,
    LargeHeadingWindow,
    MediumHeadingWindow,
    SmallHeadingWindow,
};

struct TAozoraAnnotation {
    TAozoraKind Kind = TAozoraKind::Unknown;
    TAozoraStyle Style = TAozoraStyle::Sesame;
    int Amount = 0;     // characters (em) of an indentation or of the space kept at the line's end
    int Wrap = -1;      // the indentation of the lines' continuations, -1 when as the first
    bool Left = false;  // dots or a line on the other side ("の左に", "左に"): IsSideStyle only
    std::string_view Target;   // the referenced phrase, inside the annotation's text
    std::string_view Ruby;     // the reading of a RubyReference, inside the annotation's text
    std::string_view Literal;  // an Escape's mark, a ReturnMark's or ReadingMark's text (Shift_JIS)
    std::u32string Characters;  // a Character's code points (two for a few JIS X 0213 ones)
};

// Reads the text between "［＃" and "］" (Shift_JIS, as the line holds it). marked says whether
// "※" stands right before the annotation, as it does before a character named by number; only
// then is a number read as a character.
// Example: ParseAozoraAnnotation("「猫」に傍点", false) gives a Reference to "猫", Style Sesame.
TAozoraAnnotation ParseAozoraAnnotation(std::string_view content, bool marked);

// True for the styles of dots and lines beside the characters, which "左に" moves to the other
// side.
bool IsSideStyle(TAozoraStyle style);

// The opening and closing tags of a style; Block for the headings.
struct TAozoraTags {
    std::string_view Open;
    std::string_view Close;
    bool Block = false;
};
TAozoraTags StyleTags(TAozoraStyle style);
