#!/usr/bin/env python3
"""Checks that every include in src/ and tools/ stays on its floor.

The program is built as one library per floor (src/CMakeLists.txt); each library links
only the floors below it. This reads the declared libraries and links from the project's
CMakeLists.txt files (the one place they are written), finds the library that owns every
C++ file, and fails on an #include "..." whose file belongs to a library that the
including file's library neither is nor links, directly or through the floors it links:
an include that runs upward or sideways. Each such include is named with file and line.

    check_floors.py [PROJECT_ROOT]

Ownership: a file listed as a source belongs to the target that lists it; any other file
(a header) belongs to the library whose sources lie in its folder, or, for a folder of
interfaces only, in its subfolders (platform/ and platform/linux/), or, for data read by
sources, in the nearest folder above it (resources/strings/).
"""

import os
import re
import sys
from collections import defaultdict

SCANNED = ("src", "tools")
CMAKE_ROOTS = ("src", "resources", "tools")
SOURCE_SUFFIXES = (".cpp", ".h", ".c", ".hpp")
TARGET_KINDS = {"STATIC", "SHARED", "OBJECT", "INTERFACE", "MODULE", "EXCLUDE_FROM_ALL"}
LINK_KEYWORDS = {"PUBLIC", "PRIVATE", "INTERFACE"}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


class Floors:
    def __init__(self):
        self.kind = {}                      # target -> "library" | "executable"
        self.sources = defaultdict(set)     # target -> files, relative to the root
        self.links = defaultdict(set)       # target -> targets it links
        self.declared_in = {}               # target -> CMakeLists.txt that declares it


def strip_comments(text):
    lines = []
    for line in text.splitlines():
        out, quoted = [], False
        for ch in line:
            if ch == '"':
                quoted = not quoted
            if ch == "#" and not quoted:
                break
            out.append(ch)
        lines.append("".join(out))
    return "\n".join(lines)


def commands(text):
    """Yields (name, arguments) of each command call in a CMake file."""
    for match in re.finditer(r"\b([A-Za-z_][A-Za-z0-9_]*)\s*\(", text):
        depth, i = 1, match.end()
        while i < len(text) and depth:
            depth += {"(": 1, ")": -1}.get(text[i], 0)
            i += 1
        yield match.group(1).lower(), text[match.end():i - 1].split()


def read_cmake(root, floors):
    for top in CMAKE_ROOTS:
        for folder, _, files in os.walk(os.path.join(root, top)):
            if "CMakeLists.txt" not in files:
                continue
            path = os.path.join(folder, "CMakeLists.txt")
            here = os.path.relpath(folder, root)
            with open(path, encoding="utf-8") as f:
                text = strip_comments(f.read())
            for name, args in commands(text):
                if not args:
                    continue
                target, rest = args[0], args[1:]
                if name in ("add_library", "add_executable"):
                    if "ALIAS" in rest or "IMPORTED" in rest:
                        continue
                    floors.kind[target] = "library" if name == "add_library" else "executable"
                    floors.declared_in[target] = os.path.relpath(path, root)
                    add_sources(floors, target, here, rest)
                elif name == "target_sources":
                    add_sources(floors, target, here, rest)
                elif name == "target_link_libraries":
                    floors.links[target].update(a for a in rest if a not in LINK_KEYWORDS)


def add_sources(floors, target, here, args):
    for arg in args:
        if arg in TARGET_KINDS or arg in LINK_KEYWORDS or "$" in arg:
            continue
        if arg.endswith(SOURCE_SUFFIXES):
            floors.sources[target].add(os.path.normpath(os.path.join(here, arg)))


def closure(floors, target):
    seen, todo = set(), [target]
    while todo:
        t = todo.pop()
        for linked in floors.links.get(t, ()):
            if linked in floors.kind and linked not in seen:
                seen.add(linked)
                todo.append(linked)
    return seen


class Owners:
    def __init__(self, floors):
        self.by_file = {}
        self.by_folder = defaultdict(set)
        for target, files in floors.sources.items():
            if target not in floors.kind:
                continue
            for f in files:
                self.by_file[f] = target
                self.by_folder[os.path.dirname(f)].add(target)
        self.floors = floors

    def owner(self, path):
        """The target a file belongs to, or (None, reason)."""
        if path in self.by_file:
            return self.by_file[path], None
        folder = os.path.dirname(path)
        found = self.pick(self.by_folder.get(folder, set()))
        if found:
            return found
        below = set()
        for other, targets in self.by_folder.items():
            if other.startswith(folder + os.sep):
                below |= targets
        found = self.pick(below)
        if found:
            return found
        # Data beside the sources that read it (resources/strings/ of the string tables).
        parent = os.path.dirname(folder)
        while parent:
            found = self.pick(self.by_folder.get(parent, set()))
            if found:
                return found
            parent = os.path.dirname(parent)
        return None, "no library lists a source in " + folder + "/"

    def pick(self, targets):
        if not targets:
            return None
        libraries = sorted(t for t in targets if self.floors.kind[t] == "library")
        chosen = libraries or sorted(targets)
        if len(chosen) == 1:
            return chosen[0], None
        return None, "the folder holds sources of " + ", ".join(chosen)


def resolve(root, including, name):
    """The included file relative to the root, or None when it is not the project's."""
    candidates = [os.path.join(os.path.dirname(including), name)]
    if "/" in name:
        candidates += [os.path.join("src", name), name]
    for c in candidates:
        c = os.path.normpath(c)
        if os.path.isfile(os.path.join(root, c)):
            return c
    return None


def check(root):
    floors = Floors()
    read_cmake(root, floors)
    owners = Owners(floors)
    problems, checked = [], 0
    for top in SCANNED:
        for folder, _, files in sorted(os.walk(os.path.join(root, top))):
            for file in sorted(files):
                if not file.endswith(SOURCE_SUFFIXES):
                    continue
                path = os.path.relpath(os.path.join(folder, file), root)
                mine, why = owners.owner(path)
                if mine is None:
                    problems.append(f"{path}: on no floor ({why})")
                    continue
                reachable = closure(floors, mine) | {mine}
                with open(os.path.join(root, path), encoding="utf-8", errors="replace") as f:
                    for number, line in enumerate(f, 1):
                        match = INCLUDE.match(line)
                        if not match:
                            continue
                        included = resolve(root, path, match.group(1))
                        if included is None:
                            continue
                        checked += 1
                        theirs, why = owners.owner(included)
                        if theirs is None:
                            problems.append(f"{path}:{number}: includes {match.group(1)}, which is on no floor ({why})")
                        elif theirs not in reachable:
                            problems.append(
                                f"{path}:{number}: includes {match.group(1)} of {theirs}, "
                                f"which {mine} does not link ({floors.declared_in.get(mine, '?')})")
    return problems, checked, len(floors.kind)


def main(argv):
    root = os.path.abspath(argv[1] if len(argv) > 1 else os.path.join(os.path.dirname(__file__), "..", ".."))
    problems, checked, targets = check(root)
    for p in problems:
        print(p)
    if problems:
        print(f"check_floors: {len(problems)} include(s) off their floor", file=sys.stderr)
        return 1
    print(f"check_floors: {checked} includes in src/ and tools/ stay within the links of {targets} targets")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
