#pragma once

// The scan of a form that finds its fonts as sources in a C text (a GFXfont record, an lv_font_t,
// a TFT_eSPI pointer table), each source found or the reason in its place.

#include <string_view>
#include <utility>
#include <vector>

#include "formats/font_file.h"

namespace glyphwright {

// An entry for every source whose cell can be read: `cell_of(source)` reads it (a FontReadResult)
// and `place(source, entry)` sets the entry's name and places. The first refusal met, of a source
// or of its cell, is kept; `none_found` is the refusal when there is neither an entry nor one.
template <typename Found, typename CellOf, typename Place>
FontScan scan_found_sources(const std::vector<Found>& found_sources, CellOf cell_of, Place place, std::string_view none_found)
{
    FontScan scan;
    for (const Found& found : found_sources) {
        if (!found.source) {
            if (scan.refusal.empty())
                scan.refusal = found.refusal;
            continue;
        }
        const FontReadResult cell = cell_of(*found.source);
        if (!cell.ok) {
            if (scan.refusal.empty())
                scan.refusal = cell.message;
            continue;
        }
        FontEntry entry;
        entry.header = cell.font.header;
        place(*found.source, entry);
        scan.entries.push_back(std::move(entry));
    }
    if (scan.entries.empty() && scan.refusal.empty())
        scan.refusal = none_found;
    return scan;
}

}  // namespace glyphwright
