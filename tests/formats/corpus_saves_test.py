#!/usr/bin/python3
"""Two properties over every font of every file of the corpus, through glyphwright-convert:

- Save in place changes only what changed: each font, taken out as BDF and written back into a copy
  of its file with --in-place, leaves the copy byte-identical; with one pixel of one glyph flipped,
  only the lines that hold that glyph's bytes differ.
- Written anew as C, each font compiles alone with cc, as for AVR and as for any other target, and
  defines its array under the name the writer gives it; written as an Adafruit GFX header, it
  compiles against stand-in declarations of the library's structs and defines its GFXfont; written
  as a TFT_eSPI font (rows and runs), its header and arrays compile as the library includes them,
  and TFT_eSPI's own run-length font written again gives the library's own runs; written as an
  LVGL font, it compiles against stand-in declarations of LVGL's font types and defines its
  lv_font_t; written as a glcd array or a ThingPulse font where the form holds it, it compiles.
- Written as a MicroPython font module (rows, and columns with --vmap), it imports, and get_ch()
  gives every glyph of the font as its BDF draws it, on the baseline that baseline() states.
- Written as a u8g2 font in each build mode, it compiles against a stand-in of the library's section
  macro, and a decoder written here from the form's description, finding each code as the library
  does (from 'A' or 'a', through the Unicode lookup table), draws every glyph's ink as its BDF does."""

import argparse
import importlib.util
import os
import re
import shutil
import subprocess
import sys
import tempfile

FORMS = ("c", "mmbasic", "gfx", "tft-espi", "lvgl", "glcd", "thingpulse", "font-to-py", "u8g2")

GFX_STAND_IN = """#include <stdint.h>
#define PROGMEM
typedef struct { uint16_t bitmapOffset; uint8_t width, height, xAdvance; int8_t xOffset, yOffset; } GFXglyph;
typedef struct { uint8_t *bitmap; GFXglyph *glyph; uint16_t first, last; uint8_t yAdvance; } GFXfont;
"""

LVGL_STAND_IN = """#include <stdint.h>
#include <stddef.h>
#define LV_ATTRIBUTE_LARGE_CONST
#define LV_FONT_FMT_TXT_LARGE 0
#define LVGL_VERSION_MAJOR 9
#define LVGL_VERSION_MINOR 3
#define LV_VERSION_CHECK(x, y, z) ((x) < LVGL_VERSION_MAJOR || ((x) == LVGL_VERSION_MAJOR && (y) <= LVGL_VERSION_MINOR))
#define LV_FONT_SUBPX_NONE 0
typedef struct { uint32_t bitmap_index : 20; uint32_t adv_w : 12; uint8_t box_w, box_h; int8_t ofs_x, ofs_y; } lv_font_fmt_txt_glyph_dsc_t;
enum { LV_FONT_FMT_TXT_CMAP_FORMAT0_TINY, LV_FONT_FMT_TXT_CMAP_FORMAT0_FULL, LV_FONT_FMT_TXT_CMAP_SPARSE_TINY,
       LV_FONT_FMT_TXT_CMAP_SPARSE_FULL };
typedef struct { uint32_t range_start; uint16_t range_length, glyph_id_start; const uint16_t *unicode_list;
                 const void *glyph_id_ofs_list; uint16_t list_length; int type; } lv_font_fmt_txt_cmap_t;
typedef struct { const uint8_t *glyph_bitmap; const lv_font_fmt_txt_glyph_dsc_t *glyph_dsc; const lv_font_fmt_txt_cmap_t *cmaps;
                 const void *kern_dsc; uint16_t kern_scale; uint16_t cmap_num : 9, bpp : 4, kern_classes : 1, bitmap_format : 2; } lv_font_fmt_txt_dsc_t;
typedef void (*lv_font_function_t)(void);
typedef struct lv_font_t { lv_font_function_t get_glyph_dsc, get_glyph_bitmap; int32_t line_height, base_line; uint8_t subpx;
                           int8_t underline_position, underline_thickness; uint8_t static_bitmap; const void *dsc;
                           const struct lv_font_t *fallback; void *user_data; } lv_font_t;
void lv_font_get_glyph_dsc_fmt_txt(void);
void lv_font_get_bitmap_fmt_txt(void);
"""


