// Any text read as a u8g2 font gives a font or a message, never a crash.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/font_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string problem = glyphwright::fuzzing::check_form_reader(std::string_view(reinterpret_cast<const char*>(data), size), glyphwright::FontFormat::U8g2,
                                                                  glyphwright::fuzzing::Kept::WholeFont);
    if (!problem.empty()) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
