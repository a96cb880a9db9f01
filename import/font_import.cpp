#include "import/font_import.h"

#include <algorithm>
#include <cstdint>

#include "formats/font_text.h"
#include "formats/new_font.h"
#include "import/code_points.h"
#include "model/glyph_codec.h"
#include "text/text_file.h"
#include "text/text_primitives.h"

namespace glyphwright {

namespace {

std::string options_problem(const ImportOptions& options)
{
    if (options.pixel_size < 0 || options.pixel_size > 255)
        return "the pixel size must be 1 to 255, not " + to_decimal(options.pixel_size);
    if (options.face_index < 0 || options.face_index > 0xFFFF)
        return "the face index must be 0 to 65535, not " + to_decimal(options.face_index);
    if (options.threshold < 0 || options.threshold > 255)
        return "the threshold must be 0 to 255, not " + to_decimal(options.threshold);
    if (std::string problem = range_problem(options.first_code, options.char_count); !problem.empty())
        return problem;
    const std::int64_t last = static_cast<std::int64_t>(code_point_of(options, options.first_code)) + options.char_count - 1;
    if (options.char_count > 0 && last > kLastCodePoint)
        return "the characters would run past the last code point, U+10FFFF";
    for (const CodePointRange& range : options.ranges) {
        if (range.last < range.first || range.last > kLastCodePoint)
            return "a range of code points must run forwards and end by U+10FFFF";
    }
    for (const auto& [code, code_point] : options.mapped_code_points) {
        if (code_point > kLastCodePoint)
            return "code " + to_decimal(code) + " is mapped beyond the last code point, U+10FFFF";
    }
    return {};
}

std::string size_list(const std::vector<int>& sizes)
{
    std::string list;
    for (std::size_t at = 0; at < sizes.size(); ++at) {
        if (at > 0)
            list += at + 1 == sizes.size() ? " and " : ", ";
        list += to_decimal(sizes[at]);
    }
    return list;
}

// Scales or chooses the strike; gives the pixel size used, or a message.
std::string choose_size(FreeTypeFace& face, int asked, int& pixel_size)
{
    if (face.is_scalable()) {
        if (asked == 0)
            return "it is an outline font, so it needs a pixel size (1 to 255)";
        pixel_size = asked;
        return face.set_pixel_size(asked);
    }
    const std::vector<int> sizes = face.strike_sizes();
    if (sizes.empty())
        return "it has neither outlines nor bitmap sizes";
    const std::string have = sizes.size() == 1 ? "its only size is " + to_decimal(sizes[0]) + " pixels"
                                               : "its sizes are " + size_list(sizes) + " pixels";
    if (asked == 0 && sizes.size() > 1)
        return "it has several sizes, so one must be chosen: " + have;
    for (std::size_t strike = 0; strike < sizes.size(); ++strike) {
        if (asked == 0 || sizes[strike] == asked) {
            pixel_size = sizes[strike];
            return face.select_strike(static_cast<int>(strike));
        }
    }
    return "it has no size of " + to_decimal(asked) + " pixels; " + have;
}

std::string cell_problem(const CellSize& cell, bool given)
{
    const std::string size = to_decimal(cell.width) + " x " + to_decimal(cell.height);
    const std::string subject = given ? "a cell of " + size + " pixels" : "the font's cell would be " + size + " pixels, and that";
    if (cell.width < 1 || cell.width > 255 || cell.height < 1 || cell.height > 255)
        return subject + " cannot be held: width and height must be 1 to 255";
    return {};
}

std::string printable(std::string text)
{
    for (char& character : text) {
        if (static_cast<unsigned char>(character) < 32 || character == 127)
            character = '?';
    }
    return text;
}

std::string header_notes(std::string_view file_name, const FreeTypeFace& face, int pixel_size,
                         const ImportOptions& options, const VerticalMetrics& metrics)
{
    std::string typeface = printable(face.family_name());
    if (std::string style = printable(face.style_name()); !style.empty())
        typeface += (typeface.empty() ? "" : " ") + style;
    std::string characters = to_decimal(options.first_code) + " to " + to_decimal(options.first_code + options.char_count - 1)
                           + " from " + code_point_text(code_point_of(options, options.first_code));
    if (options.code_page && !options.first_code_point)
        characters = to_decimal(options.first_code) + " to " + to_decimal(options.first_code + options.char_count - 1)
                   + " of code page " + options.code_page->name;
    if (options.every_character)
        characters = "every character of the font";
    if (!options.ranges.empty()) {
        characters.clear();
        for (const CodePointRange& range : options.ranges)
            characters += (characters.empty() ? "" : ", ") + code_point_text(range.first)
                        + (range.last > range.first ? " to " + code_point_text(range.last) : "");
    }
    if (!options.mapped_code_points.empty())
        characters += ", " + counted(static_cast<std::int64_t>(options.mapped_code_points.size()), "code", "codes") + " mapped";
    if (!face.has_unicode_map())
        characters += " (the font's own codes)";
    std::string notes;
    for (const std::string& line : {"Imported from: " + printable(std::string(file_name)),
                                    "Typeface     : " + typeface + ", " + to_decimal(pixel_size) + " pixels",
                                    "Characters   : " + characters,
                                    std::string(kAscentNote) + to_decimal(metrics.ascent) + " pixels"}) {
        notes += "// " + line + "\r\n";
    }
    return notes;
}

struct ImportedCharacters {
    std::vector<std::optional<RenderedGlyph>> glyphs;
    std::vector<char32_t> codes;  // of each glyph: its code in the new font
    std::vector<char32_t> missing;  // codes whose characters the font lacks, blank in the new font
    std::int64_t left_out = 0;    // code points of the ranges that the font lacks
};

// Renders the character of `code` into `characters`; false once they hold as many as a font can.
bool take_character(ImportedCharacters& characters, const FreeTypeFace& face, const ImportOptions& options, char32_t code)
{
    RenderedGlyph glyph;
    if (!face.render(code, options.rendering, options.threshold, glyph)) {
        ++characters.left_out;
        return true;
    }
    if (characters.glyphs.size() == static_cast<std::size_t>(kMaxGlyphs))
        return false;
    characters.glyphs.emplace_back(std::move(glyph));
    characters.codes.push_back(code);
    return true;
}

// Every character of the ranges that the font has, or of the whole font; none once there are more
// than a font holds.
ImportedCharacters render_by_code_point(const FreeTypeFace& face, const ImportOptions& options)
{
    ImportedCharacters characters;
    if (options.every_character) {
        for (char32_t code : face.character_codes()) {
            if (!take_character(characters, face, options, code))
                return {};
        }
        return characters;
    }
    for (const CodePointRange& range : options.ranges) {
        for (char32_t code_point = range.first; code_point <= range.last && code_point <= kLastCodePoint; ++code_point) {
            if (!take_character(characters, face, options, code_point))
                return {};
        }
    }
    return characters;
}

ImportedCharacters render_characters(const FreeTypeFace& face, const ImportOptions& options)
{
    if (options.every_character || !options.ranges.empty())
        return render_by_code_point(face, options);
    ImportedCharacters characters;
    for (int code = options.first_code; code < options.first_code + options.char_count; ++code) {
        characters.codes.push_back(static_cast<char32_t>(code));
        RenderedGlyph glyph;
        if (face.render(code_point_of(options, code), options.rendering, options.threshold, glyph)) {
            characters.glyphs.emplace_back(std::move(glyph));
        } else {
            characters.glyphs.emplace_back();
            characters.missing.push_back(static_cast<char32_t>(code));
        }
    }
    return characters;
}

// "65 (U+0041), 70 to 72 (U+0046 to U+0048)": runs of codes whose code points also follow each
// other are written as one range.
std::string code_list(const ImportOptions& options, const std::vector<char32_t>& codes)
{
    std::string list;
    for (std::size_t start = 0; start < codes.size();) {
        std::size_t end = start;
        while (end + 1 < codes.size() && codes[end + 1] == codes[end] + 1
               && code_point_of(options, codes[end + 1]) == code_point_of(options, codes[end]) + 1)
            ++end;
        if (!list.empty())
            list += ", ";
        list += to_decimal(codes[start]);
        if (end > start)
            list += " to " + to_decimal(codes[end]);
        list += " (" + code_point_text(code_point_of(options, codes[start]));
        if (end > start)
            list += " to " + code_point_text(code_point_of(options, codes[end]));
        list += ")";
        start = end + 1;
    }
    return list;
}

FontReadResult not_imported(std::string_view file_name, const std::string& reason)
{
    return glyphwright::refused(quoted(file_name) + " cannot be imported: " + reason + ".");
}

}  // namespace

char32_t code_point_of(const ImportOptions& options, int code)
{
    if (!options.ranges.empty() || options.every_character)
        return static_cast<char32_t>(code);
    if (auto mapped = options.mapped_code_points.find(code); mapped != options.mapped_code_points.end())
        return mapped->second;
    if (!options.first_code_point && options.code_page)
        return unicode_of(static_cast<char32_t>(code), *options.code_page);
    const std::int64_t first = options.first_code_point ? *options.first_code_point : static_cast<char32_t>(options.first_code);
    return static_cast<char32_t>(first + code - options.first_code);
}

namespace {

// The font made from the face: what import_font and import_font_data do once the face is open.
FontReadResult import_face(FreeTypeFace& face, std::string_view file_name, const ImportOptions& options)
{
    if (!face.is_open())
        return not_imported(file_name, face.error());
    int pixel_size = 0;
    if (std::string problem = choose_size(face, options.pixel_size, pixel_size); !problem.empty())
        return not_imported(file_name, problem);

    const VerticalMetrics metrics = face.vertical_metrics();
    ImportedCharacters characters = render_characters(face, options);
    if ((!options.ranges.empty() || options.every_character) && characters.glyphs.empty())
        return not_imported(file_name, characters.left_out > 0 ? "it has no character of the ranges asked for"
                                                               : "the ranges hold more than 65,535 of its characters");
    // A given cell starts at the origin; a computed one holds every glyph at its bearing, unless that
    // would be too large a cell, when what reaches beyond the line's cell is cut off.
    const CellPlace line = line_place(metrics, characters.glyphs, face.max_advance());
    CellPlace place = options.cell ? CellPlace{0, options.cell->width, metrics.ascent, 0} : line;
    if (!options.cell && options.placement == Placement::Bearing) {
        if (CellPlace grown = ink_place(line, characters.glyphs); cell_problem({grown.width(), grown.height()}, false).empty())
            place = grown;
    }
    const CellSize cell = options.cell ? *options.cell : CellSize{place.width(), place.height()};
    if (std::string problem = cell_problem(cell, options.cell.has_value()); !problem.empty())
        return not_imported(file_name, problem);

    FontReadResult result;
    result.ok = true;
    const int glyph_total = static_cast<int>(characters.glyphs.size());
    const int first_code = glyph_total > 0 ? static_cast<int>(characters.codes.front()) : options.first_code;
    result.font = blank_font_of({cell.width, cell.height, first_code, glyph_total});
    Font& font = result.font;
    if (options.code_page)
        font.code_page = options.code_page->name;
    for (int at = 0; at < glyph_total; ++at)
        font.font_table[static_cast<std::size_t>(at)].code_point = characters.codes[static_cast<std::size_t>(at)];
    font.ascent = static_cast<int>(std::clamp<std::int64_t>(place.above, 0, cell.height));
    font.descent = cell.height - font.ascent;
    font.origin_x = static_cast<int>(std::clamp<std::int64_t>(place.left, 0, cell.width));
    std::vector<char32_t> clipped;
    for (std::size_t at = 0; at < characters.glyphs.size(); ++at) {
        if (!characters.glyphs[at])
            continue;
        const RenderedGlyph& rendered = *characters.glyphs[at];
        GlyphGrid grid(cell.width, cell.height);
        if (place_glyph(rendered, place, options.placement, grid))
            clipped.push_back(characters.codes[at]);
        Glyph& glyph = font.font_table[at];
        glyph.glyph_data = encode_glyph(grid);
        // A centred glyph stands in a cell of fixed pitch.
        if (options.placement == Placement::Bearing)
            glyph.advance = std::clamp(rendered.advance, 0, cell.width);
    }
    // A character the font lacks is a blank as wide as most of the others.
    const int usual_advance = most_common_advance(font);
    for (std::size_t at = 0; at < characters.glyphs.size(); ++at) {
        if (!characters.glyphs[at])
            font.font_table[at].advance = usual_advance;
    }
    result.font.header_text = header_notes(file_name, face, pixel_size, options, metrics);
    if (!characters.missing.empty())
        result.warnings.push_back(counted(static_cast<std::int64_t>(characters.missing.size()), "character is", "characters are")
                                  + " not in the font and stay blank: " + code_list(options, characters.missing));
    if (characters.left_out > 0)
        result.warnings.push_back(counted(characters.left_out, "code point", "code points")
                                  + " of the ranges " + (characters.left_out == 1 ? "is" : "are")
                                  + " not in the font and left out");
    if (!clipped.empty())
        result.warnings.push_back(counted(static_cast<std::int64_t>(clipped.size()), "character loses", "characters lose")
                                  + " pixels outside the " + to_decimal(cell.width) + " x " + to_decimal(cell.height)
                                  + " cell: " + code_list(options, clipped));
    return result;
}

}  // namespace

FontReadResult import_font_data(std::string_view data, std::string_view file_name, const ImportOptions& options)
{
    if (std::string problem = options_problem(options); !problem.empty())
        return not_imported(file_name, problem);
    if (data.empty())
        return not_imported(file_name, "the file is empty");
    FreeTypeFace face(data, options.face_index);
    return import_face(face, file_name, options);
}

FontReadResult import_font(const std::string& path, const ImportOptions& options)
{
    // Read piece by piece as FreeType asks, not whole: an outline font is large, and only the
    // tables of the characters asked for are looked at.
    const ReadableFile file = open_readable_file(path);
    if (!file.ok())
        return refused(file.error());
    const std::string_view file_name = file_name_part(path);
    if (std::string problem = options_problem(options); !problem.empty())
        return not_imported(file_name, problem);
    if (file.size() == 0)
        return not_imported(file_name, "the file is empty");
    FreeTypeFace face(file, options.face_index);
    return import_face(face, file_name, options);
}

FontFacts read_font_facts(const std::string& path, int face_index)
{
    FontFacts facts;
    const ReadableFile file = open_readable_file(path);
    if (!file.ok()) {
        facts.message = file.error();
        return facts;
    }
    FreeTypeFace face(file, face_index);
    if (!face.is_open()) {
        facts.message = quoted_file_name(path) + " cannot be imported: " + face.error() + ".";
        return facts;
    }
    facts.ok = true;
    facts.family = printable(face.family_name());
    facts.style = printable(face.style_name());
    facts.scalable = face.is_scalable();
    facts.strike_sizes = face.strike_sizes();
    facts.face_count = std::max(face.face_count(), 1);
    return facts;
}

}  // namespace glyphwright