def run(command, **kwargs):
    return subprocess.run(command, capture_output=True, text=True, **kwargs)


def fonts_of(binary, path):
    """The list lines of a file's fonts: (number, name, form)."""
    listed = run([binary, "--list", path])
    fonts = []
    for line in listed.stdout.splitlines():
        match = re.match(r".*: (\d+): (.*?): \d+ x \d+.*\(([\w-]+), lines", line)
        if match:
            fonts.append((match.group(1), match.group(2), match.group(3)))
    return fonts


def flip_first_set_row(bdf_text):
    """The BDF with the first pixel of the first glyph that has a bitmap row flipped; the glyph's
    ENCODING."""
    lines = bdf_text.split("\n")
    encoding = None
    for at, line in enumerate(lines):
        if line.startswith("ENCODING"):
            encoding = line.split()[1]
        if line == "BITMAP" and lines[at + 1] != "ENDCHAR":
            row = lines[at + 1]
            lines[at + 1] = "%0*X" % (len(row), int(row, 16) ^ (1 << (4 * len(row) - 1)))
            return "\n".join(lines), encoding
    return None, None


def differing_lines(a, b):
    a_lines, b_lines = a.splitlines(), b.splitlines()
    if len(a_lines) != len(b_lines):
        return max(len(a_lines), len(b_lines))
    return sum(1 for x, y in zip(a_lines, b_lines) if x != y)


def check_in_place(binary, path, number, form, folder, problems):
    bdf = os.path.join(folder, "font.bdf")
    copy = os.path.join(folder, "copy" + os.path.splitext(path)[1])
    shutil.copyfile(path, copy)
    out = run([binary, "--font", number, path, bdf])
    if out.returncode != 0:
        problems.append(f"{path} font {number}: not taken out: {out.stderr.strip()}")
        return
    put = run([binary, "--in-place", bdf, "--font", number, copy])
    if put.returncode != 0:
        problems.append(f"{path} font {number}: not put back: {put.stderr.strip()}")
        return
    with open(path, "rb") as original, open(copy, "rb") as saved:
        if original.read() != saved.read():
            problems.append(f"{path} font {number}: saved in place without edits, the file changed")
            return
    with open(bdf) as bdf_file:
        flipped, _ = flip_first_set_row(bdf_file.read())
    if flipped is None:
        return
    with open(bdf, "w") as bdf_file:
        bdf_file.write(flipped)
    put = run([binary, "--in-place", bdf, "--font", number, copy])
    if put.returncode != 0:
        problems.append(f"{path} font {number}: edited font not put back: {put.stderr.strip()}")
        return
    with open(path, encoding="latin-1") as original, open(copy, encoding="latin-1") as saved:
        changed = differing_lines(original.read(), saved.read())
    # A C glyph is one line; a DefineFont glyph's bytes lie in one word or two, on one line or two; a
    # GFX glyph whose box changes moves the offsets of the records after it.
    most = {"c": 1, "bas": 2}.get(form, changed)
    if changed == 0 or changed > most:
        problems.append(f"{path} font {number}: one pixel flipped changes {changed} lines, not 1 to {most}")


def compile_problem(source, include, defines, folder, name, symbol_kinds="RDB"):
    """Why `source` does not compile alone with cc, or does not define `name` (as a symbol of one
    of `symbol_kinds`, as nm prints them); None when it does."""
    objects = os.path.join(folder, "font.o")
    compiled = run(["cc", "-c", "-x", "c", "-std=c99", "-Wall", "-Werror", "-I", include, *defines, source,
                    "-o", objects])
    if compiled.returncode != 0:
        return f"does not compile:\n{compiled.stderr}"
    symbols = run(["nm", objects]).stdout
    if not re.search(r" [" + symbol_kinds + "] " + re.escape(name) + r"$", symbols, re.M):
        return f"compiles, but defines no {name}:\n{symbols}"
    return None


def written_as(binary, path, number, form, source, pattern, problems):
    """The font written in `form` to `source`, and the name `pattern` finds in it; None on failure."""
    out = run([binary, "--font", number, "--to", form, path, source])
    if out.returncode != 0:
        if "holds codes 0 to 255 only" not in out.stderr and "at most 255 characters in one run" not in out.stderr:
            problems.append(f"{path} font {number}: not written as {form}: {out.stderr.strip()}")
        return None
    with open(source, encoding="latin-1") as written:
        return re.search(pattern, written.read(), re.M).group(1)


