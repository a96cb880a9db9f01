#pragma once

// A TrueType collection (.ttc) made of whole TrueType fonts, so that tests can read a file of
// several faces without a package that ships one.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace glyphwright::testing {

namespace collection_detail {

inline std::uint32_t read_u32(const std::string& bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

inline void write_u32(std::string& bytes, std::size_t at, std::uint32_t value)
{
    for (std::size_t i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>((value >> (24 - 8 * i)) & 0xFF);
}

}  // namespace collection_detail

// The "ttcf" header with one offset per font, then the fonts one after another. A font's table
// records give offsets from the start of the file, so each is moved by where its font now starts.
inline std::string font_collection(const std::vector<std::string>& fonts)
{
    using namespace collection_detail;
    std::string file(12 + 4 * fonts.size(), '\0');
    file.replace(0, 4, "ttcf");
    write_u32(file, 4, 0x00010000);
    write_u32(file, 8, static_cast<std::uint32_t>(fonts.size()));
    for (std::size_t index = 0; index < fonts.size(); ++index) {
        std::string font = fonts[index];
        const auto start = static_cast<std::uint32_t>(file.size());
        const std::size_t tables = (static_cast<unsigned char>(font[4]) << 8) | static_cast<unsigned char>(font[5]);
        for (std::size_t record = 0; record < tables; ++record) {
            const std::size_t offset_at = 12 + 16 * record + 8;
            write_u32(font, offset_at, read_u32(font, offset_at) + start);
        }
        write_u32(file, 12 + 4 * index, start);
        file += font;
        file.resize((file.size() + 3) / 4 * 4, '\0');  // tables stay on four-byte boundaries
    }
    return file;
}

}  // namespace glyphwright::testing
