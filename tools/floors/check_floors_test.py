#!/usr/bin/env python3
"""Tests of check_floors.py over small trees made for each case."""

import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_floors  # noqa: E402

CMAKE = """
add_library(low STATIC low/A.cpp)
add_library(high STATIC
  high/B.cpp)  # the floor above low
target_link_libraries(high PUBLIC low)
add_library(side STATIC side/C.cpp)
target_link_libraries(side PRIVATE low)
add_library(top STATIC top/D.cpp)
target_link_libraries(top PUBLIC high side)
"""


class Tree:
    def __init__(self, files):
        self.folder = tempfile.TemporaryDirectory()
        self.root = self.folder.name
        files = {"src/CMakeLists.txt": CMAKE, **files}
        for path, text in files.items():
            full = os.path.join(self.root, path)
            os.makedirs(os.path.dirname(full), exist_ok=True)
            with open(full, "w", encoding="utf-8") as f:
                f.write(text)

    def check(self):
        problems, _, _ = check_floors.check(self.root)
        return problems


def floors(**changes):
    files = {
        "src/low/A.h": "#pragma once\n",
        "src/low/A.cpp": '#include "low/A.h"\n',
        "src/high/B.h": '#pragma once\n#include "low/A.h"\n',
        "src/high/B.cpp": '#include "high/B.h"\n#include <vector>\n',
        "src/side/C.cpp": '#include "low/A.h"\n',
        "src/top/D.cpp": '#include "high/B.h"\n#include "side/C.h"\n#include "low/A.h"\n',
        "src/side/C.h": "#pragma once\n",
    }
    files.update(changes)
    return Tree(files)


class CheckFloors(unittest.TestCase):
    def test_includes_down_and_through_linked_floors_pass(self):
        self.assertEqual(floors().check(), [])

    def test_upward_include_fails_naming_file_and_line(self):
        problems = floors(**{"src/low/A.cpp": '#include "low/A.h"\n\n#include "high/B.h"\n'}).check()
        self.assertEqual(len(problems), 1)
        self.assertTrue(problems[0].startswith("src/low/A.cpp:3: includes high/B.h of high, which low does not link"),
                        problems[0])

    def test_sideways_include_and_upward_include_in_a_header_fail(self):
        problems = floors(**{"src/side/C.cpp": '#include "high/B.h"\n',
                             "src/low/A.h": '#pragma once\n#include "top/D.h"\n',
                             "src/top/D.h": "#pragma once\n"}).check()
        self.assertEqual(sorted(p.split(":")[0] + ":" + p.split(":")[1] for p in problems),
                         ["src/low/A.h:2", "src/side/C.cpp:1"])

    def test_a_folder_that_no_library_lists_is_on_no_floor(self):
        problems = floors(**{"src/stray/E.cpp": '#include "low/A.h"\n'}).check()
        self.assertEqual(len(problems), 1)
        self.assertIn("src/stray/E.cpp: on no floor", problems[0])

    def test_command_line_exit_code(self):
        good, bad = floors(), floors(**{"src/low/A.cpp": '#include "top/D.h"\n', "src/top/D.h": ""})
        self.assertEqual(check_floors.main(["check_floors", good.root]), 0)
        self.assertEqual(check_floors.main(["check_floors", bad.root]), 1)


if __name__ == "__main__":
    unittest.main()
