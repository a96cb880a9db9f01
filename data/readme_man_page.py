#!/usr/bin/env python3
"""Writes the man page of glyphwright or glyphwright-convert from the README, through pandoc.

The editor's page takes the README's opening paragraphs and its "Using the editor" section. The
converter's page takes every "###" section under "## glyphwright-convert" (SYNOPSIS, DESCRIPTION,
EXIT STATUS and whatever is added there), each as a section of the page. So the README stays the
one text of both, and a section added to it appears in the page without a change here.
"""

import argparse
import gzip
import re
import subprocess
import sys

HEADING = re.compile(r"^(#{1,6}) +(.*?) *$")


def sections(lines, level):
    """The (heading, body lines) of the headings of exactly `level`; text before the first is under
    None. Headings of a higher level end a section; lines inside fenced code are never headings."""
    result = [(None, [])]
    fenced = False
    for line in lines:
        if line.startswith("```"):
            fenced = not fenced
        match = None if fenced else HEADING.match(line)
        if match and len(match.group(1)) <= level:
            result.append((match.group(2) if len(match.group(1)) == level else "", []))
            continue
        result[-1][1].append(line)
    return result


def section_body(lines, level, heading):
    for name, body in sections(lines, level):
        if name == heading:
            return body
    sys.exit(f"readme_man_page: the README has no section \"{'#' * level} {heading}\"")


def editor_page(lines):
    after_title = sections(lines, 1)[1][1]
    intro = [line for line in sections(after_title, 2)[0][1] if not line.startswith("![")]
    usage = section_body(lines, 2, "Using the editor")
    return ["# SYNOPSIS", "", "**glyphwright**", "", "# DESCRIPTION", *intro, "", *usage,
            "", "# SEE ALSO", "", "**glyphwright-convert**(1)"]


def converter_page(lines):
    page = []
    for name, body in sections(section_body(lines, 2, "glyphwright-convert"), 3)[1:]:
        page += [f"# {name}", *body]
    return page + ["", "# SEE ALSO", "", "**glyphwright**(1)"]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("page", choices=["glyphwright", "glyphwright-convert"])
    parser.add_argument("readme")
    parser.add_argument("output")
    parser.add_argument("--pandoc", default="pandoc")
    parser.add_argument("--version", required=True)
    parser.add_argument("--summary", required=True)
    arguments = parser.parse_args()

    with open(arguments.readme, encoding="utf-8") as readme:
        lines = readme.read().splitlines()
    body = editor_page(lines) if arguments.page == "glyphwright" else converter_page(lines)
    # A NAME line begins in lower case, as man pages do.
    summary = arguments.summary[:1].lower() + arguments.summary[1:]
    text = "\n".join(["# NAME", "", f"{arguments.page} - {summary}", "", *body]) + "\n"
    # Without the "smart" extension "--to" stays two hyphens and quotes stay straight.
    page = subprocess.run([arguments.pandoc, "--standalone", "--from", "markdown-smart", "--to", "man",
                           "--metadata", f"title={arguments.page.upper()}", "--metadata", "section=1",
                           "--metadata", f"footer=Glyphwright {arguments.version}",
                           "--metadata", "header=Glyphwright Manual"],
                          input=text, text=True, check=True, capture_output=True).stdout
    # Installed man pages are compressed; without a name or time in the gzip header the page
    # comes out the same on every build.
    if arguments.output.endswith(".gz"):
        with open(arguments.output, "wb") as output:
            output.write(gzip.compress(page.encode("utf-8"), compresslevel=9, mtime=0))
    else:
        with open(arguments.output, "w", encoding="utf-8") as output:
            output.write(page)


if __name__ == "__main__":
    main()
