#include "formats/python_module.h"

#include <algorithm>

#include "text/text_primitives.h"

namespace glyphwright {

namespace {

bool is_name_start(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }
bool is_name_char(char c) { return is_name_start(c) || (c >= '0' && c <= '9'); }

std::size_t skip_blanks(std::string_view text, std::size_t at)
{
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
        ++at;
    return at;
}

std::size_t name_end(std::string_view text, std::size_t at)
{
    while (at < text.size() && is_name_char(text[at]))
        ++at;
    return at;
}

std::size_t line_end(std::string_view text, std::size_t at)
{
    const std::size_t end = text.find('\n', at);
    return end == std::string_view::npos ? text.size() : end;
}

// Past a backslash that continues the line, or `at` itself.
std::size_t past_continuation(std::string_view text, std::size_t at)
{
    if (at < text.size() && text[at] == '\\') {
        if (at + 1 < text.size() && text[at + 1] == '\n')
            return at + 2;
        if (at + 2 < text.size() && text[at + 1] == '\r' && text[at + 2] == '\n')
            return at + 3;
    }
    return at;
}

int octal_value(char c) { return c >= '0' && c <= '7' ? c - '0' : -1; }

std::optional<std::size_t> literal_content(std::string_view text, std::size_t at, PythonBytes& out, bool first);

// One bytes literal from `at` (its prefix), appending its bytes; past it, or none, with `out` as
// it was, when none stands there.
std::optional<std::size_t> bytes_literal(std::string_view text, std::size_t at, PythonBytes& out, bool first)
{
    const std::size_t had = out.bytes.size();
    const std::optional<std::size_t> past = literal_content(text, at, out, first);
    if (past) {
        out.piece_bytes.push_back(had);
        out.piece_begins.push_back(at);
    } else {
        out.bytes.resize(had);
    }
    return past;
}

std::optional<std::size_t> literal_content(std::string_view text, std::size_t at, PythonBytes& out, bool first)
{
    std::size_t quote_at = at;
    bool raw = false;
    bool bytes = false;
    while (quote_at < text.size() && quote_at - at < 2) {
        const char c = text[quote_at];
        if (c == 'b' || c == 'B')
            bytes = true;
        else if (c == 'r' || c == 'R')
            raw = true;
        else
            break;
        ++quote_at;
    }
    if (!bytes || quote_at >= text.size() || (text[quote_at] != '\'' && text[quote_at] != '"'))
        return std::nullopt;
    const char quote = text[quote_at];
    if (text.substr(quote_at, 3) == std::string(3, quote))
        return std::nullopt;  // long strings hold no font data
    if (first) {
        out.prefix = std::string(text.substr(at, quote_at - at));
        out.quote = quote;
    }
    std::size_t p = quote_at + 1;
    while (p < text.size()) {
        const char c = text[p];
        if (c == quote)
            return p + 1;
        if (c == '\n')
            return std::nullopt;
        if (c != '\\' || raw) {
            if (c == '\\' && p + 1 < text.size()) {
                out.bytes += text.substr(p, 2);
                p += 2;
                continue;
            }
            out.bytes += c;
            ++p;
            continue;
        }
        if (p + 1 >= text.size())
            return std::nullopt;
        const char e = text[p + 1];
        p += 2;
        switch (e) {
        case '\n': break;
        case '\r': if (p < text.size() && text[p] == '\n') ++p; break;
        case 'a': out.bytes += '\a'; break;
        case 'b': out.bytes += '\b'; break;
        case 'f': out.bytes += '\f'; break;
        case 'n': out.bytes += '\n'; break;
        case 'r': out.bytes += '\r'; break;
        case 't': out.bytes += '\t'; break;
        case 'v': out.bytes += '\v'; break;
        case '\\': case '\'': case '"': out.bytes += e; break;
        case 'x': {
            if (p + 1 >= text.size() || hex_digit_value(text[p]) < 0 || hex_digit_value(text[p + 1]) < 0)
                return std::nullopt;
            if (first && out.bytes.empty())
                out.upper_hex = (text[p] >= 'A' && text[p] <= 'F') || (text[p + 1] >= 'A' && text[p + 1] <= 'F');
            out.bytes += static_cast<char>(hex_digit_value(text[p]) * 16 + hex_digit_value(text[p + 1]));
            p += 2;
            break;
        }
        default:
            if (octal_value(e) >= 0) {
                int value = octal_value(e);
                for (int more = 0; more < 2 && p < text.size() && octal_value(text[p]) >= 0; ++more)
                    value = value * 8 + octal_value(text[p++]);
                out.bytes += static_cast<char>(value & 0xFF);
            } else {
                out.bytes += '\\';
                out.bytes += e;
            }
        }
    }
    return std::nullopt;
}

// The byte strings bound at `at` (past «NAME =»), or none when the value is not one.
std::optional<PythonBytes> byte_string(std::string_view text, std::size_t at)
{
    PythonBytes out;
    int open = 0;
    std::size_t p = at;
    std::size_t first_end = 0;
    for (;;) {
        p = skip_blanks(text, p);
        if (const std::size_t next = past_continuation(text, p); next != p) {
            p = next;
            continue;
        }
        if (p < text.size() && text[p] == '(' && out.piece_begins.empty() && open == 0) {
            ++open;
            ++p;
            continue;
        }
        if (open > 0 && p < text.size() && (text[p] == '\n' || text[p] == '\r' || text[p] == '#')) {
            p = text[p] == '#' ? line_end(text, p) : p + 1;
            continue;
        }
        if (open > 0 && p < text.size() && text[p] == ')') {
            ++p;
            break;
        }
        const bool first = out.piece_begins.empty();
        const std::optional<std::size_t> past = bytes_literal(text, p, out, first);
        if (!past)
            break;
        if (out.piece_begins.size() == 2)
            out.joint = std::string(text.substr(first_end, p - first_end));
        if (first)
            first_end = *past;
        out.end = *past;
        p = *past;
    }
    if (out.piece_begins.empty())
        return std::nullopt;
    out.begin = out.piece_begins.front();
    if (out.piece_begins.size() > 1)
        out.bytes_per_line = std::max<std::size_t>(1, out.piece_bytes[1]);
    return out;
}

// The constant a function returns, when its first statement returns one: «def NAME():» and
// «return VALUE» on the same line or the next one that holds anything.
std::optional<PythonConstant> constant_function(std::string_view text, std::size_t line_begin)
{
    std::size_t p = skip_blanks(text, line_begin + 3);
    const std::size_t name_begin = p;
    p = name_end(text, p);
    if (p == name_begin || text.substr(p, 3) != "():")
        return std::nullopt;
    PythonConstant constant;
    constant.name = std::string(text.substr(name_begin, p - name_begin));
    constant.line_begin = line_begin;
    p = skip_blanks(text, p + 3);
    while (p < text.size() && (text[p] == '\n' || text[p] == '\r' || text[p] == '#' || text[p] == ' ' || text[p] == '\t'))
        p = text[p] == '#' ? line_end(text, p) : p + 1;
    if (text.substr(p, 6) != "return" || p + 6 >= text.size() || (text[p + 6] != ' ' && text[p + 6] != '\t'))
        return std::nullopt;
    constant.begin = skip_blanks(text, p + 6);
    std::size_t end = constant.begin;
    while (end < text.size() && (is_name_char(text[end]) || text[end] == '-'))
        ++end;
    if (end == constant.begin)
        return std::nullopt;
    constant.end = end;
    constant.value = std::string(text.substr(constant.begin, end - constant.begin));
    return constant;
}

}  // namespace

std::size_t PythonBytes::position_of(std::size_t at) const
{
    const auto piece = std::upper_bound(piece_bytes.begin(), piece_bytes.end(), at);
    return piece == piece_bytes.begin() ? begin : piece_begins[static_cast<std::size_t>(piece - piece_bytes.begin() - 1)];
}

const PythonConstant* PythonModule::constant(std::string_view name) const
{
    for (const PythonConstant& c : constants)
        if (c.name == name)
            return &c;
    return nullptr;
}

const PythonBytes* PythonModule::bytes(std::string_view name) const
{
    for (const PythonBytes& b : byte_strings)
        if (b.name == name)
            return &b;
    return nullptr;
}

std::optional<std::int64_t> PythonModule::integer(std::string_view name) const
{
    const PythonConstant* c = constant(name);
    if (c == nullptr)
        return std::nullopt;
    if (c->value == "True")
        return 1;
    if (c->value == "False")
        return 0;
    std::string_view digits = c->value;
    const bool negative = !digits.empty() && digits.front() == '-';
    if (negative)
        digits.remove_prefix(1);
    std::int64_t value = 0;
    int base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        base = 16;
        digits.remove_prefix(2);
    }
    if (digits.empty() || digits.size() > 12)
        return std::nullopt;
    for (char d : digits) {
        const int v = d == '_' ? -2 : hex_digit_value(d);
        if (v == -2)
            continue;
        if (v < 0 || v >= base)
            return std::nullopt;
        value = value * base + v;
    }
    return negative ? -value : value;
}

