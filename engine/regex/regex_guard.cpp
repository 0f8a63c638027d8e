#include "engine/regex/regex_guard.h"

#include "engine/text/text_helpers.h"

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsQuantifierStart(char c) {
    return c == '*' || c == '+' || c == '?' || c == '{';
}

// Walks an expression the way the engine's Perl syntax reads it, copying it to the output and
// adding check points where they cannot change its meaning. A double-byte character is always
// taken whole: its second byte may have the value of "\", "[", "{" or "|".
class TCheckPointWriter {
  public:
    explicit TCheckPointWriter(std::string_view e) : e_(e) { out_.reserve(e.size() * 2 + 16); }

    // False when the expression holds something this walk does not rewrite.
    bool Run() {
        while (i_ < e_.size()) {
            if (!Step())
                return false;
        }
        return true;
    }

    const std::string& Out() const { return out_; }

  private:
    char At(std::size_t i) const { return i < e_.size() ? e_[i] : '\0'; }

    // Copies one character (two bytes for a double-byte one) from position i.
    void CopyCharacter() {
        const std::size_t width = IsLeadByte(static_cast<unsigned char>(e_[i_])) ? 2 : 1;
        const std::size_t end = std::min(i_ + width, e_.size());
        out_.append(e_, i_, end - i_);
        i_ = end;
    }

    void Copy(std::size_t count) {
        const std::size_t end = std::min(i_ + count, e_.size());
        out_.append(e_, i_, end - i_);
        i_ = end;
    }

    // A check point here, unless the next token is a quantifier: it would then apply to the
    // check point instead of what it followed.
    void CheckPoint() {
        if (!IsQuantifierStart(At(i_)))
            out_ += kRegexCheckPoint;
    }

    // "{n}", "{n,}" or "{n,m}" at position i: its length, or 0 when the brace is a literal.
    std::size_t QuantifierBraceLength(std::size_t i) const {
        std::size_t j = i + 1;
        const std::size_t digits = j;
        while (IsDigit(At(j)))
            ++j;
        if (j == digits)
            return 0;
        if (At(j) == ',') {
            ++j;
            while (IsDigit(At(j)))
                ++j;
        }
        return At(j) == '}' ? j + 1 - i : 0;
    }

    bool Step() {
        const char c = e_[i_];
        switch (c) {
            case '\\':
                return Escape();
            case '[':
                return CharacterClass();
            case '(':
                return Group();
            case '|':
                Copy(1);
                CheckPoint();
                return true;
            case '*':
            case '+':
            case '?':
                Quantifier(1);
                return true;
            case '{':
                if (const std::size_t length = QuantifierBraceLength(i_)) {
                    Quantifier(length);
                } else {
                    Copy(1);
                }
                return true;
            default:
                CopyCharacter();
                return true;
        }
    }

    // A quantifier of the given length with its lazy "?" or possessive "+" mark; the check point
    // behind it runs each time the search comes back to what the quantifier repeats.
    void Quantifier(std::size_t length) {
        Copy(length);
        if (At(i_) == '?' || At(i_) == '+')
            Copy(1);
        CheckPoint();
    }

    bool Escape() {
        const char next = At(i_ + 1);
        if (next == 'Q') {
            // Everything up to "\E" (or the end) is literal text.
            const std::size_t end = e_.find("\\E", i_ + 2);
            Copy(end == std::string_view::npos ? e_.size() - i_ : end + 2 - i_);
            return true;
        }
        if (next >= '1' && next <= '9' && !IsDigit(At(i_ + 2))) {
            // A back-reference compares a whole capture: a check point in front of each
            // comparison, inside a group so that a quantifier after it still applies to both.
            out_ += "(?:";
            out_ += kRegexCheckPoint;
            Copy(2);
            out_ += ')';
            return true;
        }
        Copy(1);  // the backslash
        if (i_ >= e_.size())
            return true;
        const bool control = e_[i_] == 'c';
        CopyCharacter();
        if (control && i_ < e_.size())
            CopyCharacter();  // "\cX" names a control character by the character after it
        return true;
    }

    // Copies a character class whole. A "[" inside counts as a nested class, which may make the
    // class look longer than the engine reads it but never shorter, so no check point can land
    // inside one.
    bool CharacterClass() {
        Copy(1);
        if (At(i_) == '^')
            Copy(1);
        if (At(i_) == ']')
            Copy(1);  // a "]" right at the start is a member
        int depth = 1;
        while (i_ < e_.size() && depth > 0) {
            const char c = e_[i_];
            if (c == '\\') {
                if (At(i_ + 1) == 'Q')
                    return false;
                Copy(1);
                if (i_ < e_.size())
                    CopyCharacter();
                continue;
            }
            if (c == '[')
                ++depth;
            if (c == ']')
                --depth;
            CopyCharacter();
        }
        return true;
    }

    bool Group() {
        const char next = At(i_ + 1);
        if (next == '*')
            return false;  // a callout of name
        if (next != '?') {
            Copy(1);
            CheckPoint();
            return true;
        }
        const char kind = At(i_ + 2);
        switch (kind) {
            case '{':
                return false;  // a callout of contents
            case '#':
                Comment();
                return true;
            case ':':
            case '=':
            case '!':
            case '>':
                Copy(3);
                CheckPoint();
                return true;
            case '<':
                if (At(i_ + 3) == '=' || At(i_ + 3) == '!') {
                    Copy(4);
                    CheckPoint();
                } else {
                    Copy(3);
                }
                return true;
            case '(':
                Condition();
                return true;
            default:
                return Options();
        }
    }

    // "(?#...)": up to the first ")" that no backslash escapes.
    void Comment() {
        Copy(3);
        while (i_ < e_.size() && e_[i_] != ')') {
            if (e_[i_] == '\\')
                Copy(1);
            if (i_ < e_.size())
                CopyCharacter();
        }
        Copy(1);
    }

    // "(?(" condition ")": the condition names a group and is copied as it is; the branches
    // after it are walked as usual.
    void Condition() {
        Copy(3);
        while (i_ < e_.size() && e_[i_] != ')')
            CopyCharacter();
        Copy(1);
    }

    // "(?imsx-imsx:" opens a group; "(?imsx)" only switches options. Anything else after "(?"
    // is copied and the walk goes on behind it.
    bool Options() {
        std::size_t j = i_ + 2;
        while ((At(j) >= 'a' && At(j) <= 'z') || (At(j) >= 'A' && At(j) <= 'Z') || At(j) == '-')
            ++j;
        if (At(j) == ':') {
            Copy(j + 1 - i_);
            CheckPoint();
        } else {
            Copy(2);
        }
        return true;
    }

    std::string_view e_;
    std::size_t i_ = 0;
    std::string out_;
};

std::string PerAttempt(std::string_view expression) {
    std::string form(kRegexCheckPoint);
    form += "(?:";
    form += expression;
    form += ')';
    return form;
}

}  // namespace

std::string AddRegexCheckPoints(std::string_view expression) {
    TCheckPointWriter writer(expression);
    if (!writer.Run())
        return {};
    return PerAttempt(writer.Out());
}

std::vector<std::string> RegexCompileForms(std::string_view expression) {
    std::vector<std::string> forms;
    std::string checked = AddRegexCheckPoints(expression);
    if (!checked.empty())
        forms.push_back(std::move(checked));
    forms.push_back(PerAttempt(expression));
    forms.push_back(std::string(kRegexCheckPoint) + std::string(expression));
    forms.emplace_back(expression);
    return forms;
}
