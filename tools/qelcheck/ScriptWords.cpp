#include "ScriptWords.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <set>
#include <utility>

namespace Qel::Check {

namespace {

const std::set<std::string_view> kKeywords{
    "and", "break", "do",  "else", "elseif", "end",    "false",  "for",  "function", "goto",  "if",
    "in",  "local", "nil", "not",  "or",     "repeat", "return", "then", "true",     "until", "while"};

bool isNameStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool isNamePart(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

/// Walks Lua source one token at a time, keeping the line count.
class Lexer {
public:
    explicit Lexer(std::string_view code) : code(code) {}

    std::vector<ScriptWord> run() {
        while (at < code.size()) {
            const char c = code[at];
            if (c == '\n') {
                ++line, ++at;
            } else if (std::isspace(static_cast<unsigned char>(c))) {
                ++at;
            } else if (code.substr(at, 2) == "--") {
                at += 2;
                if (!skipLongBracket()) skipTo('\n');
            } else {
                token(c);
            }
        }
        return std::move(words);
    }

private:
    void token(char c) {
        const size_t callee = std::exchange(argumentOf, kNone);
        if (c == '[' && skipLongBracket()) {
            value(true);
        } else if (c == '"' || c == '\'') {
            const size_t start = at;
            skipQuoted(c);
            if (callee != kNone && at - start >= 2)
                words[callee].firstString = std::string(code.substr(start + 1, at - start - 2));
            value(true);
        } else if (isNameStart(c)) {
            name();
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            skipNumber();
            value(false);
        } else {
            punctuation(c);
        }
    }

    /// At "[" followed by '='s and "[": skips to the matching close; false (not moved) otherwise.
    bool skipLongBracket() {
        if (at >= code.size() || code[at] != '[') return false;
        size_t level = 0;
        while (at + 1 + level < code.size() && code[at + 1 + level] == '=')
            ++level;
        if (at + 1 + level >= code.size() || code[at + 1 + level] != '[') return false;
        const std::string close = "]" + std::string(level, '=') + "]";
        const size_t end = code.find(close, at);
        const size_t stop = end == std::string_view::npos ? code.size() : end + close.size();
        countLines(at, stop);
        at = stop;
        return true;
    }

    void skipQuoted(char quote) {
        const size_t start = at++;
        while (at < code.size() && code[at] != quote && code[at] != '\n')
            at += code[at] == '\\' ? 2 : 1;
        at = std::min(at + 1, code.size());
        countLines(start, at);
    }

    void skipNumber() {
        while (at < code.size() &&
               (isNamePart(code[at]) || code[at] == '.' ||
                ((code[at] == '+' || code[at] == '-') && std::strchr("eEpP", code[at - 1]))))
            ++at;
    }

    void skipTo(char c) {
        while (at < code.size() && code[at] != c)
            ++at;
    }

    void countLines(size_t from, size_t to) {
        for (size_t i = from; i < to && i < code.size(); ++i)
            line += code[i] == '\n';
    }

    void name() {
        const size_t start = at;
        while (at < code.size() && isNamePart(code[at]))
            ++at;
        const std::string_view text = code.substr(start, at - start);
        const bool field = afterField;
        afterField = false;
        lastWord = kNone;
        if (kKeywords.contains(text)) {
            definer = text == "function" || text == "local" || text == "for";
            paramsNext = paramsNext || text == "function";
            listing = false;
            return;
        }
        if (!field) {
            words.push_back({std::string(text), line, definer || inParams, false, {}});
            lastWord = words.size() - 1;
        }
        listing = definer && !field;
        definer = false;
    }

    /// A string, a table or a parenthesis right after a name calls it.
    void value(bool callsName) {
        if (callsName && lastWord != kNone && !words[lastWord].defined) words[lastWord].called = true;
        lastWord = kNone;
        afterField = definer = listing = false;
    }

    void punctuation(char c) {
        if (c == '.' && code.substr(at, 2) != "..") {
            ++at;
            lastWord = kNone;
            afterField = true;
            return;
        }
        if (c == ':' && code.substr(at, 2) != "::") {
            ++at;
            lastWord = kNone;
            afterField = true;
            return;
        }
        while (c == '.' && at < code.size() && code[at] == '.')
            ++at;
        if (c != '.') ++at;
        // "local a, b" and "for k, v" define every name of the list.
        const bool listed = c == ',' && listing;
        if (c == '(' && paramsNext) inParams = true, paramsNext = false;
        if (c == ')') inParams = false;
        const size_t callee = c == '(' ? lastWord : kNone;
        value(c == '(' || c == '{');
        definer = listed;
        if (callee != kNone && words[callee].called) argumentOf = callee;
    }

    std::string_view code;
    size_t at = 0;
    int line = 1;
    bool afterField = false;
    /// The next name is defined: it follows "function", "local" or "for", or a ',' in their list.
    bool definer = false;
    bool listing = false;
    /// Between "function" and its '(', and inside its parameter list: parameters are locals.
    bool paramsNext = false;
    bool inParams = false;
    /// The word just read, while nothing else followed it.
    static constexpr size_t kNone = SIZE_MAX;
    size_t lastWord = kNone;
    /// The word whose call's '(' was just read: a string next is its first argument.
    size_t argumentOf = kNone;
    std::vector<ScriptWord> words;
};

} // namespace

std::vector<ScriptWord> scriptWords(std::string_view code) {
    return Lexer(code).run();
}

} // namespace Qel::Check