def check_compiles(binary, path, number, folder, include, problems):
    source = os.path.join(folder, "font.c")
    name = written_as(binary, path, number, "c", source, r"^fontdatatype (\w+)\[", problems)
    if name is None:
        return
    for defines, target in ((["-D__AVR__"], "AVR"), ([], "other targets")):
        problem = compile_problem(source, include, defines, folder, name)
        if problem:
            problems.append(f"{path} font {number}, as C for {target}: {problem}")


def check_gfx_compiles(binary, path, number, folder, include, problems):
    source = os.path.join(folder, "font.h")
    name = written_as(binary, path, number, "gfx", source, r"^const GFXfont (\w+) PROGMEM", problems)
    if name is None:
        return
    # A header is compiled as a sketch uses it: included by a source file.
    user = os.path.join(folder, "use.c")
    with open(user, "w") as use:
        use.write('#include "font.h"\n')
    problem = compile_problem(user, include, [], folder, name)
    if problem:
        problems.append(f"{path} font {number}, as a GFX header: {problem}")


def check_tft_compiles(binary, path, number, include, problems):
    """The font as a TFT_eSPI font in both encodings, compiled as TFT_eSPI includes it: the header
    from Fonts/, which includes the arrays. A font with codes the form cannot hold is skipped."""
    folder = os.path.join(include, "Fonts")
    os.makedirs(folder, exist_ok=True)
    source = os.path.join(folder, "font.c")
    for options in ([], ["--rle"]):
        out = run([binary, "--font", number, "--to", "tft-espi", *options, path, source])
        if out.returncode != 0:
            if "outside 32 to 127" not in out.stderr:
                problems.append(f"{path} font {number}: not written as tft-espi {options}: {out.stderr.strip()}")
            return
        with open(source, encoding="latin-1") as written:
            name = re.search(r"^PROGMEM const unsigned char\* const (chrtbl_\w+)\[", written.read(), re.M).group(1)
        user = os.path.join(include, "use.c")
        with open(user, "w") as use:
            use.write("#define PROGMEM\n#include <Fonts/font.h>\n")
        problem = compile_problem(user, include, [], include, name)
        if problem:
            problems.append(f"{path} font {number}, as a TFT_eSPI font {options}: {problem}")


def check_lvgl_compiles(binary, path, number, folder, include, problems):
    source = os.path.join(folder, "font.c")
    name = written_as(binary, path, number, "lvgl", source, r"^const lv_font_t (\w+) = \{", problems)
    if name is None:
        return
    problem = compile_problem(source, include, [], folder, name)
    if problem:
        problems.append(f"{path} font {number}, as an LVGL font: {problem}")


def check_glcd_compiles(binary, path, number, folder, include, problems):
    """The font as a glcd array, when the form holds it, compiled for AVR and for other targets."""
    source = os.path.join(folder, "font.c")
    out = run([binary, "--font", number, "--to", "glcd", path, source])
    if out.returncode != 0:
        if "outside a glcd glyph" not in out.stderr and "code past 255" not in out.stderr:
            problems.append(f"{path} font {number}: not written as glcd: {out.stderr.strip()}")
        return
    with open(source, encoding="latin-1") as written:
        name = re.search(r"^static const unsigned char (\w+)\[\] PROGMEM", written.read(), re.M).group(1)
    for defines in (["-D__AVR__"], []):
        # The array is static, as glcdfont.c's is: a local symbol of the one file that includes it.
        problem = compile_problem(source, include, defines + ["-Wno-unused-const-variable"], folder, name, "rR")
        if problem:
            problems.append(f"{path} font {number}, as a glcd array {defines}: {problem}")


def ink_shapes(glyphs):
    """Each inked glyph's pixels from its leftmost column, rows counted from the font's lowest ink:
    what a form that moves glyphs to their ink (and the baseline with them) keeps."""
    bottom = min((y for _, ink in glyphs.values() for _, y in ink), default=0)
    shapes = {}
    for code, (_, ink) in glyphs.items():
        if ink:
            left = min(x for x, _ in ink)
            shapes[code] = frozenset((x - left, y - bottom) for x, y in ink)
    return shapes


