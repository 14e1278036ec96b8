#!/usr/bin/env python3
"""The program's string tables: Strings.def and one gettext PO file per language.

resources/strings/Strings.def lists every string id with its symbolic name and English
text. Each <code>.po file beside it holds one language: msgctxt is the symbolic name,
msgid the English text, msgstr the translation, and a "#. <id>" comment the numeric id.

  generate OUT DEF PO...   write the C++ tables that resources/StringResources.cpp
                           compiles in (run by the build)
  check DEF PO... [POT]    report every fault of the translations (and a template that
                           no longer matches Strings.def); exit status 1 if any
  template DEF OUT         write the template (plintor.pot) from Strings.def

The build runs this on the build machine, also when the program is built for another
one, so it needs nothing but Python 3.
"""

import os
import re
import sys

# The languages of the translation files, by file name. A file whose name is not here is
# refused, so that a new language is added here and in the dialog templates together.
LANGUAGES = {
    "cs": 0x0405, "da": 0x0406, "de": 0x0407, "el": 0x0408, "fi": 0x040B,
    "fr": 0x040C, "hu": 0x040E, "it": 0x0410, "ja": 0x0411, "nl": 0x0413,
    "nb": 0x0414, "pl": 0x0415, "pt_BR": 0x0416, "ru": 0x0419, "sv": 0x041D,
    "tr": 0x041F, "es": 0x0C0A,
}
NEUTRAL = 0x0000
ENGLISH = 0x0409

ROW = re.compile(r'^PLINTOR_STRING\((\d+),\s*(\w+),\s*"(.*)"\)\s*$')
ESCAPES = {"n": "\n", "t": "\t", "r": "\r", "a": "\a", "b": "\b", "f": "\f", "v": "\v",
           '"': '"', "\\": "\\", "'": "'", "?": "?"}


class Fault(Exception):
    pass


def unescape(body, where):
    """The text of a C or PO string literal's body (both use the C escapes)."""
    out = bytearray()
    i = 0
    raw = body.encode("utf-8")
    while i < len(raw):
        c = raw[i]
        if c != 0x5C:  # backslash
            out.append(c)
            i += 1
            continue
        i += 1
        if i >= len(raw):
            raise Fault("%s: a string ends in a lone backslash" % where)
        e = chr(raw[i])
        if e in ESCAPES:
            out += ESCAPES[e].encode()
            i += 1
        elif e in "01234567":
            j = i
            while j < len(raw) and j < i + 3 and chr(raw[j]) in "01234567":
                j += 1
            out.append(int(raw[i:j], 8) & 0xFF)
            i = j
        elif e == "x":
            j = i + 1
            while j < len(raw) and chr(raw[j]) in "0123456789abcdefABCDEF":
                j += 1
            if j == i + 1:
                raise Fault("%s: \\x without digits" % where)
            out.append(int(raw[i + 1:j], 16) & 0xFF)
            i = j
        else:
            raise Fault("%s: unknown escape \\%s" % (where, e))
    try:
        return out.decode("utf-8")
    except UnicodeDecodeError:
        raise Fault("%s: the text is not UTF-8" % where)


def read_def(path):
    """Strings.def as a list of (id, name, English text), in file order."""
    rows = []
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            m = ROW.match(line)
            if m:
                where = "%s:%d" % (path, number)
                rows.append((int(m.group(1)), m.group(2), unescape(m.group(3), where)))
    ids = [r[0] for r in rows]
    if ids != sorted(set(ids)):
        raise Fault("%s: string ids must be unique and ascending" % path)
    if len({r[1] for r in rows}) != len(rows):
        raise Fault("%s: a symbolic name is used twice" % path)
    return rows


class Entry:
    def __init__(self, line):
        self.line = line
        self.comments = []   # extracted comments ("#. ...")
        self.flags = set()
        self.msgctxt = None
        self.msgid = None
        self.msgstr = None


def read_po(path):
    """The entries of a PO file (obsolete "#~" entries left out), header first."""
    entries = []
    entry = None
    field = None
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    for number, raw in enumerate(lines, 1):
        line = raw.strip()
        where = "%s:%d" % (path, number)
        if not line:
            entry, field = None, None
            continue
        if line.startswith("#~"):
            continue
        if line.startswith("#"):
            if entry is None or field is not None:
                entry, field = Entry(number), None
                entries.append(entry)
            if line.startswith("#."):
                entry.comments.append(line[2:].strip())
            elif line.startswith("#,"):
                entry.flags.update(flag.strip() for flag in line[2:].split(","))
            continue
        m = re.match(r'^(msgctxt|msgid|msgid_plural|msgstr(?:\[\d+\])?)\s+"(.*)"$', line)
        if m:
            keyword = m.group(1)
            if keyword in ("msgctxt", "msgid") and (entry is None or entry.msgid is not None):
                entry = Entry(number)
                entries.append(entry)
            if entry is None:
                raise Fault("%s: %s outside an entry" % (where, keyword))
            if keyword not in ("msgctxt", "msgid", "msgstr"):
                raise Fault("%s: %s is not used in these files" % (where, keyword))
            if getattr(entry, keyword) is not None:
                raise Fault("%s: %s given twice" % (where, keyword))
            setattr(entry, keyword, unescape(m.group(2), where))
            field = keyword
            continue
        m = re.match(r'^"(.*)"$', line)
        if m and entry is not None and field is not None:
            setattr(entry, field, getattr(entry, field) + unescape(m.group(1), where))
            continue
        raise Fault("%s: cannot read this line" % where)
    for e in entries:
        if e.msgid is None or e.msgstr is None:
            raise Fault("%s:%d: an entry needs msgid and msgstr" % (path, e.line))
    return entries


