// Half-width katakana to full-width katakana.
#pragma once

#include <string>
#include <string_view>

// Widens every half-width katakana sequence (voiced and semi-voiced forms combined).
std::string WidenKatakana(std::string_view text);