def check_thingpulse_compiles(binary, path, number, folder, include, problems):
    """The font as a ThingPulse array, when the form holds it, compiled alone and read back with
    the ink of every glyph of its BDF."""
    source = os.path.join(folder, "font.c")
    out = run([binary, "--font", number, "--to", "thingpulse", path, source])
    if out.returncode != 0:
        if "code past 255" not in out.stderr and "holds at most 255 codes" not in out.stderr:
            problems.append(f"{path} font {number}: not written as thingpulse: {out.stderr.strip()}")
        return
    with open(source, encoding="latin-1") as written:
        name = re.search(r"^const uint8_t (\w+)\[\] PROGMEM", written.read(), re.M).group(1)
    problem = compile_problem(source, include, [], folder, name)
    if problem:
        problems.append(f"{path} font {number}, as a ThingPulse font: {problem}")
    bdf, back = os.path.join(folder, "font.bdf"), os.path.join(folder, "back.bdf")
    if run([binary, "--font", number, path, bdf]).returncode != 0:
        return
    out = run([binary, "--format", "thingpulse", source, back])
    if out.returncode != 0:
        problems.append(f"{path} font {number}: its ThingPulse font is not read back: {out.stderr.strip()}")
        return
    with open(bdf, encoding="latin-1") as before, open(back, encoding="latin-1") as after:
        if ink_shapes(bdf_glyphs(before.read())) != ink_shapes(bdf_glyphs(after.read())):
            problems.append(f"{path} font {number}: its ThingPulse font read back draws otherwise than its BDF")


def bdf_glyphs(text):
    """Each glyph of a BDF: code -> (advance, set of (x right of the origin, y above the baseline))."""
    glyphs = {}
    lines = iter(text.splitlines())
    for line in lines:
        if line.startswith("ENCODING"):
            code = int(line.split()[1])
        elif line.startswith("DWIDTH"):
            advance = int(line.split()[1])
        elif line.startswith("BBX"):
            width, height, x_offset, y_offset = (int(n) for n in line.split()[1:5])
        elif line == "BITMAP":
            ink = set()
            for row in range(height):
                bits = int(next(lines), 16)
                digits = (width + 7) // 8 * 8
                ink |= {(x_offset + x, y_offset + height - 1 - row) for x in range(width) if bits >> (digits - 1 - x) & 1}
            glyphs[code] = (advance, ink)
    return glyphs


