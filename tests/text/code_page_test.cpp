#include "text/code_page.h"

#include <gtest/gtest.h>

namespace glyphwright {
namespace {

TEST(CodePage, NamesGiveTheCharactersOfEachByte)
{
    struct Row {
        const char* name;
        unsigned char byte;
        char32_t expected;
    };
    const Row rows[] = {
        {"", 0xC0, 0xC0},          // Latin-1, the default
        {"", 0x41, 'A'},
        {"CP1251", 0xC0, 0x410},   // a Russian display font's А
        {"CP1251", 0x41, 'A'},
        {"cp437", 0xDB, 0x2588},   // the classic glcdfont's full block, any letter case
        {"ISO-8859-7", 0xC1, 0x391},
        {"CP1251", 0x98, 0xFFFD},  // a byte the set leaves without a character
    };
    for (const Row& row : rows) {
        std::optional<CodePage> page = code_page_named(row.name);
        ASSERT_TRUE(page) << row.name;
        EXPECT_EQ(unicode_of(row.byte, *page), row.expected) << row.name << " " << int(row.byte);
    }
    EXPECT_EQ(unicode_of(0x416, *code_page_named("CP1251")), U'\u0416') << "codes past the bytes are code points";
    for (const char* wrong : {"NO-SUCH-SET", "UTF-8", "UCS-2"})
        EXPECT_FALSE(code_page_named(wrong).has_value()) << wrong;
}

}  // namespace
}  // namespace glyphwright
