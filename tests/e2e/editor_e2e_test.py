#!/usr/bin/env python3
"""Drives the real editor in Xvfb with xdotool, as a user would: opens a C font through the real
file dialog, flips pixels, chooses characters, copies and pastes a glyph, saves as BAS and as C,
reopens the BAS file and saves it as C; then draws a line by dragging, takes it back with Ctrl+Z,
brings it again with Ctrl+Y, shifts the glyph with an arrow key and saves; last opens the Overview
with F2, chooses a character by clicking its glyph in the map and edits it on the canvas, which the
map shows at once. Every file is compared with the expected bytes. It waits on conditions with deadlines, never on fixed sleeps."""

import argparse
import contextlib
import fcntl
import os
import shutil
import subprocess
import sys
import tempfile
import time

DEADLINE_SECONDS = 20
CELL = 10            # zoom for an 8 x 8 font
CANVAS = (10, 60)    # canvas position in the client area
FILE_BUTTON = (35, 22)
COPY_BUTTON = (85, 22)
PASTE_BUTTON = (135, 22)
CHARACTER_LIST = (260, 22)
MAP_VIEW = (10, 10)  # the glyph map in the Overview window
MAP_CELL = 38        # an 8 x 8 glyph at scale 4 with its padding
MAP_SCALE = 4
MAP_GLYPH = (3, 3)   # the glyph's place in its cell
MENU = {"Open": 1, "New": 2, "Save as C": 3, "Save as BAS": 4, "Quit": 5}


class Failure(Exception):
    pass


def wait_for(what, condition, deadline=DEADLINE_SECONDS):
    end = time.monotonic() + deadline
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > end:
            raise Failure("timed out waiting for " + what)
        time.sleep(0.05)


