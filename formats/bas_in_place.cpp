#include "formats/font_in_place.h"

#include <algorithm>
#include <vector>

#include "formats/bas_statements.h"
#include "formats/bas_words.h"
#include "formats/font_text.h"
#include "text/line_reader.h"
#include "text/text_primitives.h"

// Save in place of a DefineFont block: its words rewritten one by one where they stand.

namespace glyphwright {

namespace {

std::string_view data_indent(std::string_view text, const FontEntry& entry)
{
    LineReader lines(text.substr(0, entry.data_end), entry.data_begin, 0);
    while (!lines.at_end()) {
        std::string_view line = lines.read_line();
        if (!trim_blanks_and_tabs(line.substr(0, line.find('\''))).empty())
            return leading_blanks(line);
    }
    return "  ";
}

constexpr std::size_t kWordDigits = 8;
constexpr std::size_t kWordsPerLine = 8;

bool is_word_at(std::string_view code, std::size_t position)
{
    if (position + kWordDigits > code.size())
        return false;
    for (std::size_t offset = 0; offset < kWordDigits; ++offset)
        if (!is_hex_digit(code[position + offset]))
            return false;
    return true;
}

// Where the words of a data line stand: every run of eight hexadecimal digits of its statements.
std::vector<std::size_t> word_positions(std::string_view line)
{
    std::vector<std::size_t> positions;
    StatementCursor statements(line);
    std::string_view statement;
    while (statements.next(statement)) {
        const std::size_t begin = statements.statement_begin();
        for (std::size_t at = 0; at < statement.size();) {
            if (is_word_at(statement, at)) {
                positions.push_back(begin + at);
                at += kWordDigits;
            } else {
                ++at;
            }
        }
    }
    return positions;
}

bool same_word(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return hex_digit_value(x) == hex_digit_value(y); });
}

// A word in the letter case of the block: lower case when its words hold lower-case letters only.
std::string in_case(std::string_view word, bool lower)
{
    std::string cased(word);
    if (lower)
        for (char& character : cased)
            character = static_cast<char>(character >= 'A' && character <= 'F' ? character - 'A' + 'a' : character);
    return cased;
}

// The block's words rewritten one by one: a word whose value is unchanged keeps its text, a
// changed one is written in the block's letter case where it stood, so every line keeps its words,
// its indentation and its comments. Words the font needs beyond the block's last one follow on
// new lines of eight (only zero words beyond the end of a block whose header did not change are
// left out, since they read as the missing bytes they replace); words of the block beyond the
// font's last one go when the header changed and stay, ignored as before, when it did not.
std::string bas_text_in_place_of(std::string_view text, const FontEntry& entry, const Font& font)
{
    std::string written;
    append_font_words(written, font, "", "\n");
    std::vector<std::string_view> words;
    for (std::size_t position : word_positions(written))
        words.push_back(std::string_view(written).substr(position, kWordDigits));
    const bool header_unchanged = entry.header == font.header;
    const std::string_view line_end = line_end_before(text, entry.data_begin);

    std::string_view data = text.substr(0, entry.data_end);
    bool any_upper = false;
    bool any_lower = false;
    for (LineReader lines(data, entry.data_begin, 0); !lines.at_end();) {
        std::string_view line = lines.read_line();
        for (std::size_t position : word_positions(line))
            for (char digit : line.substr(position, kWordDigits)) {
                any_upper = any_upper || (digit >= 'A' && digit <= 'F');
                any_lower = any_lower || (digit >= 'a' && digit <= 'f');
            }
    }
    const bool lower = any_lower && !any_upper;

    std::string out;
    out.reserve(text.size() + 1024);
    out += text.substr(0, entry.data_begin);
    std::size_t next = 0;
    LineReader lines(data, entry.data_begin, 0);
    while (!lines.at_end()) {
        const std::size_t line_begin = lines.position();
        std::string_view line = lines.read_line();
        const std::string_view ending = data.substr(line_begin + line.size(), lines.position() - line_begin - line.size());
        std::vector<std::size_t> positions = word_positions(line);
        std::string rewritten;
        std::size_t copied = 0;
        bool kept = false;
        for (std::size_t position : positions) {
            std::string_view word = line.substr(position, kWordDigits);
            if (next < words.size()) {
                if (!same_word(word, words[next])) {
                    rewritten += line.substr(copied, position - copied);
                    rewritten += in_case(words[next], lower);
                    copied = position + kWordDigits;
                }
                kept = true;
            } else if (!header_unchanged) {
                std::size_t cut = position;
                while (cut > copied && (line[cut - 1] == ' ' || line[cut - 1] == '\t'))
                    --cut;
                rewritten += line.substr(copied, cut - copied);
                copied = position + kWordDigits;
            }
            ++next;
        }
        rewritten += line.substr(copied);
        if (!positions.empty() && !kept && !header_unchanged && trim_blanks_and_tabs(rewritten).empty())
            continue;
        out += rewritten;
        out += ending;
    }
    std::size_t last_needed = words.size();
    if (header_unchanged)
        while (last_needed > next && words[last_needed - 1] == "00000000")
            --last_needed;
    for (std::size_t at = next; at < last_needed; at += kWordsPerLine) {
        out += data_indent(text, entry);
        for (std::size_t word = at; word < std::min(at + kWordsPerLine, last_needed); ++word) {
            out += word == at ? "" : " ";
            out += in_case(words[word], lower);
        }
        out += line_end;
    }
    out += text.substr(entry.data_end);
    return out;
}

}  // namespace

InPlaceText bas_font_in_place(std::string_view text, const FontEntry& entry, const Font& font)
{
    if (!entry.whole_data_lines)
        return {false, {}, "the words of the block share a line with its DefineFont or End DefineFont statement, so its"
                           " lines cannot be rewritten alone"};
    return {true, bas_text_in_place_of(text, entry, font), {}};
}

}  // namespace glyphwright
