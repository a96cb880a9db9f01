#pragma once

// The tokens of a C source as the fonts of display libraries need them: names, numbers, string and
// character literals, punctuation, and whole preprocessor lines, with comments left out. Each
// token knows where it stands in the text, so that a writer can replace exactly its bytes.
//
// Preprocessor lines inside an initialiser are kept as tokens; `active_tokens` evaluates their
// #if, #ifdef, #ifndef, #elif, #else and #endif with the macros the file itself #defines above
// them (a name not defined is 0) and leaves out what a false branch holds.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace glyphwright {

enum class CTokenKind { Name, Number, Literal, Punctuation, Directive };

struct CToken {
    CTokenKind kind = CTokenKind::Punctuation;
    std::size_t begin = 0;  // byte offsets in the text
    std::size_t end = 0;
    std::string_view text;  // a Directive: the whole line, continuation lines included
};

// Every token of the text, in order. A comment, a string or a character literal that does not
// end runs to the end of the text. Never fails.
std::vector<CToken> c_tokens(std::string_view text);

// The tokens of `tokens` that a compiler would see: preprocessor lines evaluated as above, each
// left out itself, and the tokens of false branches with them. `macros_from` are the tokens from
// the start of the file, whose #defines count (the text before an initialiser). `had_directives`
// says whether `tokens` held any preprocessor line.
std::vector<CToken> active_tokens(std::span<const CToken> macros_from, std::span<const CToken> tokens,
                                  bool* had_directives = nullptr);

// The same, made of `tokens` itself, which keeps only what a compiler sees: no copy of a large
// source's tokens.
void keep_active_tokens(std::span<const CToken> macros_from, std::vector<CToken>& tokens);

// The value of a number token: decimal, hexadecimal (0x) or octal (leading 0), with any of the
// suffixes u, l and ll; none when it is not such a number or does not fit in 63 bits.
std::optional<std::int64_t> c_number_value(std::string_view text);

// The position of the token that closes the bracket at `open` ("{", "(" or "["), counting
// brackets of its own kind; tokens.size() when it is never closed.
std::size_t closing_bracket(std::span<const CToken> tokens, std::size_t open);

// True when the token is the punctuation or name `text`.
bool is_token(const CToken& token, std::string_view text);

}  // namespace glyphwright
