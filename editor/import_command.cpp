#include "editor/import_command.h"

#include <algorithm>

#include "editor/file_commands.h"
#include "import/code_points.h"
#include "import/font_import.h"
#include "import/option_text.h"
#include "model/glyph_codec.h"
#include "text/text_primitives.h"

namespace glyphwright {

namespace {

constexpr const char* kImportTitle = "Font to import";
constexpr const char* kImportFilter =
    "Fonts|*.ttf;*.otf;*.ttc;*.otc;*.bdf;*.pcf;*.pcf.gz;*.otb;*.fnt;*.fon|All files (*.*)|*.*";
constexpr const char* kCannotImport = "Cannot import";

// The face field comes last, and only for a file that holds several faces.
enum Field { kSize, kFirstCode, kCount, kFirstCodePoint, kCell, kCentred, kThreshold, kFace };

// The preview shows the font's first glyphs on one line at most this wide at 1:1.
constexpr int kPreviewWidth = 320;

std::string describe(const FontFacts& facts)
{
    std::string name = facts.family + (facts.style.empty() ? "" : " " + facts.style);
    if (facts.scalable)
        return name + ": an outline font, drawn at any pixel size from 1 to 255.";
    std::string sizes;
    for (int size : facts.strike_sizes)
        sizes += (sizes.empty() ? "" : ", ") + to_decimal(size);
    return name + ": a bitmap font of " + sizes + " pixels.";
}

// What the dialog says of the file: its first face, and how many it holds when more than one.
std::string describe_file(const FontFacts& facts)
{
    if (facts.face_count <= 1)
        return describe(facts);
    return "A collection of " + to_decimal(facts.face_count) + " faces; face 0 is " + describe(facts);
}

std::vector<FormField> prefilled_fields(const FontFacts& facts)
{
    const int size = facts.scalable || facts.strike_sizes.empty() ? 16 : facts.strike_sizes.front();
    std::vector<FormField> fields = {{"Pixel size", to_decimal(size)},
                                     {"First code", "32"},
                                     {"Count", "95"},
                                     {"First code point (empty: the first code)", ""},
                                     {"Cell, W x H (empty: fitted to the font)", ""},
                                     {"Centred in the cell (yes or no)", "no"},
                                     {"Threshold, 0 to 255 (empty: drawn in black and white)", ""}};
    if (facts.face_count > 1)
        fields.push_back({"Face, 0 to " + to_decimal(facts.face_count - 1), "0"});
    return fields;
}

// The options the fields ask for, or why they cannot be read.
std::string read_fields(const std::vector<FormField>& fields, int face_count, ImportOptions& options)
{
    std::optional<int> size = parse_number(fields[kSize].value, 1, 255);
    if (!size)
        return "The pixel size must be a number from 1 to 255.";
    std::optional<int> first = parse_number(fields[kFirstCode].value, 0, 255);
    if (!first)
        return "The first code must be a number from 0 to 255.";
    std::optional<int> count = parse_number(fields[kCount].value, 0, 255);
    if (!count)
        return "The count must be a number from 0 to 255.";
    std::string_view code_point_text = trim_blanks_and_tabs(fields[kFirstCodePoint].value);
    std::optional<char32_t> code_point;
    if (!code_point_text.empty() && !(code_point = parse_code_point(code_point_text)))
        return "The first code point is written U+ and hexadecimal digits, such as U+0410, or left empty.";
    std::string_view cell_text = trim_blanks_and_tabs(fields[kCell].value);
    std::optional<CellSize> cell;
    if (!cell_text.empty() && !(cell = parse_cell_size(cell_text)))
        return "The cell is written W x H without blanks, such as 8x16, or left empty.";
    std::string_view centred = trim_blanks_and_tabs(fields[kCentred].value);
    if (centred != "yes" && centred != "no")
        return "Centred in the cell is yes or no.";
    std::string_view threshold_text = trim_blanks_and_tabs(fields[kThreshold].value);
    std::optional<int> threshold;
    if (!threshold_text.empty() && !(threshold = parse_number(threshold_text, 0, 255)))
        return "The threshold must be a number from 0 to 255, or left empty.";
    std::optional<int> face = 0;
    if (fields.size() > kFace && !(face = parse_number(fields[kFace].value, 0, face_count - 1)))
        return "The face must be a number from 0 to " + to_decimal(face_count - 1) + ".";
    options.pixel_size = *size;
    options.first_code = *first;
    options.char_count = *count;
    options.first_code_point = code_point;
    options.cell = cell;
    options.face_index = *face;
    options.placement = centred == "yes" ? Placement::Centred : Placement::Bearing;
    options.rendering = threshold ? Rendering::Grey : Rendering::Monochrome;
    options.threshold = threshold.value_or(options.threshold);
    return {};
}

// The font's glyphs in code order, each at its advance from the last, as many as fit in
// kPreviewWidth pixels.
PreviewPicture glyph_line(const Font& font)
{
    PreviewPicture picture;
    picture.height = std::max(font.header.glyph_height, 0);
    const int cell_width = std::max(font.header.glyph_width, 0);
    picture.width = kPreviewWidth;
    picture.bits.assign(static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height), 0);
    GlyphGrid grid(cell_width, picture.height);
    int pen = std::max(font.origin_x, 0);
    int right = 0;
    for (const Glyph& glyph : font.font_table) {
        const int left = pen - font.origin_x;
        if (left + cell_width > picture.width || glyph.advance <= 0)
            break;
        decode_glyph(glyph.glyph_data, grid);
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < cell_width; ++x)
                if (grid.at(x, y) == 1)
                    picture.bits[static_cast<std::size_t>(y * picture.width + left + x)] = 1;
        right = left + cell_width;
        pen += glyph.advance;
    }
    // Cut to what was drawn, so that the 2:1 picture is no wider than it must be.
    std::vector<std::uint8_t> cut(static_cast<std::size_t>(right) * static_cast<std::size_t>(picture.height));
    for (int y = 0; y < picture.height; ++y)
        std::copy_n(picture.bits.begin() + y * picture.width, right, cut.begin() + y * right);
    picture.width = right;
    picture.bits = std::move(cut);
    return picture;
}

