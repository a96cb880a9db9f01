#!/usr/bin/env python3
"""Drives the real editor in Xvfb: opens a display library's source that holds three fonts,
chooses BigFont in the choice dialog, flips a pixel, saves in place, and checks that only BigFont's
lines changed and that the file still compiles with a C compiler. Skips (status 77) when the
corpus is absent."""

import argparse
import contextlib
import os
import shutil
import subprocess
import sys
import tempfile

import editor_e2e_test as e2e

SOURCE = "dgolda-UTFT_DefaultFonts.c"
BIG_FONT_LINES = (125, 227)  # the array line to the closing line, 1-based
SKIPPED = 77

# Display libraries define fontdatatype and PROGMEM for their platform before they include a font.
COMPILE_TEST = """#define PROGMEM
#define fontdatatype const unsigned char
#include "%s"
_Static_assert(sizeof(SmallFont) == 1144, "SmallFont keeps its size");
_Static_assert(sizeof(BigFont) == 3044, "BigFont keeps its size");
_Static_assert(sizeof(SevenSegNumFont) == 2004, "SevenSegNumFont keeps its size");
"""


TITLE = SOURCE + " (BigFont) - Glyphwright"


def wait_for_title(editor, title):
    e2e.wait_for("the title " + repr(title), lambda: editor.xdotool("getwindowname", editor.window) == title)


def choose_second_font(editor, work):
    dialog = e2e.wait_for("the font choice", lambda: editor.find_window("^Choose a font$"))
    editor.xdotool("windowfocus", "--sync", dialog)
    editor.keys("Down", "Return")
    e2e.wait_for("the choice to close", lambda: not editor.find_window("^Choose a font$"))


def read_lines(path):
    with open(path, "rb") as f:
        return f.read().splitlines(keepends=True)


def check_saved(original, saved):
    before, after = read_lines(original), read_lines(saved)
    first, last = BIG_FONT_LINES
    if after[:first - 1] != before[:first - 1] or after[last:] != before[last:]:
        raise e2e.Failure("lines outside BigFont changed")
    space = after[first + 1]
    if not space.startswith(b"0x80,0x00,"):
        raise e2e.Failure("BigFont's first glyph does not hold the flipped pixel: %r" % space[:40])


def check_compiles(work):
    test = os.path.join(work, "uses_fonts.c")
    with open(test, "w") as f:
        f.write(COMPILE_TEST % SOURCE)
    result = subprocess.run(["cc", "-c", test, "-o", os.path.join(work, "uses_fonts.o")], capture_output=True, text=True)
    if result.returncode != 0:
        raise e2e.Failure("the saved file does not compile:\n" + result.stderr)


def drive(binary, work, original):
    with contextlib.ExitStack() as stack:
        editor = e2e.start_editor(stack, binary, work)
        try:
            path = os.path.join(work, SOURCE)
            editor.choose_menu_item("Open")
            editor.answer_file_dialog("font.c or font.BAS file to modify.", path)
            choose_second_font(editor, work)
            e2e.wait_for("the window to fit the 16 x 16 font", lambda: editor.window_size() == (320, 230))
            wait_for_title(editor, TITLE)
            editor.click_cell(0, 0)
            editor.wait_for_cells("the flipped pixel", [((0, 0), (255, 255, 255))])
            wait_for_title(editor, "*" + TITLE)
            stamp = os.stat(path).st_mtime_ns
            editor.window_keys("ctrl+s")  # Save goes back into the file the font came from
            e2e.wait_for("the saved file", lambda: os.stat(path).st_mtime_ns != stamp)
            wait_for_title(editor, TITLE)
            check_saved(original, path)
            check_compiles(work)
            status = editor.quit()
            if status != 0:
                raise e2e.Failure("the editor ended with status %d" % status)
        finally:
            editor.kill()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--binary", required=True)
    parser.add_argument("--corpus", required=True)
    args = parser.parse_args()
    original = os.path.join(args.corpus, "c", SOURCE)
    if not os.path.exists(original):
        print("the corpus file %s is absent" % original, file=sys.stderr)
        return SKIPPED
    for tool in ("Xvfb", "xdotool", "xdpyinfo", "import", "convert", "cc"):
        if shutil.which(tool) is None:
            print("%s is missing; scripts/setup.sh installs it" % tool, file=sys.stderr)
            return 1
    work = tempfile.mkdtemp(prefix="glyphwright-e2e-")
    try:
        shutil.copy(original, work)
        drive(args.binary, work, original)
    except e2e.Failure as failure:
        print("FAILED: %s" % failure, file=sys.stderr)
        return 1
    finally:
        shutil.rmtree(work, ignore_errors=True)
    print("passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
