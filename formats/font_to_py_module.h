#pragma once

// A MicroPython font module as its text holds it: the functions and byte strings that make the
// font, the kind of index its generator's version wrote, and each glyph's record, with what reads
// and codes a record. Shared by the font-module reader, writer and save in place only.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/font_file.h"
#include "formats/python_module.h"
#include "model/font.h"
#include "model/glyph_grid.h"

namespace glyphwright::font_to_py {

inline constexpr std::string_view kWiderForms = "the lvgl and bdf forms hold it";

// How the index finds a code's record, by the generator's version.
enum class IndexKind {
    Starts,          // _index: u16 starts, slot 0 the default glyph, slot k + 1 code min_ch + k
    StartsFromCode,  // _index: u16 starts, slot k code min_ch + k, no default glyph (the first version)
    Pairs,           // _index: u16 start and end a slot, slots as Starts
    SparseBytes,     // _sparse: u16 code and u16 offset an entry
    SparseEights,    // _sparse: offsets in units of 8 bytes, records aligned to them
};

inline bool sparse(IndexKind kind) { return kind == IndexKind::SparseBytes || kind == IndexKind::SparseEights; }

struct Layout {
    PythonModule module;
    const PythonBytes* font = nullptr;
    const PythonBytes* index = nullptr;
    IndexKind kind = IndexKind::Starts;
    int height = 0;
    std::optional<int> baseline;
    bool hmap = true;
    bool reverse = false;
    int min_ch = 32;
    int max_ch = 126;
};

// A glyph's record in `_font`, and its index entry.
struct Record {
    char32_t code = 0;
    std::size_t offset = 0;
    std::size_t entry = 0;  // the entry's first byte in the index
    int width = 0;
};

// The bytes of a record of a glyph `width` wide: its width, and its cell in rows or columns.
std::size_t record_size(int width, int height, bool hmap);

int u16_at(std::string_view bytes, std::size_t at);
void put_u16(std::string& bytes, std::size_t at, std::int64_t value);

// The module's layout, or none with `problem` saying why when it looks like a font module.
std::optional<Layout> layout_of(std::string_view text, std::string& problem);

// The records of the codes the index gives, in code order, with what disagrees as warnings.
std::vector<Record> records_of(std::string_view text, const Layout& layout, std::vector<std::string>& warnings);

// The font of the module: each glyph's cell from its top left, its advance its width.
FontReadResult font_of(std::string_view text, const Layout& layout);

// A glyph's record: its width, then its columns from the leftmost of its origin and its ink to
// the rightmost of its advance and its ink.
std::string record_of(const Font& font, const Glyph& glyph, GlyphGrid& grid, bool hmap, bool reverse);

}  // namespace glyphwright::font_to_py
