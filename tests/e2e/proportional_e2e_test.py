#!/usr/bin/env python3
"""Drives the real editor in Xvfb with xdotool on a proportional font, as a user would: imports
DejaVu Sans at 16 pixels through the File menu, goes to "D", sees the baseline and advance guides,
widens D by one pixel with "]", adds U+0416 through the Edit menu, takes both back with Ctrl+Z and
saves as BDF, brings both again with Ctrl+Y and saves as BDF again. Each BDF file must have the
advances and characters of that moment."""

import argparse
import contextlib
import os
import re
import shutil
import sys
import tempfile

import editor_e2e_test as e2e

SANS = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
FILE_ITEMS = {"Import font...": 7, "Save as BDF": 8}
EDIT_BUTTON = (280, 48)
# The 14th item; the keys pass over Redo, which is greyed while there is nothing to redo.
EDIT_ITEMS = {"Add character...": 13}
BASELINE = (0, 160, 255)
ADVANCE = (255, 150, 0)
GRID = (127, 127, 127)


def choose(editor, button, item):
    editor.open_popup(button)
    editor.keys(*(["Down"] * item), "Return")


def guide_colour(editor, column):
    """The colour of the vertical grid line left of `column`, halfway down the canvas."""
    shot = editor.screenshot("guides.png")
    return e2e.pixel_colour(shot, e2e.CANVAS[0] + column * e2e.CELL, e2e.CANVAS[1] + 95)


def save_bdf(editor, path):
    choose(editor, e2e.FILE_BUTTON, FILE_ITEMS["Save as BDF"])
    editor.answer_file_dialog("font.bdf file to save", path)
    e2e.wait_for_file(path)
    with open(path) as bdf:
        return bdf.read()


def advance_of(bdf, code):
    found = re.search(r"ENCODING %d\nSWIDTH \d+ 0\nDWIDTH (\d+) 0\n" % code, bdf)
    if not found:
        raise e2e.Failure("the BDF file has no character %d" % code)
    return int(found.group(1))


def drive(binary, work):
    with contextlib.ExitStack() as stack:
        editor = e2e.start_editor(stack, binary, work)
        try:
            choose(editor, e2e.FILE_BUTTON, FILE_ITEMS["Import font..."])
            editor.answer_file_dialog("Font to import", SANS)
            form = e2e.wait_for("the import dialog", lambda: editor.find_window("^Import DejaVuSans\\.ttf$"))
            editor.xdotool("windowfocus", "--sync", form)
            editor.keys("Return")
            # 18 x 19 pixels: the widest advance and the one column "j" reaches left of its origin.
            e2e.wait_for("the window to fit DejaVu Sans", lambda: editor.window_size() == (320, 260))

            editor.window_keys(*(["Next"] * (ord("D") - 32)))
            # D's origin is one column in and its advance 12: the guide on the line left of column 13.
            e2e.wait_for("the advance guide of D", lambda: guide_colour(editor, 13) == ADVANCE)
            shot = editor.screenshot("baseline.png")
            if e2e.pixel_colour(shot, e2e.CANVAS[0] + 5, e2e.CANVAS[1] + 15 * e2e.CELL) != BASELINE:
                raise e2e.Failure("no baseline guide 15 rows down")

            editor.window_keys("bracketright")
            e2e.wait_for("the advance guide one column further", lambda: guide_colour(editor, 14) == ADVANCE)
            if guide_colour(editor, 13) != GRID:
                raise e2e.Failure("the old advance guide is still drawn")

            choose(editor, EDIT_BUTTON, EDIT_ITEMS["Add character..."])
            form = e2e.wait_for("the Add character dialog", lambda: editor.find_window("^Add character$"))
            editor.xdotool("windowfocus", "--sync", form)
            editor.xdotool("type", "--delay", "5", "U+0416")
            editor.keys("Return")
            e2e.wait_for("the dialog to close", lambda: not editor.find_window("^Add character$"))

            editor.window_keys("ctrl+z", "ctrl+z")
            undone = save_bdf(editor, os.path.join(work, "undone.bdf"))
            if advance_of(undone, ord("D")) != 12 or "ENCODING 1046\n" in undone:
                raise e2e.Failure("Undo did not take back the advance and the added character")

            editor.window_keys("ctrl+y", "ctrl+y")
            redone = save_bdf(editor, os.path.join(work, "redone.bdf"))
            if advance_of(redone, ord("D")) != 13 or advance_of(redone, 0x416) <= 0:
                raise e2e.Failure("Redo did not bring the advance of D and U+0416 back")
            if editor.quit() != 0:
                raise e2e.Failure("the editor ended with an error")
        finally:
            editor.kill()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--binary", required=True)
    args = parser.parse_args()
    if not os.path.exists(SANS):
        print("skipped: DejaVu Sans (fonts-dejavu-core) is not installed")
        return 77
    for tool in ("Xvfb", "xdotool", "xdpyinfo", "import", "convert"):
        if shutil.which(tool) is None:
            print("%s is missing; scripts/setup.sh installs it" % tool, file=sys.stderr)
            return 1
    work = tempfile.mkdtemp(prefix="glyphwright-e2e-")
    try:
        drive(args.binary, work)
    except e2e.Failure as failure:
        print("FAILED: %s" % failure, file=sys.stderr)
        return 1
    finally:
        shutil.rmtree(work, ignore_errors=True)
    print("passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
