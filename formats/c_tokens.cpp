#include "formats/c_tokens.h"

#include <charconv>
#include <map>
#include <string>

namespace glyphwright {

namespace {

bool is_name_start(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }

bool is_name_part(char c) { return is_name_start(c) || (c >= '0' && c <= '9'); }

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

// The end of a literal that opened with `quote` at `at`: past its closing quote, or the text's end.
std::size_t literal_end(std::string_view text, std::size_t at, char quote)
{
    for (std::size_t position = at + 1; position < text.size(); ++position) {
        if (text[position] == '\\')
            ++position;
        else if (text[position] == quote)
            return position + 1;
        else if (text[position] == '\n')
            return position;  // an unclosed literal ends with its line
    }
    return text.size();
}

// The end of a preprocessor line that starts at `at`: its line end, past lines continued with a
// backslash; a comment that begins on it runs to its own end.
std::size_t directive_end(std::string_view text, std::size_t at)
{
    std::size_t position = at;
    while (position < text.size()) {
        const char c = text[position];
        if (c == '\n')
            return position;
        if (c == '\\' && position + 1 < text.size() && (text[position + 1] == '\n' || text[position + 1] == '\r')) {
            position += text[position + 1] == '\r' && position + 2 < text.size() && text[position + 2] == '\n' ? 3 : 2;
            continue;
        }
        if (c == '/' && position + 1 < text.size() && text[position + 1] == '*') {
            const std::size_t close = text.find("*/", position + 2);
            position = close == std::string_view::npos ? text.size() : close + 2;
            continue;
        }
        if (c == '/' && position + 1 < text.size() && text[position + 1] == '/')
            return text.find('\n', position) == std::string_view::npos ? text.size() : text.find('\n', position);
        ++position;
    }
    return text.size();
}

constexpr std::string_view kTwoCharacterOperators[] = {"&&", "||", "==", "!=", "<=", ">=", "<<", ">>", "##"};

// Evaluates the expression of an #if or #elif line with the macros defined so far.
class ConditionEvaluator {
public:
    ConditionEvaluator(const std::map<std::string, std::string, std::less<>>& macros, int depth)
        : m_macros(macros), m_depth(depth) {}

    std::int64_t evaluate(std::string_view expression)
    {
        m_tokens = c_tokens(expression);
        m_at = 0;
        return or_expression();
    }

private:
    bool at(std::string_view text) const { return m_at < m_tokens.size() && is_token(m_tokens[m_at], text); }

    bool take(std::string_view text)
    {
        if (!at(text))
            return false;
        ++m_at;
        return true;
    }

    std::int64_t or_expression()
    {
        std::int64_t value = and_expression();
        while (take("||"))
            value = (and_expression() != 0) || value != 0;
        return value;
    }

    std::int64_t and_expression()
    {
        std::int64_t value = comparison();
        while (take("&&"))
            value = (comparison() != 0) && value != 0;
        return value;
    }

    std::int64_t comparison()
    {
        std::int64_t value = sum();
        for (;;) {
            if (take("=="))
                value = value == sum();
            else if (take("!="))
                value = value != sum();
            else if (take("<="))
                value = value <= sum();
            else if (take(">="))
                value = value >= sum();
            else if (take("<"))
                value = value < sum();
            else if (take(">"))
                value = value > sum();
            else
                return value;
        }
    }

    std::int64_t sum()
    {
        std::int64_t value = unary();
        for (;;) {
            if (take("+"))
                value = static_cast<std::int64_t>(static_cast<std::uint64_t>(value) + static_cast<std::uint64_t>(unary()));
            else if (take("-"))
                value = static_cast<std::int64_t>(static_cast<std::uint64_t>(value) - static_cast<std::uint64_t>(unary()));
            else
                return value;
        }
    }

    std::int64_t unary()
    {
        if (take("!"))
            return unary() == 0;
        if (take("-"))
            return static_cast<std::int64_t>(0 - static_cast<std::uint64_t>(unary()));
        if (take("+"))
            return unary();
        return primary();
    }

