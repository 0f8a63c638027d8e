#include "settings/profile_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <unordered_map>
#include <vector>

#include "engine/text/encoding.h"
#include "engine/text/text_helpers.h"

namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

// The end of the line that starts at pos: its first CR or LF, or the end of text.
std::size_t LineEnd(std::string_view text, std::size_t pos) {
    const char* data = text.data();
    std::size_t end = pos;
    while (end < text.size() && data[end] != '\n' && data[end] != '\r')
        ++end;
    return end;
}

// The start of the line after the one ending at end: past CR LF, LF or a lone CR.
std::size_t NextLine(std::string_view text, std::size_t end) {
    if (end >= text.size())
        return end;
    return end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
}

// The value of a "key=value" line as the Windows readers return it.
std::string ValueOfLine(std::string_view line) {
    const std::size_t eq = line.find('=');
    std::string_view value = TrimBlanks(line.substr(eq + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    if (value.size() > kProfileValueLimit) {
        // Cut before a double-byte character that would lose its second byte.
        std::size_t end = 0;
        while (end < kProfileValueLimit) {
            const std::size_t width = IsLeadByte(static_cast<unsigned char>(value[end])) ? 2 : 1;
            if (end + width > kProfileValueLimit)
                break;
            end += width;
        }
        value = value.substr(0, end);
    }
    return std::string(value);
}

// The key of a line, lower-cased; empty when the line is no entry (blank, comment, no "=").
std::string KeyOfLine(std::string_view line) {
    const std::string_view trimmed = TrimBlanks(line);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '[')
        return {};
    const std::size_t eq = trimmed.find('=');
    if (eq == std::string_view::npos)
        return {};
    return Lower(TrimBlanks(trimmed.substr(0, eq)));
}

// A value as it must be written to read back unchanged: one line, quoted where reading would
// drop blanks or enclosing quotes.
std::string WritableValue(std::string_view value) {
    std::string out(value);
    std::replace(out.begin(), out.end(), '\r', ' ');
    std::replace(out.begin(), out.end(), '\n', ' ');
    const bool needsQuotes =
        !out.empty() && (IsBlank(out.front()) || IsBlank(out.back()) ||
                         (out.size() >= 2 && (out.front() == '"' || out.front() == '\'') &&
                          out.back() == out.front()));
    return needsQuotes ? '"' + out + '"' : out;
}

}  // namespace

struct TProfileFile::TImpl {
    struct TEntry {
        std::size_t Begin = kNone;  // line in Content; kNone for a key added by a write
        std::size_t End = kNone;    // end of the line, without its line break
        std::string NewLine;        // the whole line once written
    };
    struct TSection {
        std::string Name;               // as written, for a section added by a write
        std::size_t BodyBegin = kNone;  // kNone for a section added by a write
        std::size_t BodyEnd = kNone;
        std::size_t InsertAt = kNone;   // after the last non-blank line and its line break
        bool InsertNeedsBreak = false;  // that line ends the file without a line break
        bool Indexed = false;
        std::unordered_map<std::string, TEntry> Keys;
        std::vector<std::string> Added;  // lower-cased keys added by writes, in order
    };

    std::string Prefix;  // bytes written before Content (a byte-order mark kept as it was)
    std::string Content;
    std::vector<TSection> Sections;  // first section of each name, in file order, then new ones
    std::unordered_map<std::string, std::size_t> ByName;

    void Clear() {
        Prefix.clear();
        Content.clear();
        Sections.clear();
        ByName.clear();
    }

    void ParseSections() {
        const std::string_view text = Content;
        TSection* current = nullptr;
        TSection scratch;  // duplicates of a section name: read past, never indexed
        std::size_t pos = 0;
        while (pos < text.size()) {
            const std::size_t end = LineEnd(text, pos);
            const std::size_t next = NextLine(text, end);
            const std::string_view line = TrimBlanks(text.substr(pos, end - pos));
            if (!line.empty() && line.front() == '[') {
                if (current)
                    current->BodyEnd = pos;
                std::string_view name = line.substr(1);
                name = TrimBlanks(name.substr(0, name.find(']')));
                const auto [it, added] = ByName.try_emplace(Lower(name), Sections.size());
                if (added) {
                    Sections.emplace_back();
                    current = &Sections.back();
                } else {
                    scratch = TSection{};
                    current = &scratch;
                }
                current->BodyBegin = next;
            }
            if (current && !line.empty()) {
                current->InsertAt = next;
                current->InsertNeedsBreak = next == end;
            }
            pos = next;
        }
        if (current)
            current->BodyEnd = text.size();
    }

    void Index(TSection& section) {
        if (section.Indexed)
            return;
        section.Indexed = true;
        if (section.BodyBegin == kNone)
            return;
        const std::string_view text = Content;
        std::size_t pos = section.BodyBegin;
        while (pos < section.BodyEnd) {
            const std::size_t end = std::min(LineEnd(text, pos), section.BodyEnd);
            std::string key = KeyOfLine(text.substr(pos, end - pos));
            if (!key.empty())
                section.Keys.try_emplace(std::move(key), TEntry{pos, end, {}});
            pos = NextLine(text, end);
        }
    }

    TSection* FindSection(std::string_view name) {
        const auto it = ByName.find(Lower(TrimBlanks(name)));
        if (it == ByName.end())
            return nullptr;
        TSection& section = Sections[it->second];
        Index(section);
        return &section;
    }

    const TEntry* FindEntry(std::string_view section, std::string_view key) {
        TSection* s = FindSection(section);
        if (!s)
            return nullptr;
        const auto it = s->Keys.find(Lower(TrimBlanks(key)));
        return it == s->Keys.end() ? nullptr : &it->second;
    }

