#include "linux/prefixes/KeyValues.h"

#include <utility>

#include "text/Text.h"

namespace galemend {

namespace {

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i])) {
            return false;
        }
    }
    return true;
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

struct Token {
    enum class Kind { End, Text, Open, Close, Condition };
    Kind kind = Kind::End;
    std::string text;  // Text: the string, escapes resolved for a quoted one
    bool quoted = false;
    std::size_t line = 0;
};

// Thrown inside the parser only; ParseKeyValues hands it back as a value.
struct Failure {
    KeyValuesError error;
};

[[noreturn]] void Fail(std::size_t line, std::string reason) {
    throw Failure{KeyValuesError{line, std::move(reason)}};
}

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

class Parser {
  public:
    explicit Parser(std::string_view text) : text_(text) {
        if (text_.substr(0, 3) == "\xEF\xBB\xBF") {
            at_ = 3;
        }
    }

    // The entries of a section (depth >= 1, opened on `line` by `key`) or of the whole text
    // (depth 0), up to the brace that closes the section or the end of the text.
    std::vector<KeyValue> Entries(std::size_t depth, std::size_t line, std::string_view key) {
        std::vector<KeyValue> entries;
        bool conditionMayFollow = false;
        for (;;) {
            Token token = Next();
            switch (token.kind) {
                case Token::Kind::End:
                    if (depth > 0) {
                        Fail(line, "the section " + Quoted(key) + " is never closed");
                    }
                    return entries;
                case Token::Kind::Close:
                    if (depth == 0) {
                        Fail(token.line, "a } that closes no section");
                    }
                    return entries;
                case Token::Kind::Open:
                    Fail(token.line, "a { with no key before it");
                case Token::Kind::Condition:
                    if (!conditionMayFollow) {
                        Fail(token.line,
                             "the condition " + token.text + " follows no key or value");
                    }
                    conditionMayFollow = false;
                    break;
                case Token::Kind::Text:
                    if (depth == 0 && !token.quoted &&
                        (EqualIgnoringAsciiCase(token.text, "#include") ||
                         EqualIgnoringAsciiCase(token.text, "#base"))) {
                        if (Next().kind != Token::Kind::Text) {
                            Fail(token.line, token.text + " names no file");
                        }
                        conditionMayFollow = false;
                        break;
                    }
                    entries.push_back(Entry(std::move(token), depth));
                    conditionMayFollow = !entries.back().section;
                    break;
            }
        }
    }

  private:
    // The pair or section that the key starts.
    KeyValue Entry(Token key, std::size_t depth) {
        KeyValue entry;
        entry.key = std::move(key.text);
        Token next = Next();
        if (next.kind == Token::Kind::Condition) {
            next = Next();
        }
        if (next.kind == Token::Kind::Text) {
            entry.value = std::move(next.text);
        } else if (next.kind == Token::Kind::Open) {
            if (depth + 1 > kKeyValuesMaxDepth) {
                Fail(next.line,
                     "sections nested deeper than " + std::to_string(kKeyValuesMaxDepth));
            }
            entry.section = true;
            entry.children = Entries(depth + 1, next.line, entry.key);
        } else {
            Fail(key.line, Quoted(entry.key) + " has no value");
        }
        return entry;
    }

    // Skips white space and comments, counting lines.
    void SkipBlanks() {
        while (at_ < text_.size()) {
            const char c = text_[at_];
            if (c == '/' && text_.substr(at_, 2) == "//") {
                const std::size_t end = text_.find('\n', at_);
                at_ = end == std::string_view::npos ? text_.size() : end;
            } else if (IsSpace(c)) {
                line_ += c == '\n';
                ++at_;
            } else {
                return;
            }
        }
    }

    Token Next() {
        SkipBlanks();
        Token token;
        token.line = line_;
        if (at_ == text_.size()) {
            return token;
        }
        const char c = text_[at_];
        if (c == '{' || c == '}') {
            ++at_;
            token.kind = c == '{' ? Token::Kind::Open : Token::Kind::Close;
        } else if (c == '"') {
            token.kind = Token::Kind::Text;
            token.quoted = true;
            token.text = QuotedText();
        } else if (c == '[') {
            const std::size_t end = text_.find_first_of("]\n", at_);
            if (end == std::string_view::npos || text_[end] != ']') {
                Fail(line_, "a condition with no ]");
            }
            token.kind = Token::Kind::Condition;
            token.text = text_.substr(at_, end + 1 - at_);
            at_ = end + 1;
        } else {
            const std::size_t begin = at_;
            while (at_ < text_.size() && !IsSpace(text_[at_]) && text_[at_] != '"' &&
                   text_[at_] != '{' && text_[at_] != '}') {
                ++at_;
            }
            token.kind = Token::Kind::Text;
            token.text = text_.substr(begin, at_ - begin);
        }
        return token;
    }

    // The string whose opening quote is at the current position, up to its closing quote.
    std::string QuotedText() {
        const std::size_t opened = line_;
        std::string text;
        for (++at_; at_ < text_.size(); ++at_) {
            const char c = text_[at_];
            if (c == '"') {
                ++at_;
                return text;
            }
            line_ += c == '\n';
            if (c != '\\' || at_ + 1 == text_.size()) {
                text += c;
                continue;
            }
            const char escaped = text_[at_ + 1];
            if (escaped == '\\' || escaped == '"') {
                text += escaped;
            } else if (escaped == 'n') {
                text += '\n';
            } else if (escaped == 't') {
                text += '\t';
            } else {
                // Kept as the two characters: the backslash now, the next byte as any other.
                text += c;
                continue;
            }
            ++at_;
        }
        Fail(opened, "a quoted string that is never closed");
    }

    std::string_view text_;
    std::size_t at_ = 0;
    std::size_t line_ = 1;
};

void AppendQuoted(std::string_view text, std::string& out) {
    out += '"';
    for (const char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '"':
                out += "\\\"";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                out += c;
        }
    }
    out += '"';
}

void Write(const std::vector<KeyValue>& entries, std::size_t depth, std::string& out) {
    for (const KeyValue& entry : entries) {
        out.append(depth, '\t');
        AppendQuoted(entry.key, out);
        if (entry.section) {
            out += '\n';
            out.append(depth, '\t');
            out += "{\n";
            Write(entry.children, depth + 1, out);
            out.append(depth, '\t');
            out += "}\n";
        } else {
            out += "\t\t";
            AppendQuoted(entry.value, out);
            out += '\n';
        }
    }
}

}  // namespace

const KeyValue* KeyValue::Find(std::string_view wanted) const {
    for (const KeyValue& child : children) {
        if (EqualIgnoringAsciiCase(child.key, wanted)) {
            return &child;
        }
    }
    return nullptr;
}

std::variant<std::vector<KeyValue>, KeyValuesError> ParseKeyValues(std::string_view text) {
    try {
        return Parser(text).Entries(0, 1, {});
    } catch (Failure& failure) {
        return std::move(failure.error);
    }
}

std::string WriteKeyValues(const std::vector<KeyValue>& entries) {
    std::string out;
    Write(entries, 0, out);
    return out;
}

}  // namespace galemend
