#!/usr/bin/env python3
"""The string table tool against small hand-made files: what the check refuses, and what
the generated tables keep."""

import contextlib
import io
import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tools", "strings"))
import string_tables  # noqa: E402

DEF = r'''
PLINTOR_STRING(200, IDS_EMPTY, "")
PLINTOR_STRING(201, IDS_NEXT, "&Next >")
PLINTOR_STRING(202, MSG_TWO_LINES, "First \"line\".\nSecond line")
PLINTOR_STRING(203, IDS_DOT, "\302\267 Dot")
PLINTOR_STRING(204, IDS_KEY, "&WEP Key:")
'''

HEADER = 'msgid ""\nmsgstr ""\n"Language: de\\n"\n"Content-Type: text/plain; charset=UTF-8\\n"\n\n'


def entry(sid, name, english, translated, flags=""):
    return '#. %d\n%smsgctxt "%s"\nmsgid "%s"\nmsgstr "%s"\n\n' % (
        sid, ("#, %s\n" % flags) if flags else "", name, english, translated)


GOOD = (entry(201, "IDS_NEXT", "&Next >", "&Weiter >")
        + entry(202, "MSG_TWO_LINES", 'First \\"line\\".\\nSecond line', 'Erste \\"Zeile\\".\\n"\n"Zweite Zeile')
        + entry(203, "IDS_DOT", "\u00b7 Dot", "\u00b7 Punkt")
        + entry(204, "IDS_KEY", "&WEP Key:", "W&EP-Schl\u00fcssel:"))


class StringTables(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.addCleanup(self.folder.cleanup)
        self.def_path = self.write("Strings.def", DEF)

    def write(self, name, text):
        path = os.path.join(self.folder.name, name)
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)
        return path

    def check(self, po_text):
        out = io.StringIO()
        with contextlib.redirect_stdout(out):
            status = string_tables.check(self.def_path, [self.write("de.po", HEADER + po_text)])
        return status, out.getvalue()

    def test_a_complete_translation_passes_and_each_fault_is_named(self):
        self.assertEqual(self.check(GOOD)[0], 0)
        faults = {
            "is missing": GOOD.replace(entry(203, "IDS_DOT", "\u00b7 Dot", "\u00b7 Punkt"), ""),
            "is not translated": GOOD.replace("&Weiter >", ""),
            "line breaks": GOOD.replace('\\n"\n"Zweite', ' Zweite'),
            "access keys": GOOD.replace("&Weiter >", "Weiter >"),
            "has changed since": GOOD.replace('msgid "&Next >"', 'msgid "&Next"'),
            "is marked fuzzy": GOOD.replace('#. 201\n', '#. 201\n#, fuzzy\n'),
            "no English text": GOOD + entry(200, "IDS_EMPTY", "", "Leer"),
            "not a string of Strings.def": GOOD + entry(299, "IDS_GONE", "Gone", "Weg"),
            "id comment": GOOD.replace("#. 203\n", "#. 205\n"),
            "WEP is written differently": GOOD.replace("W&EP-Schl", "&Wep-Schl"),
        }
        for why, text in faults.items():
            status, report = self.check(text)
            self.assertEqual(status, 1, why)
            self.assertIn(why, report)

    def test_generated_tables_keep_current_translations_only_as_c_literals(self):
        po = self.write("de.po", HEADER + GOOD.replace('#. 203\n', '#. 203\n#, fuzzy\n')
                        .replace('msgid "&Next >"', 'msgid "&Next"'))
        out = os.path.join(self.folder.name, "tables.inc")
        self.assertEqual(string_tables.generate(out, self.def_path, [po]), 0)
        with open(out, encoding="utf-8") as f:
            tables = f.read()
        self.assertIn('{200, "IDS_EMPTY"}', tables)            # the neutral table names every id
        self.assertNotIn('{200, ""}', tables)                  # no empty texts
        self.assertIn('{201, "&Next >"}', tables)              # English
        self.assertIn('{202, "Erste \\"Zeile\\".\\nZweite Zeile"}', tables)
        self.assertIn('{203, "\\302\\267 Dot"}', tables)        # UTF-8 as octal escapes
        self.assertNotIn("Weiter", tables)                     # stale: translates an old text
        self.assertNotIn("Punkt", tables)                      # fuzzy
        self.assertIn("{0x0407, rows0407}", tables)

    def test_an_unknown_language_or_a_broken_file_is_refused(self):
        with self.assertRaises(string_tables.Fault):
            string_tables.language_of("xx.po")
        with self.assertRaises(string_tables.Fault):
            string_tables.read_po(self.write("de.po", HEADER + 'msgctxt "A"\nmsgid "B"\nbroken\n'))


if __name__ == "__main__":
    unittest.main()