def language_of(path):
    code = os.path.splitext(os.path.basename(path))[0]
    if code not in LANGUAGES:
        raise Fault("%s: no language is known by the name %r" % (path, code))
    return code, LANGUAGES[code]


def header_field(entries, name):
    for e in entries:
        if e.msgctxt is None and e.msgid == "":
            for line in e.msgstr.split("\n"):
                if line.startswith(name + ":"):
                    return line[len(name) + 1:].strip()
    return None


def translations(rows, entries):
    """{id: translation} for the entries that translate the current English text."""
    by_name = {name: (sid, text) for sid, name, text in rows}
    found = {}
    for e in entries:
        if e.msgctxt is None or e.msgctxt not in by_name or "fuzzy" in e.flags:
            continue
        sid, english = by_name[e.msgctxt]
        if english and e.msgid == english and e.msgstr:
            found.setdefault(sid, e.msgstr)
    return found


# ---------------------------------------------------------------------------------------
# generate

def c_literal(text):
    out = ['"']
    for b in text.encode("utf-8"):
        if b == 0x22:
            out.append('\\"')
        elif b == 0x5C:
            out.append("\\\\")
        elif b == 0x0A:
            out.append("\\n")
        elif 0x20 <= b < 0x7F:
            out.append(chr(b))
        else:
            out.append("\\%03o" % b)   # octal: never swallows a following digit
    out.append('"')
    return "".join(out)


def generate(out_path, def_path, po_paths):
    rows = read_def(def_path)
    tables = [(NEUTRAL, "neutral", [(sid, name) for sid, name, _ in rows]),
              (ENGLISH, "en", [(sid, text) for sid, _, text in rows if text])]
    for path in po_paths:
        code, lang = language_of(path)
        found = translations(rows, read_po(path))
        tables.append((lang, code, sorted(found.items())))
    tables.sort()
    langs = [t[0] for t in tables]
    if len(set(langs)) != len(langs):
        raise Fault("two translation files for one language")

    out = ["// Made by tools/strings/string_tables.py from resources/strings; not to be edited.",
           "// One table per language, sorted by id, without empty texts.", ""]
    for lang, code, table in tables:
        if not table:
            continue
        out.append("constexpr StringEntry rows%04X[] = {  // %s" % (lang, code))
        for sid, text in table:
            out.append("    {%d, %s}," % (sid, c_literal(text)))
        out.append("};")
        out.append("")
    out.append("constexpr LanguageTable languageTables[] = {")
    for lang, code, table in tables:
        out.append("    {0x%04X, %s}," % (lang, ("rows%04X" % lang) if table else "{}"))
    out.append("};")
    text = "\n".join(out) + "\n"
    # Unchanged output keeps its time stamp, so that nothing recompiles needlessly.
    try:
        with open(out_path, encoding="utf-8") as f:
            if f.read() == text:
                return 0
    except OSError:
        pass
    os.makedirs(os.path.dirname(os.path.abspath(out_path)), exist_ok=True)
    with open(out_path, "w", encoding="utf-8") as f:
        f.write(text)
    return 0


# ---------------------------------------------------------------------------------------
# check

PRINTF = re.compile(r"%[-+ #0]*\d*(?:\.\d+)?[hlLqjzt]*[diouxXeEfgGcspn%]")


def accelerators(text):
    """The characters marked with "&" ("&&" is a plain ampersand)."""
    keys = []
    i = 0
    while i < len(text):
        if text[i] == "&" and i + 1 < len(text):
            if text[i + 1] != "&":
                keys.append(text[i + 1])
            i += 2
            continue
        i += 1
    return keys


# Protocol and standard names that every language writes as English does.
PROTOCOL_WORDS = ["WPA2-PSK", "WPA-PSK", "IPv6", "IPv4", "SSID", "DHCP", "WEP", "DRPD",
                  "PSTN", "PBX", "TKIP", "AES", "PJL"]


def without_access_keys(text):
    return re.sub(r"&(.)", r"\1", text)


