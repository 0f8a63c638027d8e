// Lines after their stages, stored flat for handing to another thread: each line's plain text and
// tag records go one after another into a few buffers. A line object for each line would scatter
// its many small buffers over memory: a batch of 6,000 lines held that way took 12 MB, and the
// conversion did three times the work.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class THtmlCnv;

class TStagedLines {
  public:
    void Clear();
    std::size_t Size() const { return lines_.size(); }

    // Stores line's plain text and tags as the next line.
    void Append(const THtmlCnv& line);
    // Makes line what the k-th line stored (from 0) was when it was stored, without its raw line
    // (empty) and outside any nesting (THtmlCnv::P_NestElements may follow).
    void LoadInto(std::size_t k, THtmlCnv& line) const;

  private:
    struct TTag {
        std::int32_t Pos;
        std::int32_t Slot;
        std::uint32_t TextSize;  // the record's iLen too
    };
    struct TLine {
        std::size_t PlainEnd;
        std::size_t TagsEnd;
        std::size_t TagTextEnd;
        std::int32_t LastPos;
        std::int32_t SlotsBefore;
        std::int32_t SlotsAfter;
        bool Ascending;
    };

    std::string plain_;
    std::string tagText_;
    std::vector<TTag> tags_;
    std::vector<TLine> lines_;
};
