#include "katakana.h"

std::string WidenKatakana(std::string_view text) {
    return std::string(text);
}