def compare(english, translated):
    """The ways a translation's form differs from the English text."""
    faults = []
    plain = without_access_keys(translated)
    for word in PROTOCOL_WORDS:
        if word in english and word not in plain:
            faults.append("%s is written differently" % word)
    if english.count("\n") != translated.count("\n"):
        faults.append("%d line breaks where English has %d"
                      % (translated.count("\n"), english.count("\n")))
    if sorted(PRINTF.findall(english)) != sorted(PRINTF.findall(translated)):
        faults.append("placeholders %s where English has %s"
                      % (PRINTF.findall(translated), PRINTF.findall(english)))
    a, b = len(accelerators(english)), len(accelerators(translated))
    if a != b:
        faults.append("%d access keys (&) where English has %d" % (b, a))
    return faults


def check(def_path, paths):
    rows = read_def(def_path)
    po_paths = [p for p in paths if not p.endswith(".pot")]
    by_name = {name: (sid, text) for sid, name, text in rows}
    wanted = [(sid, name, text) for sid, name, text in rows if text]
    faults = []
    for path in po_paths:
        try:
            code, _ = language_of(path)
            entries = read_po(path)
        except Fault as fault:
            faults.append(str(fault))
            continue
        if header_field(entries, "Language") != code:
            faults.append("%s: the header's Language is %r, not %r"
                          % (path, header_field(entries, "Language"), code))
        seen = set()
        for e in entries:
            if e.msgctxt is None and e.msgid == "":
                continue
            where = "%s:%d" % (path, e.line)
            if e.msgctxt not in by_name:
                faults.append("%s: %r is not a string of Strings.def" % (where, e.msgctxt))
                continue
            sid, english = by_name[e.msgctxt]
            if e.msgctxt in seen:
                faults.append("%s: %s is translated twice" % (where, e.msgctxt))
            seen.add(e.msgctxt)
            if not english:
                faults.append("%s: %s has no English text, so no language may have one"
                              % (where, e.msgctxt))
                continue
            if e.msgid != english:
                faults.append("%s: %s translates an English text that has changed since "
                              "(merge the template again)" % (where, e.msgctxt))
                continue
            if str(sid) not in e.comments:
                faults.append("%s: %s lacks its id comment \"#. %d\"" % (where, e.msgctxt, sid))
            if "fuzzy" in e.flags:
                faults.append("%s: %s is marked fuzzy" % (where, e.msgctxt))
            if not e.msgstr:
                faults.append("%s: %s (%d) is not translated" % (where, e.msgctxt, sid))
                continue
            for fault in compare(english, e.msgstr):
                faults.append("%s: %s: %s" % (where, e.msgctxt, fault))
        for sid, name, _ in wanted:
            if name not in seen:
                faults.append("%s: %s (%d) is missing" % (path, name, sid))
    for path in paths:
        if path.endswith(".pot"):
            with open(path, encoding="utf-8") as f:
                if f.read() != template_text(rows):
                    faults.append("%s: does not match Strings.def (write it again with "
                                  "\"string_tables.py template\")" % path)
    for fault in faults:
        print(fault)
    print("%d translation files, %d strings each: %d faults"
          % (len(po_paths), len(wanted), len(faults)))
    return 1 if faults else 0


# ---------------------------------------------------------------------------------------
# template

def po_literal(text):
    body = text.replace("\\", "\\\\").replace('"', '\\"').replace("\t", "\\t")
    parts = [p for p in re.split(r"(?<=\n)", body) if p]
    parts = [p.replace("\n", "\\n") for p in parts]
    if len(parts) == 1:
        return '"%s"' % parts[0]
    return '""\n' + "\n".join('"%s"' % p for p in parts)


TEMPLATE_HEADER = """\
# Template for a translation of Plintor's interface.
#
# Glossary:
#   (terms)
#
msgid ""
msgstr ""
"Project-Id-Version: Plintor\\n"
"PO-Revision-Date: 2026-12-08 12:00+0000\\n"
"Last-Translator: Plintor developers\\n"
"Language-Team: Plintor developers\\n"
"Language: \\n"
"MIME-Version: 1.0\\n"
"Content-Type: text/plain; charset=UTF-8\\n"
"Content-Transfer-Encoding: 8bit\\n"
"""


def template_text(rows):
    out = [TEMPLATE_HEADER]
    for sid, name, text in rows:
        if text:
            out.append('#. %d\nmsgctxt "%s"\nmsgid %s\nmsgstr ""\n' % (sid, name, po_literal(text)))
    return "\n".join(out)


def template(def_path, out_path):
    text = template_text(read_def(def_path))
    with open(out_path, "w", encoding="utf-8") as f:
        f.write(text)
    return 0


def main(argv):
    try:
        if len(argv) >= 3 and argv[0] == "generate":
            return generate(argv[1], argv[2], argv[3:])
        if len(argv) >= 2 and argv[0] == "check":
            return check(argv[1], argv[2:])
        if len(argv) == 3 and argv[0] == "template":
            return template(argv[1], argv[2])
    except Fault as fault:
        print("string_tables.py: %s" % fault, file=sys.stderr)
        return 1
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
