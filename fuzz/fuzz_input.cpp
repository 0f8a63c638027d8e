#include "fuzz/fuzz_input.h"

#include <algorithm>

std::uint8_t TFuzzInput::Byte() {
    return at_ < bytes_.size() ? static_cast<std::uint8_t>(bytes_[at_++]) : 0;
}

std::string TFuzzInput::Text(std::size_t maxLength) {
    const std::size_t wanted = maxLength == 0 ? 0 : Byte() % (maxLength + 1);
    const std::size_t length = std::min(wanted, bytes_.size() - at_);
    std::string text(bytes_.substr(at_, length));
    at_ += length;
    return text;
}

std::string_view TFuzzInput::Rest() {
    const std::string_view rest = bytes_.substr(at_);
    at_ = bytes_.size();
    return rest;
}
