// The lines porukano-cli --watch writes on standard error: one for each conversion, with the time
// of day and the file, in Japanese or English as the help is; the failure's own message comes
// before its line.
#pragma once

#include <ostream>
#include <string>

class TWatchReport {
  public:
    TWatchReport(std::ostream& err, bool japanese) : err_(err), japanese_(japanese) {}

    // "porukano-cli: 12:34:56 a.txt を変換しました" or "... a.txt の変換に失敗しました".
    void Converted(const std::string& file, bool ok);
    // The last line, when an interrupt ended the watch.
    void Ended();

  private:
    std::ostream& err_;
    bool japanese_;
};
