#include "text/code_page.h"

#include <iconv.h>

#include <cerrno>

namespace glyphwright {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Owns one iconv conversion; closed on every way out.
class Conversion {
public:
    explicit Conversion(const std::string& from) : m_handle(iconv_open("UTF-32LE", from.c_str())) {}
    ~Conversion()
    {
        if (ok())
            iconv_close(m_handle);
    }
    Conversion(const Conversion&) = delete;
    Conversion& operator=(const Conversion&) = delete;

    bool ok() const { return m_handle != reinterpret_cast<iconv_t>(-1); }

    // The character of one byte; none when the byte is no whole character of the set.
    std::optional<char32_t> character_of(unsigned char byte)
    {
        iconv(m_handle, nullptr, nullptr, nullptr, nullptr);
        char in[1] = {static_cast<char>(byte)};
        unsigned char out[8] = {};
        char* in_at = in;
        char* out_at = reinterpret_cast<char*>(out);
        std::size_t in_left = 1;
        std::size_t out_left = sizeof(out);
        if (iconv(m_handle, &in_at, &in_left, &out_at, &out_left) == static_cast<std::size_t>(-1) || in_left != 0
            || sizeof(out) - out_left != 4)
            return std::nullopt;
        return static_cast<char32_t>(out[0] | out[1] << 8 | out[2] << 16 | static_cast<char32_t>(out[3]) << 24);
    }

private:
    iconv_t m_handle;
};

}  // namespace

std::optional<CodePage> code_page_named(std::string_view name)
{
    CodePage page{std::string(name), {}};
    if (name.empty()) {
        for (std::size_t byte = 0; byte < 256; ++byte)
            page.code_points[byte] = static_cast<char32_t>(byte);
        return page;
    }
    Conversion conversion(page.name);
    if (!conversion.ok())
        return std::nullopt;
    int characters = 0;
    for (std::size_t byte = 0; byte < 256; ++byte) {
        std::optional<char32_t> character = conversion.character_of(static_cast<unsigned char>(byte));
        page.code_points[byte] = character.value_or(kReplacement);
        characters += character ? 1 : 0;
    }
    // A set of several bytes a character makes characters of few single bytes, ASCII at most.
    if (characters <= 128)
        return std::nullopt;
    return page;
}

char32_t unicode_of(char32_t code, const CodePage& code_page)
{
    return code <= 0xFF ? code_page.code_points[code] : code;
}

}  // namespace glyphwright