def module_glyph(module, code):
    """What get_ch() gives for a code: (width, set of (x, y from the top))."""
    data, height, width = module.get_ch(chr(code))
    ink = set()
    for x in range(width):
        for y in range(height):
            if module.hmap():
                byte, bit = data[y * ((width + 7) // 8) + x // 8], 7 - x % 8
            else:
                byte, bit = data[x * ((height + 7) // 8) + y // 8], y % 8
            if byte >> bit & 1:
                ink.add((x, y))
    return width, ink


def check_module(binary, path, number, folder, problems):
    """The font as a font module, rows and columns, imported: get_ch() draws each glyph of its BDF."""
    bdf = os.path.join(folder, "font.bdf")
    if run([binary, "--font", number, path, bdf]).returncode != 0:
        return
    with open(bdf, encoding="latin-1") as bdf_file:
        glyphs = bdf_glyphs(bdf_file.read())
    for options in ([], ["--vmap"]):
        source = os.path.join(folder, "font_module.py")
        out = run([binary, "--font", number, "--to", "font-to-py", *options, path, source])
        if out.returncode != 0:
            if "code past U+FFFF" not in out.stderr and "bytes a sparse index reaches" not in out.stderr:
                problems.append(f"{path} font {number}: not written as font-to-py {options}: {out.stderr.strip()}")
            return
        found = importlib.util.spec_from_file_location("font_module", source)
        module = importlib.util.module_from_spec(found)
        try:
            found.loader.exec_module(module)
        except Exception as error:  # the test reports any failure of the written module
            problems.append(f"{path} font {number}: the module {options} does not import: {error}")
            return
        baseline = module.baseline()
        for code, (advance, ink) in glyphs.items():
            width, drawn = module_glyph(module, code)
            left = min([0] + [x for x, _ in ink])
            expected = {(x - left, baseline - 1 - y) for x, y in ink}
            right = max([advance] + [x + 1 for x, _ in ink])
            if drawn != expected or width != right - left:
                problems.append(f"{path} font {number}: get_ch() of the module {options} draws code {code} otherwise than its BDF")
                return


def c_string_bytes(text):
    """The bytes of the string literals after the first "=" up to ";", and the terminating zero."""
    out = bytearray()
    at = text.index("=") + 1
    while True:
        while text[at] in " \t\r\n":
            at += 1
        if text[at] == ";":
            return bytes(out) + b"\0"
        assert text[at] == '"', text[at:at + 20]
        at += 1
        while text[at] != '"':
            if text[at] != "\\":
                out.append(ord(text[at]))
                at += 1
                continue
            digits = re.match(r"[0-7]{1,3}", text[at + 1:])
            out.append(int(digits.group(0), 8))
            at += 1 + len(digits.group(0))
        at += 1


def u8g2_glyph(font, code):
    """The glyph u8g2 draws for a code: (advance, set of (x, y above the baseline)), or None."""
    def bits_of(at):
        for byte in font[at:]:
            for bit in range(8):
                yield byte >> bit & 1
    def take(stream, count):
        return sum(next(stream) << k for k in range(count))
    if code <= 255:
        at = 23
        if code >= ord("a") and (font[19] << 8 | font[20]):
            at += font[19] << 8 | font[20]
        elif code >= ord("A") and (font[17] << 8 | font[18]):
            at += font[17] << 8 | font[18]
        while font[at + 1] != 0 and font[at] != code:
            at += font[at + 1]
        if font[at + 1] == 0:
            return None
        stream = bits_of(at + 2)
    else:
        at = 23 + (font[21] << 8 | font[22])
        record = at
        while True:
            record += font[at] << 8 | font[at + 1]
            last = font[at + 2] << 8 | font[at + 3]
            at += 4
            if last >= code:
                break
        while (font[record] << 8 | font[record + 1]) not in (0, code):
            record += font[record + 2]
        if font[record] << 8 | font[record + 1] == 0:
            return None
        stream = bits_of(record + 3)
    width, height = take(stream, font[4]), take(stream, font[5])
    x, y, advance = (take(stream, font[k]) - (1 << font[k] - 1) for k in (6, 7, 8))
    pixels, filled = set(), 0
    while width and filled < width * height:
        zeros, ones = take(stream, font[2]), take(stream, font[3])
        while True:
            filled += zeros
            for _ in range(ones):
                pixels.add((x + filled % width, y + height - 1 - filled // width))
                filled += 1
            if not take(stream, 1):
                break
    return advance, pixels


def check_u8g2(binary, path, number, folder, include, problems):
    """The font as u8g2 in each build mode: it compiles, and every glyph decodes to its BDF's ink."""
    bdf = os.path.join(folder, "font.bdf")
    if run([binary, "--font", number, path, bdf]).returncode != 0:
        return
    with open(bdf, encoding="latin-1") as bdf_file:
        glyphs = bdf_glyphs(bdf_file.read())
    for mode in "thm8":
        source = os.path.join(folder, "font.c")
        out = run([binary, "--font", number, "--to", "u8g2", "--u8g2-mode", mode, path, source])
        if out.returncode != 0:
            if "code past U+FFFE" not in out.stderr and "past the 254 a record holds" not in out.stderr \
                    and "holds up to 127 x 127" not in out.stderr:
                problems.append(f"{path} font {number}: not written as u8g2 {mode}: {out.stderr.strip()}")
            return
        with open(source, encoding="latin-1") as written:
            text = written.read()
        name = re.search(r"^const uint8_t (\w+)\[", text, re.M).group(1)
        problem = mode == "t" and compile_problem(source, include, ["-include", "u8g2.h", "-DU8G2_USE_LARGE_FONTS"], folder, name)
        if problem:
            problems.append(f"{path} font {number}, as u8g2 {mode}: {problem}")
        font = c_string_bytes(text)
        for code, (advance, ink) in glyphs.items():
            drawn = u8g2_glyph(font, code)
            if drawn is None or (mode == "t" and drawn != (advance, ink)) or (mode != "t" and not ink_alike(drawn[1], ink)):
                problems.append(f"{path} font {number}: u8g2 {mode} draws code {code} otherwise than its BDF")
                return


def check_u8g2_lookup_table(binary, folder, include, problems):
    """DejaVu Sans with 700 codes past 255, so the lookup table has six entries: each found."""
    dejavu = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
    if not os.path.exists(dejavu):
        return 0
    bdf = os.path.join(folder, "wide.bdf")
    out = run([binary, "--import", dejavu, "--size", "12", "--range", "U+0020-U+007E,U+0100-U+024F,U+0370-U+03FF,U+0400-U+04FF",
               "--to", "bdf", bdf])
    if out.returncode != 0:
        problems.append(f"DejaVu Sans not imported: {out.stderr.strip()}")
        return 0
    check_u8g2(binary, bdf, "1", folder, include, problems)
    return 1


def ink_alike(drawn, ink):
    """The same ink, but for a move right that a build mode of common cells makes of ink left of the pen."""
    if not ink:
        return not drawn
    shift = min(x for x, _ in drawn) - min(x for x, _ in ink)
    return {(x - shift, y) for x, y in drawn} == ink and shift >= 0


def glyph_runs(path, include):
    """The numbers of the glyph arrays of a TFT_eSPI font file as the compiler sees them."""
    expanded = run(["cpp", "-P", "-DPROGMEM=", path]).stdout
    return [re.findall(r"0x[0-9A-Fa-f]+", body) for body in re.findall(r"chr_\w+\[\d*\]\s*=\s*\{([^}]*)\}", expanded)]


def check_library_runs(binary, path, include, problems):
    written = os.path.join(include, "again.c")
    out = run([binary, "--to", "tft-espi", "--rle", path, written])
    runs = [[int(n, 16) for n in body] for body in glyph_runs(path, include)]
    again = [[int(n, 16) for n in body] for body in glyph_runs(written, include)]
    if out.returncode != 0 or runs != again:
        problems.append(f"{path}: written again with --rle, the runs differ from the library's {out.stderr.strip()}")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--binary", required=True)
    parser.add_argument("--corpus", required=True)
    arguments = parser.parse_args()
    if not os.path.isdir(arguments.corpus):
        print(f"skipped: no corpus at {arguments.corpus}")
        return 77
    problems = []
    checked = 0
    with tempfile.TemporaryDirectory(prefix="glyphwright-corpus-") as folder:
        include = os.path.join(folder, "include")
        os.makedirs(os.path.join(include, "avr"))
        with open(os.path.join(include, "avr", "pgmspace.h"), "w") as stand_in:
            stand_in.write("#include <stdint.h>\n#define PROGMEM\n")
        with open(os.path.join(include, "avr", "io.h"), "w") as stand_in:
            stand_in.write("")
        with open(os.path.join(include, "Adafruit_GFX.h"), "w") as stand_in:
            stand_in.write(GFX_STAND_IN)
        with open(os.path.join(include, "lvgl.h"), "w") as stand_in:
            stand_in.write(LVGL_STAND_IN)
        with open(os.path.join(include, "u8g2.h"), "w") as stand_in:
            stand_in.write("#include <stdint.h>\n#define U8G2_FONT_SECTION(name)\n")
        for form in FORMS:
            directory = os.path.join(arguments.corpus, form)
            for name in sorted(os.listdir(directory)) if os.path.isdir(directory) else []:
                path = os.path.join(directory, name)
                for number, _, font_form in fonts_of(arguments.binary, path):
                    check_in_place(arguments.binary, path, number, font_form, folder, problems)
                    check_compiles(arguments.binary, path, number, folder, include, problems)
                    check_gfx_compiles(arguments.binary, path, number, folder, include, problems)
                    check_tft_compiles(arguments.binary, path, number, include, problems)
                    check_lvgl_compiles(arguments.binary, path, number, folder, include, problems)
                    check_glcd_compiles(arguments.binary, path, number, folder, include, problems)
                    check_thingpulse_compiles(arguments.binary, path, number, folder, include, problems)
                    check_module(arguments.binary, path, number, folder, problems)
                    check_u8g2(arguments.binary, path, number, folder, include, problems)
                    if font_form == "tft-espi" and "rle" in name:
                        check_library_runs(arguments.binary, path, include, problems)
                    checked += 1
        checked += check_u8g2_lookup_table(arguments.binary, folder, include, problems)
    print(f"{checked} fonts checked")
    for problem in problems:
        print("FAILED:", problem)
    return 1 if problems or checked == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