@contextlib.contextmanager
def startup_lock():
    """An X server that stops while another starts on one machine can take the new server's socket
    with it, so runs of this test start and stop their servers one at a time."""
    with open(os.path.join(tempfile.gettempdir(), "glyphwright-e2e-start.lock"), "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        try:
            yield
        finally:
            fcntl.flock(lock, fcntl.LOCK_UN)


class Display:
    """An Xvfb server on a free display number, stopped on exit."""

    def __enter__(self):
        read_end, write_end = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
            pass_fds=[write_end], stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise Failure("Xvfb did not start")
        self.name = ":" + number
        wait_for("the X server to take connections", lambda: subprocess.run(
            ["xdpyinfo", "-display", self.name], capture_output=True).returncode == 0)
        return self

    def __exit__(self, *exc):
        with startup_lock():
            self.server.terminate()
            self.server.wait()


class Editor:
    def __init__(self, binary, display, work, arguments=(), title="Glyphwright"):
        self.env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb")
        self.work = work
        self.title = title
        self.process = subprocess.Popen([binary, *arguments], env=self.env, cwd=work)
        self.window = wait_for("the main window", self.main_window)

    def main_window(self):
        if self.process.poll() is not None:
            raise Failure("the editor ended at start with status %d" % self.process.returncode)
        return self.find_window("^" + self.title.replace(".", "\\.") + "$")

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True).stdout.strip()

    def find_window(self, name):
        found = self.xdotool("search", "--onlyvisible", "--name", name)
        return found.split()[0] if found else None

    def window_size(self):
        lines = self.xdotool("getwindowgeometry", "--shell", self.window).splitlines()
        values = dict(line.split("=", 1) for line in lines if "=" in line)
        return int(values.get("WIDTH", 0)), int(values.get("HEIGHT", 0))

    def visible_windows(self):
        return set(self.xdotool("search", "--onlyvisible", "--name", ".*").split())

    def click(self, x, y):
        self.xdotool("mousemove", "--window", self.window, str(x), str(y), "click", "1")

    def click_cell(self, x, y):
        self.click(CANVAS[0] + x * CELL + CELL // 2, CANVAS[1] + y * CELL + CELL // 2)

    def drag_cells(self, *cells):
        """Presses the left button on the first cell, moves straight to each next one in a single
        jump, and releases on the last."""
        def point(cell):
            return [str(CANVAS[0] + cell[0] * CELL + CELL // 2), str(CANVAS[1] + cell[1] * CELL + CELL // 2)]
        args = ["mousemove", "--window", self.window, *point(cells[0]), "mousedown", "1"]
        for cell in cells[1:]:
            args += ["mousemove", "--window", self.window, *point(cell)]
        self.xdotool(*args, "mouseup", "1")

    def window_keys(self, *keys):
        """Keys for the main window itself, whichever of its controls has the focus."""
        self.xdotool("windowfocus", "--sync", self.window)
        self.keys(*keys)

    def wait_for_cells(self, what, colours):
        """Waits until every (cell, colour) pair shows on the canvas."""
        def shown():
            shot = self.screenshot("cells.png")
            return all(self.cell_colour(shot, *cell) == colour for cell, colour in colours)
        wait_for(what, shown)

    def keys(self, *keys):
        self.xdotool("key", "--clearmodifiers", *keys)

    def open_popup(self, position):
        """Clicks a control that opens a popup window and waits until the popup is shown."""
        before = self.visible_windows()
        self.click(*position)
        wait_for("a popup", lambda: self.visible_windows() - before)

    def choose_menu_item(self, item):
        self.open_popup(FILE_BUTTON)
        self.keys(*(["Down"] * MENU[item]), "Return")

    def choose_next_character(self):
        self.open_popup(CHARACTER_LIST)
        self.keys("Down", "Return")

    def answer_file_dialog(self, title, path):
        dialog = wait_for("the dialog \"" + title + "\"", lambda: self.find_window("^" + title.replace(".", "\\.") + "$"))
        self.xdotool("windowfocus", "--sync", dialog)
        self.xdotool("type", "--delay", "5", path)
        self.keys("Return")
        wait_for("the dialog to close", lambda: not self.find_window("^" + title.replace(".", "\\.") + "$"))

    def screenshot(self, name, window=None):
        path = os.path.join(self.work, name)
        subprocess.run(["import", "-window", window or self.window, path], env=self.env, check=True)
        return path

    def cell_colour(self, shot, x, y):
        return pixel_colour(shot, CANVAS[0] + x * CELL + CELL // 2, CANVAS[1] + y * CELL + CELL // 2)

    def click_in(self, window, x, y):
        self.xdotool("mousemove", "--window", window, str(x), str(y), "click", "1")

    def quit(self, unsaved=False):
        """Quit; with unsaved changes, Cancel first (the editor stays), then Quit and Discard."""
        self.choose_menu_item("Quit")
        if unsaved:
            question = wait_for("the question about unsaved changes", lambda: self.find_window("^Unsaved changes$"))
            self.xdotool("windowfocus", "--sync", question)
            self.keys("Escape")
            wait_for("the question to close", lambda: not self.find_window("^Unsaved changes$"))
            if self.process.poll() is not None:
                raise Failure("the editor ended although Quit was cancelled")
            self.window_keys("ctrl+q")
            question = wait_for("the question again", lambda: self.find_window("^Unsaved changes$"))
            self.xdotool("windowfocus", "--sync", question)
            self.keys("alt+d")
        try:
            return self.process.wait(timeout=DEADLINE_SECONDS)
        except subprocess.TimeoutExpired:
            raise Failure("the editor did not end after Quit")

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()


def pixel_colour(shot, x, y):
    out = subprocess.run(["convert", shot, "-format", "%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]",
                          "-crop", "1x1+%d+%d" % (x, y), "info:"], capture_output=True, text=True, check=True)
    return tuple(int(v) for v in out.stdout.strip().split(","))


def compare(actual_path, expected_path):
    with open(actual_path, "rb") as f:
        actual = f.read()
    with open(expected_path, "rb") as f:
        expected = f.read()
    if actual == expected:
        return
    a, e = actual.splitlines(keepends=True), expected.splitlines(keepends=True)
    for number, (left, right) in enumerate(zip(a, e), start=1):
        if left != right:
            raise Failure("%s differs from %s at line %d:\n  got      %r\n  expected %r"
                          % (actual_path, expected_path, number, left, right))
    raise Failure("%s differs from %s in length (%d lines, expected %d)" % (actual_path, expected_path, len(a), len(e)))


def wait_for_file(path):
    wait_for(path, lambda: os.path.exists(path))


def run(binary, data, expected):
    work = tempfile.mkdtemp(prefix="glyphwright-e2e-")
    try:
        shutil.copy(os.path.join(data, "letters.c"), work)
        drive(binary, work, expected)
        fit_the_largest_glyph(binary, work)
    finally:
        shutil.rmtree(work, ignore_errors=True)


def start_editor(stack, binary, work, attempts=3, arguments=(), title="Glyphwright"):
    """Starts an X server and the editor on it. When another run of this test shares the machine,
    the editor now and then cannot connect to a server that has just come up; it then gets a new
    server, at most `attempts` times."""
    for attempt in range(1, attempts + 1):
        with startup_lock():
            display = Display().__enter__()
        try:
            editor = Editor(binary, display.name, work, arguments, title)
        except Failure as failure:
            display.__exit__(None, None, None)
            if attempt == attempts:
                raise
            print("retrying with a new X server: %s" % failure, file=sys.stderr)
            continue
        stack.callback(display.__exit__, None, None, None)
        return editor


def drive(binary, work, expected):
    with contextlib.ExitStack() as stack:
        editor = start_editor(stack, binary, work)
        try:
            editor.choose_menu_item("Open")
            editor.answer_file_dialog("font.c or font.BAS file to modify.", os.path.join(work, "letters.c"))
            wait_for("the window to fit the 8 x 8 font", lambda: editor.window_size() == (320, 150))

            editor.click_cell(0, 0)        # A gains its top-left pixel
            editor.click_cell(7, 7)        # and its bottom-right one
            editor.click_cell(3, 0)        # and loses a pixel of its apex
            shot = editor.screenshot("edited-a.png")
            white, black = (255, 255, 255), (0, 0, 0)
            for cell, colour in [((0, 0), white), ((7, 7), white), ((3, 0), black), ((4, 0), white), ((0, 1), black)]:
                if editor.cell_colour(shot, *cell) != colour:
                    raise Failure("cell %s is %s, expected %s" % (cell, editor.cell_colour(shot, *cell), colour))

            editor.choose_next_character()   # B: A's edits are stored
            editor.click(*COPY_BUTTON)
            editor.choose_next_character()   # C
            editor.click(*PASTE_BUTTON)      # C shows B's pixels
            editor.choose_next_character()   # D: the pasted glyph is stored into C

            editor.choose_menu_item("Save as BAS")
            editor.answer_file_dialog("font.BAS file to save", os.path.join(work, "edited"))
            wait_for_file(os.path.join(work, "edited.bas"))
            editor.choose_menu_item("Save as C")
            editor.answer_file_dialog("font.c file to save", os.path.join(work, "edited"))
            wait_for_file(os.path.join(work, "edited.c"))
            compare(os.path.join(work, "edited.bas"), os.path.join(expected, "edited.bas"))
            compare(os.path.join(work, "edited.c"), os.path.join(expected, "edited.c"))

            editor.choose_menu_item("Open")
            editor.answer_file_dialog("font.c or font.BAS file to modify.", os.path.join(work, "edited.bas"))
            editor.choose_menu_item("Save as C")
            editor.answer_file_dialog("font.c file to save", os.path.join(work, "reopened.c"))
            wait_for_file(os.path.join(work, "reopened.c"))
            compare(os.path.join(work, "reopened.c"), os.path.join(expected, "reopened.c"))

            draw_undo_redo_and_shift(editor, work, expected)
            choose_and_edit_from_the_overview(editor)

            status = editor.quit(unsaved=True)
            if status != 0:
                raise Failure("the editor ended with status %d" % status)
        finally:
            editor.kill()


def draw_undo_redo_and_shift(editor, work, expected):
    white, black = (255, 255, 255), (0, 0, 0)
    editor.choose_menu_item("Open")
    editor.answer_file_dialog("font.c or font.BAS file to modify.", os.path.join(work, "letters.c"))
    bottom_row = [(x, 7) for x in range(8)]
    editor.wait_for_cells("A's empty bottom row", [(cell, black) for cell in bottom_row])

    editor.drag_cells((0, 7), (7, 7))  # one jump across the row: the line has no gap
    editor.wait_for_cells("the dragged line", [(cell, white) for cell in bottom_row])
    editor.window_keys("ctrl+z")
    editor.wait_for_cells("the line taken back", [(cell, black) for cell in bottom_row])
    editor.window_keys("ctrl+y")
    editor.wait_for_cells("the line brought again", [(cell, white) for cell in bottom_row])
    editor.window_keys("Up")
    editor.wait_for_cells("the glyph shifted up",
                          [((x, 6), white) for x in range(8)] + [((x, 7), black) for x in range(8)])

    editor.choose_menu_item("Save as C")
    editor.answer_file_dialog("font.c file to save", os.path.join(work, "drawn.c"))
    wait_for_file(os.path.join(work, "drawn.c"))
    compare(os.path.join(work, "drawn.c"), os.path.join(expected, "drawn.c"))


def map_pixel(index, x, y):
    """The middle of font pixel (x, y) of glyph `index` in the map, whose first row holds all four."""
    return (MAP_VIEW[0] + index * MAP_CELL + MAP_GLYPH[0] + x * MAP_SCALE + MAP_SCALE // 2,
            MAP_VIEW[1] + MAP_GLYPH[1] + y * MAP_SCALE + MAP_SCALE // 2)


def choose_and_edit_from_the_overview(editor):
    editor.window_keys("F2")
    overview = wait_for("the Overview window", lambda: editor.find_window("^Overview$"))
    cells = [(x, y) for y in range(8) for x in range(8)]

    def map_glyph(index):
        shot = editor.screenshot("map.png", overview)
        return [pixel_colour(shot, *map_pixel(index, x, y)) for x, y in cells]

    def canvas_glyph():
        shot = editor.screenshot("canvas.png")
        return [editor.cell_colour(shot, x, y) for x, y in cells]

    wait_for("A in the map as on the canvas", lambda: map_glyph(0) == canvas_glyph())
    d_glyph = map_glyph(3)
    if d_glyph == map_glyph(0):
        raise Failure("A and D look alike in the map, so choosing D would show nothing")
    editor.click_in(overview, *map_pixel(3, 4, 4))
    wait_for("D chosen from the map and shown on the canvas", lambda: canvas_glyph() == d_glyph)

    flipped = (0, 0, 0) if d_glyph[0] == (255, 255, 255) else (255, 255, 255)
    editor.click_cell(0, 0)
    wait_for("the canvas click shown in the map", lambda: map_glyph(3)[0] == flipped)
    editor.window_keys("F2")
    wait_for("the Overview closed by F2", lambda: not editor.find_window("^Overview$"))


def fit_the_largest_glyph(binary, work):
    """Opens a blank 248 x 255 font from the command line, gives the window the whole screen (there
    is no window manager to maximise it), fits the glyph with Ctrl+0 and sets its last pixel: the
    whole glyph shows at 3 screen pixels a cell, without scroll bars."""
    convert = os.path.join(os.path.dirname(binary), "convert", "glyphwright-convert")
    subprocess.run([convert, "--new", "248x255", "--count", "2", os.path.join(work, "big.c")], check=True)
    with contextlib.ExitStack() as stack:
        editor = start_editor(stack, binary, work, arguments=["big.c"], title="big.c - Glyphwright")
        try:
            width, height = (int(v) for v in editor.xdotool("getdisplaygeometry").split())
            editor.xdotool("windowmove", "--sync", editor.window, "0", "0")
            editor.xdotool("windowsize", "--sync", editor.window, str(width), str(height))
            wait_for("the window to fill the screen", lambda: editor.window_size() == (width, height))
            editor.window_keys("ctrl+0")
            zoom = min((width - 20) // 248, (height - 70) // 255)
            last = (CANVAS[0] + 247 * zoom + zoom // 2, CANVAS[1] + 254 * zoom + zoom // 2)
            wait_for("the fitted canvas", lambda: pixel_colour(editor.screenshot("fit.png"), *last) == (0, 0, 0))
            editor.click(*last)
            wait_for("the last pixel", lambda: pixel_colour(editor.screenshot("fit.png"), *last) == (255, 255, 255))
            beside = pixel_colour(editor.screenshot("fit.png"), CANVAS[0] + 248 * zoom + 8, CANVAS[1] + 100)
            below = pixel_colour(editor.screenshot("fit.png"), CANVAS[0] + 100, CANVAS[1] + 255 * zoom + 5)
            if beside == (0, 0, 0) or below == (0, 0, 0):
                raise Failure("the fitted canvas is not whole: %s beside it, %s below it" % (beside, below))
            status = editor.quit(unsaved=True)
            if status != 0:
                raise Failure("the editor ended with status %d" % status)
        finally:
            editor.kill()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--binary", required=True)
    parser.add_argument("--data", required=True)
    parser.add_argument("--expected", required=True)
    args = parser.parse_args()
    for tool in ("Xvfb", "xdotool", "xdpyinfo", "import", "convert"):
        if shutil.which(tool) is None:
            print("%s is missing; scripts/setup.sh installs it" % tool, file=sys.stderr)
            return 1
    try:
        run(args.binary, args.data, args.expected)
    except Failure as failure:
        print("FAILED: %s" % failure, file=sys.stderr)
        return 1
    print("passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
