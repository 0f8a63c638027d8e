// The bytes of one fuzz input, read front to back: single bytes that choose settings, short
// length-prefixed texts, and the rest. Reading past the end gives zeros and empty texts, so every
// input, however short, is a valid case.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class TFuzzInput {
  public:
    TFuzzInput(const std::uint8_t* data, std::size_t size)
        : bytes_(reinterpret_cast<const char*>(data), size) {}

    // The next byte, 0 past the end.
    std::uint8_t Byte();
    // A text of at most maxLength bytes, its length given by the next byte.
    std::string Text(std::size_t maxLength);
    // Everything not read yet.
    std::string_view Rest();

  private:
    std::string_view bytes_;
    std::size_t at_ = 0;
};
