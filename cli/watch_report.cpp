#include "cli/watch_report.h"

#include <ctime>

namespace {

std::string TimeOfDay() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    return std::string(text, std::strftime(text, sizeof text, "%H:%M:%S", &local));
}

}  // namespace

void TWatchReport::Converted(const std::string& file, bool ok) {
    err_ << "porukano-cli: " << TimeOfDay() << ' ';
    if (japanese_)
        err_ << file << (ok ? " を変換しました" : " の変換に失敗しました");
    else
        err_ << (ok ? "converted " : "could not convert ") << file;
    err_ << std::endl;
}

void TWatchReport::Ended() {
    err_ << "porukano-cli: " << (japanese_ ? "監視を終えます" : "watch ended") << std::endl;
}
