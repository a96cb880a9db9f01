#include "formats/font_file.h"

#include "text/text_primitives.h"

namespace glyphwright {

FontReadResult refused(std::string message)
{
    FontReadResult result;
    result.message = std::move(message);
    return result;
}

std::string character_label(int code) { return "Chr$(" + to_decimal(code) + ")  " + char_of(code); }

}  // namespace glyphwright