// What the import dialog shows as its fields change: the font imported with them, or why not.
PreviewPicture import_preview(const std::string& path, int face_count, const std::vector<FormField>& fields)
{
    ImportOptions options;
    if (std::string problem = read_fields(fields, face_count, options); !problem.empty())
        return {0, 0, {}, problem};
    const FontReadResult imported = import_font(path, options);
    if (!imported.ok)
        return {0, 0, {}, imported.message};
    return glyph_line(imported.font);
}

std::string joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "" : "\n") + line;
    return text;
}

}  // namespace

bool open_bitmap_font(FontModel& model, GuiServices& gui, const std::string& path)
{
    // Without a pixel size, the importer takes only a bitmap font of one size.
    ImportOptions options;
    options.every_character = true;
    FontReadResult imported = import_font(path, options);
    if (!imported.ok)
        return false;
    show_new_font(model, gui, imported);
    if (!imported.warnings.empty())
        gui.message_box("Warnings", quoted_file_name(path) + " was opened, but:\n" + joined(imported.warnings));
    return true;
}

bool import_font_command(FontModel& model, GuiServices& gui)
{
    const std::string path = gui.open_file_dialog(kImportTitle, "", kImportFilter, 0);
    if (path.empty())
        return false;
    const FontFacts facts = read_font_facts(path, 0);
    if (!facts.ok) {
        gui.message_box(kCannotImport, facts.message);
        return false;
    }
    std::vector<FormField> fields = prefilled_fields(facts);
    const std::string note = describe_file(facts);
    const FormPreview preview = [&](const std::vector<FormField>& edited) {
        return import_preview(path, facts.face_count, edited);
    };
    while (gui.preview_form_dialog("Import " + std::string(file_name_part(path)), note, fields, preview)) {
        ImportOptions options;
        if (std::string problem = read_fields(fields, facts.face_count, options); !problem.empty()) {
            gui.message_box(kCannotImport, problem);
            continue;
        }
        FontReadResult imported = import_font(path, options);
        if (!imported.ok) {
            gui.message_box(kCannotImport, imported.message);
            continue;
        }
        show_new_font(model, gui, imported);
        if (!imported.warnings.empty())
            gui.message_box("Import font", joined(imported.warnings));
        return true;
    }
    return false;
}

}  // namespace glyphwright
