#!/usr/bin/python3
"""BDF files written by glyphwright-convert, read with Pillow's BDF parser, hold every glyph of the
font they were made from, read with Pillow's PCF parser: the same code points, advances and pixels
around the origin on the baseline. Neither parser is ours."""

import argparse
import gzip
import io
import os
import subprocess
import sys
import tempfile

try:
    from PIL import BdfFontFile, PcfFontFile
except ImportError:
    print("skipped: Pillow (python3-pil) is not installed")
    sys.exit(77)


def drawn(advance, box, image):
    """A glyph as its advance and its set pixels around the origin (x right, y down)."""
    left, top = box[0], box[1]
    width = image.size[0]
    pixels = frozenset((left + at % width, top + at // width) for at, value in enumerate(image.getdata()) if value)
    return advance, pixels


def bdf_glyphs(path):
    """Every character of a BDF file by its ENCODING, through Pillow's reader of one character."""
    glyphs = {}
    with open(path, "rb") as bdf:
        while True:
            character = BdfFontFile.bdf_char(bdf)
            if not character:
                return glyphs
            _, code, ((advance, _), box, _), image = character
            glyphs[code] = drawn(advance, box, image)


class WholePcf(PcfFontFile.PcfFontFile):
    """Pillow's PCF reader, which maps only codes below 256, with the whole encoding table read."""

    def __init__(self, data):  # pylint: disable=super-init-not-called
        fp = io.BytesIO(data)
        if PcfFontFile.l32(fp.read(4)) != PcfFontFile.PCF_MAGIC:
            raise SyntaxError("not a PCF file")
        self.toc = {}
        for _ in range(PcfFontFile.l32(fp.read(4))):
            kind = PcfFontFile.l32(fp.read(4))
            self.toc[kind] = PcfFontFile.l32(fp.read(4)), PcfFontFile.l32(fp.read(4)), PcfFontFile.l32(fp.read(4))
        self.fp = fp
        self.info = self._load_properties()
        metrics = self._load_metrics()
        bitmaps = self._load_bitmaps(metrics)
        self.glyphs = {}
        for code, index in self._whole_encoding().items():
            x, y, left, _, width, _, descent, _ = metrics[index]
            self.glyphs[code] = drawn(width, (left, descent - y), bitmaps[index])

    def _whole_encoding(self):
        fp, _, i16, _ = self._getformat(PcfFontFile.PCF_BDF_ENCODINGS)
        first_col, last_col = i16(fp.read(2)), i16(fp.read(2))
        first_row, last_row = i16(fp.read(2)), i16(fp.read(2))
        i16(fp.read(2))
        columns = last_col - first_col + 1
        offsets = [i16(fp.read(2)) for _ in range(columns * (last_row - first_row + 1))]
        return {(first_row + at // columns) * 256 + first_col + at % columns: offset
                for at, offset in enumerate(offsets) if offset != 0xFFFF}


def pcf_glyphs(path):
    with open(path, "rb") as font:
        data = font.read()
    if path.endswith(".gz"):
        data = gzip.decompress(data)
    return WholePcf(data).glyphs


def convert(binary, *arguments):
    run = subprocess.run([binary, *arguments], capture_output=True, text=True, check=False)
    if run.returncode != 0:
        sys.exit(f"glyphwright-convert {' '.join(arguments)} failed: {run.stderr}")


def compare(name, made, source, codes):
    """Every code of `codes` the source has is in the BDF file, drawn as the source draws it."""
    expected = {code: source[code] for code in codes if code in source}
    if set(made) != set(expected):
        missing = sorted(set(expected) - set(made))[:5]
        surplus = sorted(set(made) - set(expected))[:5]
        sys.exit(f"{name}: other code points than the source's: missing {missing}, surplus {surplus}")
    for code, glyph in expected.items():
        if made[code] != glyph:
            sys.exit(f"{name}: U+{code:04X} differs: {made[code][0]} {sorted(made[code][1])[:6]} against "
                     f"{glyph[0]} {sorted(glyph[1])[:6]}")
    print(f"{name}: {len(expected)} glyphs alike")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--binary", required=True)
    arguments = parser.parse_args()
    cases = [
        # A proportional font: its own advance and box for each glyph, some left of the origin.
        ("/usr/share/fonts/X11/75dpi/helvR12.pcf.gz", "U+0020-U+00FF,U+0100-U+017F", range(0x20, 0x180)),
        # A fixed font of a Unicode range with gaps.
        ("/usr/share/fonts/X11/misc/9x15.pcf.gz", "U+0020-U+007E,U+0391-U+03C9,U+2500-U+257F",
         [*range(0x20, 0x7F), *range(0x391, 0x3CA), *range(0x2500, 0x2580)]),
        # The whole of GNU Unifont's Basic Multilingual Plane.
        ("/usr/share/fonts/X11/misc/unifont.pcf.gz", "U+0000-U+FFFF", range(0, 0x10000)),
    ]
    checked = 0
    with tempfile.TemporaryDirectory() as folder:
        for font, ranges, codes in cases:
            if not os.path.exists(font):
                print(f"{font} is not installed; passed over")
                continue
            bdf = os.path.join(folder, "made.bdf")
            convert(arguments.binary, "--import", font, "--range", ranges, bdf)
            made = bdf_glyphs(bdf)
            # The BDF file read back by the importer and written again gives the same file.
            again = os.path.join(folder, "again.bdf")
            convert(arguments.binary, "--import", bdf, "--range", ranges, again)
            with open(bdf, "rb") as first, open(again, "rb") as second:
                if first.read().split(b"CHARS ")[1] != second.read().split(b"CHARS ")[1]:
                    sys.exit(f"{font}: written, imported and written again, the glyphs differ")
            compare(os.path.basename(font), made, pcf_glyphs(font), codes)
            checked += 1
    if checked == 0:
        print("skipped: none of the X11 fonts is installed")
        sys.exit(77)


if __name__ == "__main__":
    main()