    std::string_view LineOf(const TEntry& entry) const {
        if (entry.Begin == kNone || !entry.NewLine.empty())
            return entry.NewLine;
        return std::string_view(Content).substr(entry.Begin, entry.End - entry.Begin);
    }
};

TProfileFile::TProfileFile() : impl_(std::make_unique<TImpl>()) {}
TProfileFile::~TProfileFile() = default;
TProfileFile::TProfileFile(TProfileFile&&) noexcept = default;
TProfileFile& TProfileFile::operator=(TProfileFile&&) noexcept = default;

TProfileOpenResult TProfileFile::Load(const std::string& path) {
    impl_->Clear();
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return errno == ENOENT || errno == ENOTDIR ? TProfileOpenResult::Missing
                                                   : TProfileOpenResult::Unreadable;
    }
    // A device, a pipe or a huge file is no settings file: never read it (it may never end).
    if (!S_ISREG(info.st_mode) || static_cast<std::uintmax_t>(info.st_size) > kProfileFileSizeLimit)
        return TProfileOpenResult::Unreadable;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return TProfileOpenResult::Unreadable;
    std::string content(static_cast<std::size_t>(info.st_size), '\0');
    file.read(content.data(), static_cast<std::streamsize>(content.size()));
    // A file that shrank while being read keeps what was there.
    content.resize(static_cast<std::size_t>(file.gcount()));
    if (file.bad())
        return TProfileOpenResult::Unreadable;
    Parse(std::move(content));
    return TProfileOpenResult::Opened;
}

void TProfileFile::Parse(std::string content) {
    impl_->Clear();
    if (std::string_view(content).substr(0, kUtf8Bom.size()) == kUtf8Bom) {
        // Written by a UTF-8 editor: read it as UTF-8; when it is not, keep the bytes as they are.
        if (auto sjis = Utf8ToSjis(std::string_view(content).substr(kUtf8Bom.size()))) {
            content = *std::move(sjis);
        } else {
            impl_->Prefix = kUtf8Bom;
            content.erase(0, kUtf8Bom.size());
        }
    }
    impl_->Content = std::move(content);
    impl_->ParseSections();
}

std::optional<std::string> TProfileFile::Find(std::string_view section,
                                              std::string_view key) const {
    const TImpl::TEntry* entry = impl_->FindEntry(section, key);
    if (!entry)
        return std::nullopt;
    return ValueOfLine(impl_->LineOf(*entry));
}

std::string TProfileFile::ReadString(std::string_view section, std::string_view key,
                                     std::string_view fallback) const {
    std::optional<std::string> value = Find(section, key);
    return value ? *std::move(value) : std::string(fallback);
}

std::int32_t TProfileFile::ReadInteger(std::string_view section, std::string_view key,
                                       std::int32_t fallback) const {
    const std::optional<std::string> value = Find(section, key);
    std::int32_t number = fallback;
    if (!value || !ParseInteger(*value, number))
        return fallback;
    return number;
}

bool TProfileFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void TProfileFile::WriteString(std::string_view section, std::string_view key,
                               std::string_view value) {
    TImpl::TSection* s = impl_->FindSection(section);
    if (!s) {
        impl_->ByName.emplace(Lower(TrimBlanks(section)), impl_->Sections.size());
        impl_->Sections.emplace_back();
        s = &impl_->Sections.back();
        s->Name = TrimBlanks(section);
        s->Indexed = true;
    }
    std::string line = std::string(TrimBlanks(key)) + "=" + WritableValue(value);
    std::string lowerKey = Lower(TrimBlanks(key));
    const auto [it, added] = s->Keys.try_emplace(lowerKey);
    it->second.NewLine = std::move(line);
    if (added)
        s->Added.push_back(std::move(lowerKey));
}

void TProfileFile::WriteInteger(std::string_view section, std::string_view key,
                                std::int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void TProfileFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

std::string TProfileFile::Text() const {
    const std::string_view content = impl_->Content;
    std::string out = impl_->Prefix;
    out.reserve(content.size() + 4096);
    std::size_t cursor = 0;
    std::vector<const TImpl::TEntry*> replaced;
    for (const TImpl::TSection& s : impl_->Sections) {
        if (s.BodyBegin == kNone)
            continue;
        replaced.clear();
        for (const auto& [key, entry] : s.Keys) {
            if (entry.Begin != kNone && !entry.NewLine.empty())
                replaced.push_back(&entry);
        }
        std::sort(replaced.begin(), replaced.end(),
                  [](const auto* a, const auto* b) { return a->Begin < b->Begin; });
        for (const TImpl::TEntry* entry : replaced) {
            out.append(content.substr(cursor, entry->Begin - cursor));
            out.append(entry->NewLine);
            cursor = entry->End;
        }
        if (!s.Added.empty()) {
            out.append(content.substr(cursor, s.InsertAt - cursor));
            cursor = s.InsertAt;
            if (s.InsertNeedsBreak)
                out.append("\r\n");
            for (const std::string& key : s.Added)
                out.append(s.Keys.at(key).NewLine).append("\r\n");
        }
    }
    out.append(content.substr(cursor));
    for (const TImpl::TSection& s : impl_->Sections) {
        if (s.BodyBegin != kNone)
            continue;
        if (!out.empty() && out.back() != '\n' && out.back() != '\r')
            out.append("\r\n");
        out.append("[").append(s.Name).append("]\r\n");
        for (const std::string& key : s.Added)
            out.append(s.Keys.at(key).NewLine).append("\r\n");
    }
    return out;
}

bool TProfileFile::Save(const std::string& path, const TWriteChunk& write) const {
    return ReplaceFileAtomically(path, Text(), write);
}
