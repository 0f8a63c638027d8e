// The texts of folder trees for a batch conversion: every file under the folders whose name
// matches a pattern, each with the page it becomes, sorted so that the run's messages and list
// come out the same every time.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// One text of a batch and its page (native paths). A file with a refusal is not converted: the
// run lists it as failed with that message (Shift_JIS), as it does a folder that cannot be read.
struct TBatchFile {
    std::string Text;
    std::string Page;
    std::uintmax_t Bytes = 0;
    std::string Refusal;
};

struct TTreeRequest {
    std::vector<std::string> Folders;  // native paths, walked in this order
    // Shell patterns (fnmatch) on the file name alone; "*.txt" when there is none. A name
    // beginning with "." is matched like any other.
    std::vector<std::string> Patterns;
    // Empty: each page beside its text. Otherwise the pages go into a tree under this folder
    // that mirrors the inside of each folder walked ("DIR/a/b.txt" gives "OUT/a/b.htm"); the
    // folder itself is never walked when it lies inside one of the folders.
    std::string OutFolder;
    // The page of a text path, by the program's naming rule ("x.txt" gives "x.htm").
    std::function<std::string(const std::string&)> PageOf;
};

// The texts of request.Folders, each folder's sorted by path (bytes), the folders in their
// order; a text reached twice is listed once. Links to folders are not followed, links to files
// are. A file that is the page of another listed text is no text of the run; a text whose page
// another text already claims is refused. A folder (given or met inside) that cannot be read is
// listed as a refused entry with the folder as its text.
std::vector<TBatchFile> ListTreeTexts(const TTreeRequest& request);

// Refuses every file whose page an earlier file of the list already writes: jobs at once would
// write one page together.
void RefuseSharedPages(std::vector<TBatchFile>& files);
