#!/usr/bin/env python3
"""Writes a pseudo-translation of the template: every text longer and accented ("[Ŝàvé~~]"), with
what a translation keeps kept (formats, the accelerator, the shortcut after a tab, blanks at the
ends, the fields of the file type). Usage: pseudo_catalog.py TEMPLATE OUT.po"""
import re
import sys

ACCENTED = str.maketrans("aeioAEIOcnyCNY", "àéîõÀÉÎÕçñýÇÑÝ")
KEPT = re.compile(r"(%[0-9]|%z?[sdu]|%%|&.|\.qrb|\(\*\.[A-Z]+\)|PW-R455NORD[.\w]*|VX-R455NORD)")


def pseudo_line(text):
    core = text.strip(" ")
    if not re.search("[A-Za-z]", KEPT.sub("", core)):
        return text
    parts = KEPT.split(core)
    core = "".join(p if i % 2 else p.translate(ACCENTED) for i, p in enumerate(parts))
    lead = text[: len(text) - len(text.lstrip(" "))]
    trail = text[len(text.rstrip(" ")):]
    return lead + "[" + core + "~" * (2 + len(core) // 3) + "]" + trail


def pseudo(text):
    head, tab, shortcut = text.partition("\t")
    return "\n".join(pseudo_line(line) for line in head.split("\n")) + tab + shortcut


def unquote(lines):
    return "".join(bytes(l, "utf-8").decode("unicode_escape").encode("latin-1").decode("utf-8")
                   for l in lines)


def quote(text):
    escaped = text.replace("\\", "\\\\").replace('"', '\\"').replace("\n", "\\n")
    return '"' + escaped.replace("\t", "\\t").replace("\r", "\\r") + '"'


def main(template, out):
    entries, current, key = [], {}, None
    for line in open(template, encoding="utf-8"):
        line = line.strip()
        match = re.match(r'(msgid|msgid_plural|msgstr(?:\[\d\])?) (".*")$', line)
        if match:
            key = match.group(1)
            if key == "msgid" and current:
                entries.append(current)
                current = {}
            current[key] = [match.group(2)[1:-1]]
        elif line.startswith('"') and key:
            current[key].append(line[1:-1])
    entries.append(current)
    with open(out, "w", encoding="utf-8") as po:
        po.write('msgid ""\nmsgstr ""\n"Project-Id-Version: pwr455\\n"\n"Language: xx\\n"\n'
                 '"MIME-Version: 1.0\\n"\n"Content-Type: text/plain; charset=UTF-8\\n"\n'
                 '"Content-Transfer-Encoding: 8bit\\n"\n'
                 '"Plural-Forms: nplurals=2; plural=(n != 1);\\n"\n\n')
        for entry in entries[1:]:
            msgid = unquote(entry["msgid"])
            po.write("msgid " + quote(msgid) + "\n")
            if "msgid_plural" in entry:
                plural = unquote(entry["msgid_plural"])
                po.write("msgid_plural " + quote(plural) + "\n")
                po.write("msgstr[0] " + quote(pseudo(msgid)) + "\n")
                po.write("msgstr[1] " + quote(pseudo(plural)) + "\n\n")
            else:
                po.write("msgstr " + quote(pseudo(msgid)) + "\n\n")


main(*sys.argv[1:])