    std::int64_t primary()
    {
        if (m_at >= m_tokens.size())
            return 0;
        const CToken& token = m_tokens[m_at++];
        if (is_token(token, "(")) {
            const std::int64_t value = or_expression();
            take(")");
            return value;
        }
        if (token.kind == CTokenKind::Number)
            return c_number_value(token.text).value_or(0);
        if (token.kind != CTokenKind::Name)
            return 0;
        if (token.text == "defined") {
            const bool parenthesised = take("(");
            const bool defined = m_at < m_tokens.size() && m_macros.contains(m_tokens[m_at].text);
            ++m_at;
            if (parenthesised)
                take(")");
            return defined;
        }
        auto macro = m_macros.find(token.text);
        if (macro == m_macros.end())
            return 0;
        // A macro defined empty is a flag that is set; a macro that names itself, at any depth, is 0.
        if (macro->second.empty())
            return 1;
        if (m_depth > 16)
            return 0;
        return ConditionEvaluator(m_macros, m_depth + 1).evaluate(macro->second);
    }

    const std::map<std::string, std::string, std::less<>>& m_macros;
    int m_depth;
    std::vector<CToken> m_tokens;
    std::size_t m_at = 0;
};

// A preprocessor line's keyword and the text after it.
struct Directive {
    std::string_view keyword;
    std::string_view rest;
};

Directive parse_directive(std::string_view line)
{
    std::size_t position = line.find('#') + 1;
    while (position < line.size() && (line[position] == ' ' || line[position] == '\t'))
        ++position;
    std::size_t end = position;
    while (end < line.size() && is_name_part(line[end]))
        ++end;
    return {line.substr(position, end - position), line.substr(end)};
}

using Macros = std::map<std::string, std::string, std::less<>>;

// The name that follows #ifdef, #ifndef or #undef.
std::string_view trim_name(std::string_view rest)
{
    const std::size_t begin = rest.find_first_not_of(" \t");
    if (begin == std::string_view::npos)
        return {};
    std::size_t end = begin;
    while (end < rest.size() && is_name_part(rest[end]))
        ++end;
    return rest.substr(begin, end - begin);
}

void define(Macros& macros, std::string_view rest)
{
    const std::vector<CToken> words = c_tokens(rest);
    if (words.empty() || words[0].kind != CTokenKind::Name)
        return;
    std::string_view value = rest.substr(words[0].end);
    // A macro with parameters is no value a condition can use.
    if (!value.empty() && value.front() == '(')
        return;
    const std::size_t first = value.find_first_not_of(" \t");
    const std::size_t last = value.find_last_not_of(" \t\r\n");
    macros[std::string(words[0].text)] = first == std::string_view::npos ? std::string() : std::string(value.substr(first, last - first + 1));
}

}  // namespace

bool is_token(const CToken& token, std::string_view text) { return token.text == text && token.kind != CTokenKind::Literal; }

std::vector<CToken> c_tokens(std::string_view text)
{
    std::vector<CToken> tokens;
    // Font sources are mostly «0x00, »: about one token in three bytes.
    tokens.reserve(text.size() / 3 + 16);
    bool line_start = true;
    std::size_t position = 0;
    while (position < text.size()) {
        const char c = text[position];
        if (is_blank(c)) {
            line_start = line_start || c == '\n';
            ++position;
            continue;
        }
        const std::size_t begin = position;
        CTokenKind kind = CTokenKind::Punctuation;
        if (c == '/' && position + 1 < text.size() && text[position + 1] == '/') {
            const std::size_t end = text.find('\n', position);
            position = end == std::string_view::npos ? text.size() : end;
            continue;
        }
        if (c == '/' && position + 1 < text.size() && text[position + 1] == '*') {
            const std::size_t end = text.find("*/", position + 2);
            position = end == std::string_view::npos ? text.size() : end + 2;
            continue;
        }
        if (c == '#' && line_start) {
            kind = CTokenKind::Directive;
            position = directive_end(text, position);
        } else if (is_name_start(c)) {
            kind = CTokenKind::Name;
            while (position < text.size() && is_name_part(text[position]))
                ++position;
        } else if (c >= '0' && c <= '9') {
            kind = CTokenKind::Number;
            while (position < text.size() && (is_name_part(text[position]) || text[position] == '.'))
                ++position;
        } else if (c == '"' || c == '\'') {
            kind = CTokenKind::Literal;
            position = literal_end(text, position, c);
        } else {
            position += 1;
            if (std::string_view("&|=!<>#").find(c) != std::string_view::npos)
                for (std::string_view two : kTwoCharacterOperators)
                    if (text.substr(begin, 2) == two)
                        position = begin + 2;
        }
        line_start = false;
        tokens.push_back({kind, begin, position, text.substr(begin, position - begin)});
    }
    return tokens;
}

namespace {

// Walks the tokens as the preprocessor would, handing each token a compiler sees to `keep`.
template <typename Keep>
void walk_active_tokens(std::span<const CToken> macros_from, std::span<const CToken> tokens, bool* had_directives, Keep keep)
{
    Macros macros;
    for (const CToken& token : macros_from) {
        if (token.kind != CTokenKind::Directive)
            continue;
        const Directive directive = parse_directive(token.text);
        if (directive.keyword == "define")
            define(macros, directive.rest);
        else if (directive.keyword == "undef")
            macros.erase(std::string(trim_name(directive.rest)));
    }
    struct Branch {
        bool outer_active = true;  // the branch around this #if is taken
        bool taken = false;        // one of this #if's branches was taken already
        bool active = true;        // the branch being read is taken
    };
    std::vector<Branch> branches;
    if (had_directives)
        *had_directives = false;
    auto reading = [&] { return branches.empty() || branches.back().active; };
    for (const CToken& token : tokens) {
        if (token.kind != CTokenKind::Directive) {
            if (reading())
                keep(token);
            continue;
        }
        if (had_directives)
            *had_directives = true;
        const Directive directive = parse_directive(token.text);
        const std::string_view keyword = directive.keyword;
        if (keyword == "if" || keyword == "ifdef" || keyword == "ifndef") {
            bool value = false;
            if (reading()) {
                if (keyword == "if")
                    value = ConditionEvaluator(macros, 0).evaluate(directive.rest) != 0;
                else
                    value = macros.contains(trim_name(directive.rest)) == (keyword == "ifdef");
            }
            branches.push_back({reading(), value, value});
        } else if ((keyword == "elif" || keyword == "else") && !branches.empty()) {
            Branch& branch = branches.back();
            const bool value = branch.outer_active && !branch.taken
                            && (keyword == "else" || ConditionEvaluator(macros, 0).evaluate(directive.rest) != 0);
            branch.active = value;
            branch.taken = branch.taken || value;
        } else if (keyword == "endif" && !branches.empty()) {
            branches.pop_back();
        } else if (keyword == "define" && reading()) {
            define(macros, directive.rest);
        }
    }
}

}  // namespace

std::vector<CToken> active_tokens(std::span<const CToken> macros_from, std::span<const CToken> tokens, bool* had_directives)
{
    std::vector<CToken> active;
    active.reserve(tokens.size());
    walk_active_tokens(macros_from, tokens, had_directives, [&](const CToken& token) { active.push_back(token); });
    return active;
}

void keep_active_tokens(std::span<const CToken> macros_from, std::vector<CToken>& tokens)
{
    // A token is only ever moved towards the front, over one already walked past.
    std::size_t kept = 0;
    walk_active_tokens(macros_from, tokens, nullptr, [&](const CToken& token) { tokens[kept++] = token; });
    tokens.resize(kept);
}

std::optional<std::int64_t> c_number_value(std::string_view text)
{
    while (!text.empty() && (text.back() == 'u' || text.back() == 'U' || text.back() == 'l' || text.back() == 'L'))
        text.remove_suffix(1);
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    } else if (text.size() > 1 && text[0] == '0') {
        base = 8;
        text.remove_prefix(1);
    }
    std::int64_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::size_t closing_bracket(std::span<const CToken> tokens, std::size_t open)
{
    if (open >= tokens.size())
        return tokens.size();
    const std::string_view opening = tokens[open].text;
    const std::string_view closing = opening == "{" ? "}" : opening == "(" ? ")" : "]";
    int depth = 0;
    for (std::size_t at = open; at < tokens.size(); ++at) {
        if (is_token(tokens[at], opening))
            ++depth;
        else if (is_token(tokens[at], closing) && --depth == 0)
            return at;
    }
    return tokens.size();
}

}  // namespace glyphwright
