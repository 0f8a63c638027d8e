#include "cli/tree_report.h"

#include <cstdio>

namespace {

std::string Megabytes(std::uintmax_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", static_cast<double>(bytes) / 1e6);
    return text;
}

}  // namespace

std::string TreeProgressText(const TBatchProgress& progress, bool japanese) {
    return " " + std::to_string(progress.FilesDone) + "/" + std::to_string(progress.Files) +
           (japanese ? " ファイル, " : " files, ") + Megabytes(progress.BytesDone) + "/" +
           Megabytes(progress.Bytes) + " MB";
}

void TTreeReport::ListBegins(const TBatchCounts& counts) {
    if (counts.Failed == 0)
        return;
    err_ << "porukano-cli: ";
    if (japanese_)
        err_ << "変換できなかったファイル（" << counts.Failed << " 個、変換したファイル "
             << counts.Converted << " 個）:\n";
    else
        err_ << counts.Failed << " file(s) could not be converted (" << counts.Converted
             << " converted):\n";
}

void TTreeReport::FailedFile(const std::string& file) {
    err_ << "porukano-cli: " << (japanese_ ? "変換できませんでした: " : "not converted: ") << file
         << '\n';
}

void TTreeReport::Interrupted(int cancelled) {
    if (cancelled == 0)
        return;
    err_ << "porukano-cli: "
         << (japanese_ ? "中断しました。変換しなかったファイル: " : "interrupted; files left: ")
         << cancelled << '\n';
}
