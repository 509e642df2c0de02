#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks that every layer of src/ links exactly the layers its files include.

Each rtv_layer() call names its sources and the layers it links, PUBLIC (its headers
include them) or PRIVATE (only its sources do). The compiler already refuses an include of
a layer that is not linked; this check adds what it cannot see: a link nothing includes, a
PRIVATE link that a header needs (whoever includes that header would fail), a PUBLIC link
that no header needs, a header on no list, and a cycle.
"""
import os
import re
import sys

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src")
CALL = re.compile(r"\b(rtv_layer|target_sources|target_link_libraries)\s*\(([^)]*)\)", re.S)
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)
KEYWORDS = {"SOURCES", "PUBLIC", "PRIVATE", "INTERFACE", "QT"}


def parse_layers():
    files = {}  # path under src/ -> target
    links = {}  # target -> {"PUBLIC": set, "PRIVATE": set}
    for folder, _, names in os.walk(ROOT):
        if "CMakeLists.txt" not in names:
            continue
        rel = os.path.relpath(folder, ROOT)
        text = re.sub(r"#[^\n]*", "", open(os.path.join(folder, "CMakeLists.txt")).read())
        for command, body in CALL.findall(text):
            words = body.split()
            target, section = words[0], None
            if command != "rtv_layer" and target not in links:
                continue
            links.setdefault(target, {"PUBLIC": set(), "PRIVATE": set()})
            for word in words[1:]:
                if word in KEYWORDS:
                    section = word
                elif section == "SOURCES" or command == "target_sources":
                    files[os.path.normpath(os.path.join(rel, word))] = target
                elif section in ("PUBLIC", "PRIVATE") and word.startswith("rtv_"):
                    links[target][section].add(word)
    return files, links


def main():
    files, links = parse_layers()
    faults = []
    needed = {target: {"PUBLIC": set(), "PRIVATE": set()} for target in links}
    for path, target in files.items():
        source = os.path.join(ROOT, path)
        if not os.path.exists(source):
            faults.append(f"{target}: {path} is listed but does not exist")
            continue
        for header in INCLUDE.findall(open(source, encoding="utf-8").read()):
            owner = files.get(os.path.normpath(header))
            if owner is None:
                if os.path.exists(os.path.join(ROOT, header)):
                    faults.append(f"{path}: includes {header}, which no layer lists")
                continue
            if owner != target:
                needed[target]["PUBLIC" if path.endswith(".h") else "PRIVATE"].add(owner)
    for folder, _, names in os.walk(ROOT):
        for name in names:
            path = os.path.normpath(os.path.relpath(os.path.join(folder, name), ROOT))
            if name.endswith(".h") and path not in files:
                faults.append(f"{path}: a header on no layer's list")
    for target in sorted(links):
        public, private = needed[target]["PUBLIC"], needed[target]["PRIVATE"] - needed[target]["PUBLIC"]
        have_public, have_private = links[target]["PUBLIC"], links[target]["PRIVATE"]
        for layer in sorted(public - have_public):
            faults.append(f"{target}: its headers include {layer}: link it PUBLIC")
        for layer in sorted(private - have_private - have_public):
            faults.append(f"{target}: its sources include {layer}: link it PRIVATE")
        for layer in sorted(have_public - public):
            faults.append(f"{target}: links {layer} PUBLIC, but no header of it includes that layer"
                          + (" (PRIVATE will do)" if layer in private else ""))
        for layer in sorted(have_private - private - public):
            faults.append(f"{target}: links {layer}, but nothing of it includes that layer")
    # The graph must be a tree of layers: no layer reaches itself.
    def reach(start, target, seen):
        for layer in links[target]["PUBLIC"] | links[target]["PRIVATE"]:
            if layer == start:
                return True
            if layer in links and layer not in seen:
                seen.add(layer)
                if reach(start, layer, seen):
                    return True
        return False
    for target in sorted(links):
        if reach(target, target, set()):
            faults.append(f"{target}: is part of a cycle of layers")
    for fault in faults:
        print("check-layers:", fault, file=sys.stderr)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
