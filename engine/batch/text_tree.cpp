#include "engine/batch/text_tree.h"

#include <fnmatch.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <map>
#include <set>
#include <system_error>

#include "engine/base/file_paths.h"
#include "engine/text/encoding.h"
#include "engine/text/file_failure.h"

namespace fs = std::filesystem;

namespace {

std::string FolderReason(const std::error_code& ec, const std::string& path) {
    switch (ec.value()) {
        case ENOENT:
            return Sjis("フォルダーが存在しません。");
        case ENOTDIR:
            return Sjis("フォルダーではありません。");
        case EACCES:
        case EPERM:
            return Sjis("フォルダーを読み込む権限がありません。");
        default:
            return FileFailureReason(ec.value(), TFileUse::Read, path);
    }
}

TBatchFile UnreadableFolder(const std::string& path, const std::error_code& ec) {
    TBatchFile entry;
    entry.Text = path;
    entry.Refusal = Sjis("以下のフォルダーを読み込めません。\r\n\t") + PathForMessage(path) +
                    Sjis("\r\n理由: ") + FolderReason(ec, path);
    return entry;
}

bool NameMatches(const std::string& name, const std::vector<std::string>& patterns) {
    if (patterns.empty())
        return fnmatch("*.txt", name.c_str(), 0) == 0;
    return std::any_of(patterns.begin(), patterns.end(), [&](const std::string& pattern) {
        return fnmatch(pattern.c_str(), name.c_str(), 0) == 0;
    });
}

// A path in one spelling for comparisons: absolute, without "." steps or doubled separators.
std::string Spelling(const std::string& path) {
    return fs::path(AbsolutePath(path)).lexically_normal().string();
}

struct TFound {
    std::string Text;
    std::string Relative;  // below the folder walked
    std::uintmax_t Bytes = 0;
};

class TTreeWalk {
  public:
    TTreeWalk(const TTreeRequest& request, std::vector<TBatchFile>& refused)
        : request_(request), refused_(refused) {}

    // The matching files below root, appended to found; an unreadable folder to refused_.
    void Walk(const fs::path& root, std::vector<TFound>& found) {
        std::error_code ec;
        const fs::file_status status = fs::status(root, ec);
        if (!ec && !fs::exists(status))
            ec = std::make_error_code(std::errc::no_such_file_or_directory);
        else if (!ec && !fs::is_directory(status))
            ec = std::make_error_code(std::errc::not_a_directory);
        if (ec) {
            refused_.push_back(UnreadableFolder(root.string(), ec));
            return;
        }
        Visit(root, root, found);
    }

  private:
    bool IsOutFolder(const fs::path& folder) const {
        if (request_.OutFolder.empty())
            return false;
        std::error_code ec;
        return fs::equivalent(folder, request_.OutFolder, ec);
    }

    void Visit(const fs::path& root, const fs::path& folder, std::vector<TFound>& found) {
        std::error_code ec;
        fs::directory_iterator it(folder, ec);
        if (ec) {
            refused_.push_back(UnreadableFolder(folder.string(), ec));
            return;
        }
        std::vector<fs::directory_entry> entries;
        for (const fs::directory_iterator end; it != end; it.increment(ec)) {
            entries.push_back(*it);
        }
        if (ec)
            refused_.push_back(UnreadableFolder(folder.string(), ec));
        for (const fs::directory_entry& entry : entries) {
            // A link to a folder is not followed, so no loop can form; a link to a file is
            // that file's text.
            const bool link = entry.is_symlink(ec);
            if (!link && entry.is_directory(ec)) {
                if (!IsOutFolder(entry.path()))
                    Visit(root, entry.path(), found);
                continue;
            }
            if (!entry.is_regular_file(ec) ||
                !NameMatches(entry.path().filename().string(), request_.Patterns))
                continue;
            TFound file;
            file.Text = entry.path().string();
            file.Relative = entry.path().lexically_relative(root).string();
            file.Bytes = entry.file_size(ec);
            found.push_back(std::move(file));
        }
    }

    const TTreeRequest& request_;
    std::vector<TBatchFile>& refused_;
};

std::string PageFor(const TTreeRequest& request, const TFound& text) {
    if (request.OutFolder.empty())
        return request.PageOf(text.Text);
    return request.PageOf((fs::path(request.OutFolder) / text.Relative).string());
}

}  // namespace

std::vector<TBatchFile> ListTreeTexts(const TTreeRequest& request) {
    std::vector<TBatchFile> listed;
    std::set<std::string> seen;
    for (const std::string& folder : request.Folders) {
        std::vector<TBatchFile> refused;
        std::vector<TFound> found;
        TTreeWalk(request, refused).Walk(folder, found);
        std::sort(found.begin(), found.end(),
                  [](const TFound& a, const TFound& b) { return a.Text < b.Text; });
        listed.insert(listed.end(), refused.begin(), refused.end());
        for (const TFound& text : found) {
            if (!seen.insert(Spelling(text.Text)).second)
                continue;
            TBatchFile entry;
            entry.Text = text.Text;
            entry.Page = PageFor(request, text);
            entry.Bytes = text.Bytes;
            listed.push_back(std::move(entry));
        }
    }
    // The pages this run writes are no texts of it (a page of an earlier run that the patterns
    // happen to match, "*" say), and two texts never write one page.
    std::map<std::string, int> pageCount;
    for (const TBatchFile& entry : listed) {
        if (entry.Refusal.empty())
            ++pageCount[Spelling(entry.Page)];
    }
    std::vector<TBatchFile> texts;
    for (TBatchFile& entry : listed) {
        if (entry.Refusal.empty()) {
            const std::string text = Spelling(entry.Text);
            const auto claimed = pageCount.find(text);
            if (claimed != pageCount.end() &&
                claimed->second > (text == Spelling(entry.Page) ? 1 : 0))
                continue;
        }
        texts.push_back(std::move(entry));
    }
    RefuseSharedPages(texts);
    return texts;
}

void RefuseSharedPages(std::vector<TBatchFile>& files) {
    std::map<std::string, std::string> pageOwner;
    for (TBatchFile& entry : files) {
        if (!entry.Refusal.empty())
            continue;
        const auto [owner, first] = pageOwner.emplace(Spelling(entry.Page), entry.Text);
        if (!first) {
            entry.Refusal = Sjis("以下のファイルは変換しません。\r\n\t") +
                            PathForMessage(entry.Text) + Sjis("\r\n理由: ページ ") +
                            PathForMessage(entry.Page) + Sjis(" は ") +
                            PathForMessage(owner->second) + Sjis(" から作られます。");
        }
    }
}
