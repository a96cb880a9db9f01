#include "import/freetype_face.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BDF_H
#include FT_BITMAP_H

#include <algorithm>
#include <climits>

#include "model/font.h"
#include "text/text_file.h"
#include "text/text_primitives.h"

namespace glyphwright {

namespace {

// A 26.6 value rounded to whole pixels, kept within ±INT_MAX: a bitmap font's metrics are 32-bit
// numbers from its file, and a descent is negated.
int rounded_pixels(FT_Pos value)
{
    const FT_Pos pixels = (value >> 6) + ((value & 63) >= 32 ? 1 : 0);
    return static_cast<int>(std::clamp<FT_Pos>(pixels, -INT_MAX, INT_MAX));
}

// Whether the data begins as one of the font files FreeType reads (or a compressed one) does:
// FreeType's own error for other data depends on which of its readers tried last.
bool starts_like_a_font(std::string_view data)
{
    static constexpr std::string_view kSignatures[] = {
        std::string_view("\0\1\0\0", 4), "true", "typ1", "OTTO", "ttcf", "wOFF", "wOF2", "STARTFONT",
        "\1fcp", "\x1f\x8b", "\x1f\x9d", "BZh", "MZ", std::string_view("\0\2", 2), std::string_view("\0\3", 2),
        "%!", "\x80\x01"};
    for (std::string_view signature : kSignatures) {
        if (data.substr(0, signature.size()) == signature)
            return true;
    }
    return false;
}

std::string open_error_text(FT_Error error, std::string_view data)
{
    if (error == FT_Err_Out_Of_Memory)
        return "there is not enough memory to read it";
    if (error == FT_Err_Unknown_File_Format || !starts_like_a_font(data))
        return "it is not a font of a known kind (TrueType, OpenType, BDF, PCF, Windows FNT or FON)";
    return "it is damaged or cut short (error " + to_decimal(error) + " while reading it)";
}

std::string text_of(const char* name) { return name == nullptr ? std::string() : std::string(name); }

bool bdf_integer(FT_Face face, const char* name, int& value)
{
    BDF_PropertyRec property;
    if (FT_Get_BDF_Property(face, name, &property) != 0)
        return false;
    if (property.type == BDF_PROPERTY_TYPE_INTEGER)
        value = static_cast<int>(property.u.integer);
    else if (property.type == BDF_PROPERTY_TYPE_CARDINAL)
        value = static_cast<int>(std::min<FT_UInt32>(property.u.cardinal, 0x7FFFFFFF));
    else
        return false;
    return true;
}

// The bitmap's row `row` from the top, whichever way its rows flow in memory.
const unsigned char* bitmap_row(const FT_Bitmap& bitmap, unsigned row)
{
    if (bitmap.pitch >= 0)
        return bitmap.buffer + static_cast<std::size_t>(row) * static_cast<std::size_t>(bitmap.pitch);
    std::size_t stride = static_cast<std::size_t>(-static_cast<long>(bitmap.pitch));
    return bitmap.buffer + static_cast<std::size_t>(bitmap.rows - 1 - row) * stride;
}

void copy_mono(const FT_Bitmap& bitmap, RenderedGlyph& glyph)
{
    for (unsigned y = 0; y < bitmap.rows; ++y) {
        const unsigned char* row = bitmap_row(bitmap, y);
        for (unsigned x = 0; x < bitmap.width; ++x)
            glyph.pixels[y * bitmap.width + x] = (row[x / 8] >> (7 - x % 8)) & 1;
    }
}

// Coverage of 0 to num_grays - 1 is scaled to 0 to 255 before it is compared.
void copy_grey(const FT_Bitmap& bitmap, int threshold, RenderedGlyph& glyph)
{
    const int top = std::max<int>(bitmap.num_grays - 1, 1);
    for (unsigned y = 0; y < bitmap.rows; ++y) {
        const unsigned char* row = bitmap_row(bitmap, y);
        for (unsigned x = 0; x < bitmap.width; ++x)
            glyph.pixels[y * bitmap.width + x] = row[x] * 255 / top > threshold ? 1 : 0;
    }
}

}  // namespace

// A FreeType stream over a file: FreeType asks for the pieces it needs, read with pread. The
// stream's descriptor points to the ReadableFile.
struct FreeTypeFace::FileStream {
    FT_StreamRec stream{};
};

namespace {

// FreeType's read of a stream: `count` bytes at `offset`, or, for a count of 0, a seek that is
// fine (0) when it stays within the file.
unsigned long read_file_stream(FT_Stream stream, unsigned long offset, unsigned char* buffer, unsigned long count)
{
    const auto* file = static_cast<const ReadableFile*>(stream->descriptor.pointer);
    if (count == 0)
        return offset <= stream->size ? 0 : 1;
    return file->read_at(static_cast<std::int64_t>(offset), reinterpret_cast<char*>(buffer), count);
}

}  // namespace

template <typename OpenFace>
void FreeTypeFace::open(int face_index, std::string_view start, OpenFace open_face)
{
    if (FT_Init_FreeType(&m_library) != 0) {
        m_library = nullptr;
        m_error = "the font library could not be started";
        return;
    }
    FT_Face probe = nullptr;
    if (FT_Error error = open_face(-1, &probe); error != 0) {
        m_error = open_error_text(error, start);
        return;
    }
    const FT_Long faces = probe->num_faces;
    FT_Done_Face(probe);
    if (face_index < 0 || face_index >= faces) {
        m_error = faces == 1 ? "it has only one face, face 0" : "it has no face " + to_decimal(face_index) + "; its faces are 0 to " + to_decimal(faces - 1);
        return;
    }
    if (FT_Error error = open_face(face_index, &m_face); error != 0) {
        m_face = nullptr;
        m_error = open_error_text(error, start);
        return;
    }
    m_unicode = FT_Select_Charmap(m_face, FT_ENCODING_UNICODE) == 0;
    if (!m_unicode && m_face->num_charmaps > 0)
        FT_Set_Charmap(m_face, m_face->charmaps[0]);
}

FreeTypeFace::FreeTypeFace(std::string_view data, int face_index)
{
    const auto* bytes = reinterpret_cast<const FT_Byte*>(data.data());
    const auto size = static_cast<FT_Long>(data.size());
    open(face_index, data, [&](FT_Long index, FT_Face* face) { return FT_New_Memory_Face(m_library, bytes, size, index, face); });
}

FreeTypeFace::FreeTypeFace(const ReadableFile& file, int face_index) : m_stream(std::make_unique<FileStream>())
{
    char start[16] = {};
    const std::size_t start_size = file.read_at(0, start, sizeof start);
    open(face_index, std::string_view(start, start_size), [&](FT_Long index, FT_Face* face) {
        // Each face reads the stream from its start; FreeType keeps the stream, not a copy.
        m_stream->stream = FT_StreamRec{};
        m_stream->stream.size = static_cast<unsigned long>(file.size());
        m_stream->stream.descriptor.pointer = const_cast<ReadableFile*>(&file);
        m_stream->stream.read = read_file_stream;
        FT_Open_Args arguments{};
        arguments.flags = FT_OPEN_STREAM;
        arguments.stream = &m_stream->stream;
        return FT_Open_Face(m_library, &arguments, index, face);
    });
}

FreeTypeFace::~FreeTypeFace()
{
    if (m_face != nullptr)
        FT_Done_Face(m_face);
    if (m_library != nullptr)
        FT_Done_FreeType(m_library);
}

int FreeTypeFace::face_count() const { return static_cast<int>(m_face->num_faces); }

std::string FreeTypeFace::family_name() const { return text_of(m_face->family_name); }

std::string FreeTypeFace::style_name() const { return text_of(m_face->style_name); }

bool FreeTypeFace::is_scalable() const { return FT_IS_SCALABLE(m_face); }

std::vector<int> FreeTypeFace::strike_sizes() const
{
    std::vector<int> sizes;
    for (int strike = 0; strike < m_face->num_fixed_sizes; ++strike) {
        const FT_Bitmap_Size& size = m_face->available_sizes[strike];
        sizes.push_back(size.y_ppem > 0 ? rounded_pixels(size.y_ppem) : size.height);
    }
    return sizes;
}

std::string FreeTypeFace::set_pixel_size(int pixels)
{
    if (FT_Set_Pixel_Sizes(m_face, 0, static_cast<FT_UInt>(pixels)) != 0)
        return "it cannot be scaled to " + to_decimal(pixels) + " pixels";
    return {};
}

std::string FreeTypeFace::select_strike(int index)
{
    if (FT_Select_Size(m_face, index) != 0)
        return "its size of " + to_decimal(strike_sizes()[static_cast<std::size_t>(index)]) + " pixels cannot be read";
    return {};
}

VerticalMetrics FreeTypeFace::vertical_metrics() const
{
    VerticalMetrics metrics;
    metrics.ascent = rounded_pixels(m_face->size->metrics.ascender);
    metrics.descent = -rounded_pixels(m_face->size->metrics.descender);
    if (!is_scalable()) {
        bdf_integer(m_face, "FONT_ASCENT", metrics.ascent);
        bdf_integer(m_face, "FONT_DESCENT", metrics.descent);
    }
    return metrics;
}

int FreeTypeFace::max_advance() const { return rounded_pixels(m_face->size->metrics.max_advance); }

std::vector<char32_t> FreeTypeFace::character_codes() const
{
    std::vector<char32_t> codes;
    FT_UInt index = 0;
    for (FT_ULong code = FT_Get_First_Char(m_face, &index); index != 0; code = FT_Get_Next_Char(m_face, code, &index)) {
        if (code > kLastCodePoint || (!codes.empty() && code <= codes.back()))
            break;
        codes.push_back(static_cast<char32_t>(code));
    }
    return codes;
}

bool FreeTypeFace::has_character(char32_t code_point) const { return FT_Get_Char_Index(m_face, code_point) != 0; }

bool FreeTypeFace::render(char32_t code_point, Rendering rendering, int threshold, RenderedGlyph& glyph) const
{
    const FT_UInt index = FT_Get_Char_Index(m_face, code_point);
    if (index == 0)
        return false;
    const bool mono = rendering == Rendering::Monochrome;
    if (FT_Load_Glyph(m_face, index, mono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL) != 0)
        return false;
    FT_GlyphSlot slot = m_face->glyph;
    if (slot->format != FT_GLYPH_FORMAT_BITMAP
        && FT_Render_Glyph(slot, mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0)
        return false;
    const FT_Bitmap& source = slot->bitmap;
    glyph.width = static_cast<int>(source.width);
    glyph.rows = static_cast<int>(source.rows);
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.advance = rounded_pixels(slot->advance.x);
    glyph.pixels.assign(static_cast<std::size_t>(source.width) * source.rows, 0);
    // A BDF character without BITMAP rows comes with a size but no pixels at all.
    if (source.width == 0 || source.rows == 0 || source.buffer == nullptr)
        return true;
    if (source.pixel_mode == FT_PIXEL_MODE_MONO) {
        copy_mono(source, glyph);
        return true;
    }
    if (source.pixel_mode == FT_PIXEL_MODE_GRAY) {
        copy_grey(source, threshold, glyph);
        return true;
    }
    FT_Bitmap converted;
    FT_Bitmap_Init(&converted);
    bool ok = FT_Bitmap_Convert(m_library, &source, &converted, 1) == 0 && converted.width == source.width
           && converted.rows == source.rows;
    if (ok)
        copy_grey(converted, threshold, glyph);
    FT_Bitmap_Done(m_library, &converted);
    return ok;
}

}  // namespace glyphwright
