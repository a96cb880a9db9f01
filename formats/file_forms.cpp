#include "formats/file_forms.h"

#include <array>

#include "formats/bas_font.h"
#include "formats/bdf_font.h"
#include "formats/c_font.h"
#include "formats/font_in_place.h"
#include "formats/font_to_py_font.h"
#include "formats/gfx_font.h"
#include "formats/glcd_font.h"
#include "formats/lvgl_font.h"
#include "formats/tft_espi_font.h"
#include "formats/u8g2_font.h"
#include "formats/thingpulse_font.h"
#include "formats/vlw_font.h"
#include "formats/font_text.h"
#include "text/text_primitives.h"

namespace glyphwright {

namespace {

std::vector<std::string> c_drawing_problems(const FontHeader& header)
{
    std::vector<std::string> problems;
    for (const std::string& problem : {codes_problem(header), row_width_problem(header)}) {
        if (!problem.empty())
            problems.push_back(problem);
    }
    return problems;
}

std::vector<std::string> bas_drawing_problems(const FontHeader& header)
{
    std::string problem = codes_problem(header);
    return problem.empty() ? std::vector<std::string>{} : std::vector<std::string>{problem};
}

std::vector<std::string> no_drawing_problems(const FontHeader&) { return {}; }

// A writer that takes no options, as the registry calls it.
template <std::string (*write)(const Font&, std::string_view)>
std::string without_options(const Font& font, std::string_view save_path, const WriteOptions&)
{
    return write(font, save_path);
}

const std::array<FileForm, 11>& forms()
{
    static const std::array<FileForm, 11> all = {{
        {FontFormat::C, "c", "C File", "font.c file to save", {"c", "h", "ino", "cpp"}, {}, scan_c_fonts,
         read_c_font_entry, without_options<write_c_font>, c_font_in_place, c_drawing_problems},
        {FontFormat::Bas, "bas", "BAS File", "font.BAS file to save", {"bas", "inc"}, {}, scan_bas_fonts,
         read_bas_font_entry, without_options<write_bas_font>, bas_font_in_place, bas_drawing_problems},
        {FontFormat::Bdf, "bdf", "BDF File", "font.bdf file to save", {"bdf"}, {0x10FFFF, 65535, 255, 255, true},
         scan_bdf_fonts, read_bdf_font_entry, without_options<write_bdf_font>, nullptr, no_drawing_problems},
        {FontFormat::Gfx, "gfx", "Adafruit GFX font", "Adafruit GFX font file to save", {"h"}, {0xFFFF, 65535, 255, 255, true},
         scan_gfx_fonts, read_gfx_font_entry, without_options<write_gfx_font>, gfx_font_in_place, no_drawing_problems, gfx_refusal},
        {FontFormat::Vlw, "vlw", "Smooth font", "Smooth font file to save", {"vlw"}, {0xFFFF, 65535, 255, 255, true},
         scan_vlw_fonts, read_vlw_font_entry, without_options<write_vlw_font>, vlw_font_in_place, no_drawing_problems, vlw_refusal,
         {}, nullptr, nullptr, read_vlw_font_with},
        {FontFormat::TftEspi, "tft-espi", "TFT_eSPI font", "TFT_eSPI font file to save", {"c"}, {127, 96, 255, 255, true},
         scan_tft_espi_fonts, read_tft_espi_font_entry, write_tft_espi_font, tft_espi_font_in_place, no_drawing_problems,
         tft_espi_refusal, "h", read_tft_espi_companion, write_tft_espi_companion},
        {FontFormat::Lvgl, "lvgl", "LVGL font", "LVGL font file to save", {"c"}, {0x10FFFF, 65535, 255, 255, true},
         scan_lvgl_fonts, read_lvgl_font_entry, without_options<write_lvgl_font>, lvgl_font_in_place, no_drawing_problems, lvgl_refusal,
         {}, nullptr, nullptr, read_lvgl_font_with},
        {FontFormat::Glcd, "glcd", "glcd font", "glcd font file to save", {"c"}, {255, 256, 8, 8, true},
         scan_glcd_fonts, read_glcd_font_entry, without_options<write_glcd_font>, glcd_font_in_place, no_drawing_problems, glcd_refusal,
         {}, nullptr, nullptr, read_glcd_font_with},
        {FontFormat::ThingPulse, "thingpulse", "ThingPulse OLED font", "ThingPulse OLED font file to save", {"h"}, {255, 255, 255, 255, true},
         scan_thingpulse_fonts, read_thingpulse_font_entry, without_options<write_thingpulse_font>, thingpulse_font_in_place, no_drawing_problems,
         thingpulse_refusal},
        {FontFormat::FontToPy, "font-to-py", "MicroPython font module", "MicroPython font module to save", {"py"}, {0xFFFF, 65535, 255, 255, true},
         scan_font_to_py_fonts, read_font_to_py_font_entry, write_font_to_py_font, font_to_py_font_in_place, no_drawing_problems,
         font_to_py_refusal, {}, nullptr, nullptr, nullptr, true},
        {FontFormat::U8g2, "u8g2", "u8g2 font", "u8g2 font file to save", {"c"}, {0xFFFE, 65535, 127, 127, true},
         scan_u8g2_fonts, read_u8g2_font_entry, write_u8g2_font, u8g2_font_in_place, no_drawing_problems, u8g2_refusal},
    }};
    return all;
}

std::string patterns_of(const FileForm& form)
{
    std::string patterns;
    for (std::string_view extension : form.extensions) {
        std::string upper = to_upper(extension);
        patterns += (patterns.empty() ? "*." : ";*.") + std::string(extension);
        // Files made on other systems are often named in capitals; a C ".C" or ".H" is C++, though.
        if (form.format != FontFormat::C && form.format != FontFormat::Gfx && form.format != FontFormat::TftEspi && form.format != FontFormat::Lvgl
            && form.format != FontFormat::Glcd && form.format != FontFormat::ThingPulse && form.format != FontFormat::FontToPy && form.format != FontFormat::U8g2)
            patterns += ";*." + upper;
    }
    return patterns;
}

}  // namespace

std::span<const FileForm> file_forms() { return forms(); }

const FileForm& form_of(FontFormat format)
{
    for (const FileForm& form : forms()) {
        if (form.format == format)
            return form;
    }
    return forms().front();
}

const FileForm* form_named(std::string_view name)
{
    for (const FileForm& form : forms()) {
        if (form.name == name)
            return &form;
    }
    return nullptr;
}

std::optional<FontFormat> format_of_path(std::string_view path)
{
    std::string extension = to_upper(file_extension(path));
    for (const FileForm& form : forms()) {
        for (std::string_view candidate : form.extensions) {
            if (to_upper(candidate) == extension)
                return form.format;
        }
    }
    return std::nullopt;
}

std::string companion_path(std::string_view path, FontFormat format)
{
    const std::string_view extension = form_of(format).companion_extension;
    if (extension.empty())
        return {};
    const std::string_view own = file_extension(path);
    std::string companion(path.substr(0, path.size() - own.size() - (own.empty() ? 0 : 1)));
    // The companion's extension follows the case of the file's own: FONT.C goes with FONT.H.
    const bool upper = to_upper(own) == own && own.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") != std::string_view::npos;
    return companion + "." + (upper ? to_upper(extension) : std::string(extension));
}

std::string default_extension(FontFormat format)
{
    std::string extension = ".";
    extension += form_of(format).extensions.front();
    return extension;
}

std::string with_default_extension(std::string path, FontFormat format)
{
    if (file_extension(path).empty())
        path += default_extension(format);
    return path;
}

std::string form_names(FormSet set, std::string_view separator)
{
    std::string names;
    for (const FileForm& form : forms()) {
        if (set == FormSet::Readable && !form.readable())
            continue;
        names += (names.empty() ? "" : std::string(separator)) + std::string(form.name);
    }
    return names;
}

std::string open_dialog_filter()
{
    std::string filter;
    for (const FileForm& form : forms()) {
        if (form.readable())
            filter += std::string(form.title) + "|" + patterns_of(form) + "|";
    }
    return filter + "All files (*.*)|*.*";
}

std::string every_form_save_filter()
{
    std::string filter;
    for (const FileForm& form : forms())
        if (form.write != nullptr)
            filter += std::string(form.title) + "|" + patterns_of(form) + "|";
    return filter + "All files (*.*)|*.*";
}

std::string save_dialog_filter(FontFormat format)
{
    const FileForm& form = form_of(format);
    return std::string(form.title) + "|*." + std::string(form.extensions.front()) + "|All files (*.*)|*.*";
}

}  // namespace glyphwright