PythonModule python_module(std::string_view text)
{
    PythonModule module;
    std::size_t line = 0;
    while (line < text.size()) {
        const std::size_t end = line_end(text, line);
        if (text.substr(line, 4) == "def ") {
            if (std::optional<PythonConstant> c = constant_function(text, line))
                module.constants.push_back(std::move(*c));
        } else if (is_name_start(text[line])) {
            const std::size_t name_stop = name_end(text, line);
            const std::size_t eq = skip_blanks(text, name_stop);
            if (eq < text.size() && text[eq] == '=' && (eq + 1 >= text.size() || text[eq + 1] != '=')) {
                if (std::optional<PythonBytes> b = byte_string(text, eq + 1)) {
                    b->name = std::string(text.substr(line, name_stop - line));
                    b->line_begin = line;
                    const std::size_t past = b->end;
                    module.byte_strings.push_back(std::move(*b));
                    line = line_end(text, past);
                    line = line < text.size() ? line + 1 : line;
                    continue;
                }
            }
        }
        line = end < text.size() ? end + 1 : end;
    }
    return module;
}

std::string python_bytes_text(std::string_view bytes, const PythonBytes& like)
{
    const char* digits = like.upper_hex ? "0123456789ABCDEF" : "0123456789abcdef";
    const std::size_t per_line = std::max<std::size_t>(1, like.bytes_per_line);
    std::string text;
    text.reserve(bytes.size() * 4 + (bytes.size() / per_line + 1) * (like.prefix.size() + 2 + like.joint.size()));
    std::size_t at = 0;
    do {
        if (at > 0)
            text += like.joint;
        text += like.prefix;
        text += like.quote;
        for (std::size_t k = at; k < std::min(bytes.size(), at + per_line); ++k) {
            const auto byte = static_cast<unsigned char>(bytes[k]);
            text += "\\x";
            text += digits[byte >> 4];
            text += digits[byte & 0xF];
        }
        text += like.quote;
        at += per_line;
    } while (at < bytes.size());
    return text;
}

}  // namespace glyphwright
