#!/usr/bin/env python3
"""Checks what Glyphwright installs, as a desktop and a Debian system expect it.

  install_test.py tree BUILD     installs BUILD into a temporary DESTDIR under /usr and checks the
                                 tree: every file present, the launcher entry and the metadata valid
                                 by their validators, both man pages rendering without a warning,
                                 and every option of the converter's help in its man page.
  install_test.py package BUILD  makes the Debian package with cpack and checks its fields and that
                                 it holds the same tree.
"""

import re
import struct
import subprocess
import sys
import tempfile
from pathlib import Path

INSTALLED = [
    "usr/bin/glyphwright",
    "usr/bin/glyphwright-convert",
    "usr/share/applications/glyphwright.desktop",
    "usr/share/icons/hicolor/scalable/apps/glyphwright.svg",
    "usr/share/icons/hicolor/48x48/apps/glyphwright.png",
    "usr/share/icons/hicolor/256x256/apps/glyphwright.png",
    "usr/share/metainfo/org.glyphwright.glyphwright.metainfo.xml",
    "usr/share/man/man1/glyphwright.1.gz",
    "usr/share/man/man1/glyphwright-convert.1.gz",
]

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def run(command, **options):
    return subprocess.run(command, capture_output=True, text=True, **options)


def png_size(path):
    header = path.read_bytes()[:24]
    if header[:8] != b"\x89PNG\r\n\x1a\n":
        return None
    return struct.unpack(">II", header[16:24])


def cache_value(build, name):
    text = (build / "CMakeCache.txt").read_text()
    match = re.search(rf"^{name}:[A-Z]+=(.*)$", text, re.MULTILINE)
    return match.group(1) if match else ""


def options_in(text):
    return set(re.findall(r"(?<![\w-])--[a-z][a-z-]*", text))


def check_tree(root):
    for name in INSTALLED:
        check((root / name).is_file(), f"{name} is not installed")
    if failures:
        return
    desktop = run(["desktop-file-validate", str(root / INSTALLED[2])])
    check(desktop.returncode == 0 and "error:" not in desktop.stdout,
          f"desktop-file-validate refuses the launcher entry:\n{desktop.stdout}{desktop.stderr}")
    metainfo = run(["appstreamcli", "validate", "--no-net", "--explain", str(root / INSTALLED[6])])
    check(metainfo.returncode == 0, f"appstreamcli refuses the metadata:\n{metainfo.stdout}{metainfo.stderr}")
    for name, size in [(INSTALLED[4], (48, 48)), (INSTALLED[5], (256, 256))]:
        check(png_size(root / name) == size, f"{name} is not a {size[0]} x {size[1]} PNG")
    for name in INSTALLED[7:]:
        page = run(["man", "--warnings", "-l", str(root / name)], env={"MANWIDTH": "80", "PATH": "/usr/bin:/bin"})
        check(page.returncode == 0 and page.stderr == "", f"man warns about {name}:\n{page.stderr}")
        check("DESCRIPTION" in page.stdout, f"{name} renders without a DESCRIPTION")
    helped = run([str(root / INSTALLED[1]), "--help"])
    manual = run(["man", "-l", str(root / INSTALLED[8])], env={"MANWIDTH": "200", "PATH": "/usr/bin:/bin"})
    missing = options_in(helped.stdout) - options_in(manual.stdout)
    check(helped.returncode == 0 and not missing,
          f"the README's glyphwright-convert section does not describe {sorted(missing)} of --help")


def install_tree(build, root):
    installed = run(["cmake", "--install", str(build), "--prefix", "/usr"], env={"DESTDIR": str(root), "PATH": "/usr/bin:/bin"})
    check(installed.returncode == 0, f"cmake --install fails:\n{installed.stdout}{installed.stderr}")
    check_tree(root)


def make_package(build, folder):
    made = run(["cpack", "-G", "DEB", "--config", str(build / "CPackConfig.cmake"), "-B", str(folder)])
    version = cache_value(build, "CMAKE_PROJECT_VERSION")
    package = folder / f"glyphwright_{version}_amd64.deb"
    check(made.returncode == 0 and package.is_file(),
          f"cpack makes no {package.name}:\n{made.stdout}{made.stderr}")
    if failures:
        return
    info = run(["dpkg-deb", "--info", str(package)]).stdout
    fields = dict(re.findall(r"^ ([A-Z][\w-]*): (.*)$", info, re.MULTILINE))
    check(fields.get("Version") == version, f"the package's Version is {fields.get('Version')}, not {version}")
    check(fields.get("Section") == "graphics", f"the package's Section is {fields.get('Section')}")
    check("<" in fields.get("Maintainer", ""), "the package has no Maintainer line with an address")
    check(fields.get("Description", "") != "", "the package has no Description")
    depends = fields.get("Depends", "")
    check(re.search(r"\blibqt6widgets6\b", depends), f"Depends does not name the Qt 6 widget library: {depends}")
    contents = run(["dpkg-deb", "--contents", str(package)]).stdout
    held = {line.split()[-1].lstrip(".").lstrip("/") for line in contents.splitlines() if line.strip()}
    for name in INSTALLED:
        check(name in held, f"the package does not hold {name}")


def main():
    mode, build = sys.argv[1], Path(sys.argv[2]).resolve()
    with tempfile.TemporaryDirectory(prefix="glyphwright-install-") as folder:
        (install_tree if mode == "tree" else make_package)(build, Path(folder))
    for failure in failures:
        print(f"FAILED: {failure}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
