#!/usr/bin/env python3
"""Checks that the layers of src/ only include downwards.

The layers, lowest first:

    platform < ui < model < scene < render < connect < edit < arrange < store < export < import < app < cli, gui

A file may include headers of its own layer and of the layers below it. The
few includes that go up on purpose (calls that belong to the design, listed
in README's Layout) are in ALLOWED below; every other upward include fails
the check. cli and gui (the editor on Qt) are the two programs: they share the
top rank, and neither may include the other. An include written relative to
the including file ("../app/x.h", "x.h") is resolved against that file's
directory first, so it is checked like any other. Besides, no layer below
the application may enable or disable a menu item or a button (ENABLING).

Usage: tools/checklayers.py [REPO]    (exit status 1 on any violation)
"""
import os
import re
import sys

ORDER = ["platform", "ui", "model", "scene", "render", "connect", "edit", "arrange", "store", "export",
         "import", "app", "cli", "gui"]
# Layers of the same rank: the two programs sit side by side on top.
RANK = {name: i for i, name in enumerate(ORDER)}
RANK["gui"] = RANK["cli"]

# Upward includes that are part of the design: (including file, included header).
# Keep each entry with its reason; README's Layout lists the same calls.
ALLOWED = {
    # createIWO draws a new line or connector at once.
    ("model/create.cpp", "render/draw.h"),
    # duplicateIWO records the copy in the undo history.
    ("model/iwo.cpp", "edit/history.h"),
    # newIWOdiagram starts with an empty history.
    ("model/diagram.cpp", "edit/history.h"),
    # connector changes are recorded in the undo history.
    ("connect/connect.cpp", "edit/history.h"),
    # snapping to the grid and showing it deselect everything first.
    ("render/grid.cpp", "edit/selection.h"),
    # a user-object template made or loaded gets its tool picture at once.
    ("store/userobjects.cpp", "export/usericon.h"),
}

INCLUDE = re.compile(r'\s*#\s*include\s+"([^"]+)"')

# What menus and buttons offer is worked out by the application from the
# program's state after each event (app/menustate.cpp): the layers below it
# never enable or disable an item or a button themselves.
ENABLING = re.compile(r'\b(setmenuenabled|setmenuchecked|setgadgetenabled|OnMenu|OffMenu|'
                      r'disabledrawtools|disablefiletools|disableIWOtools)\s*\(')
NOENABLING = ["ui", "model", "scene", "render", "connect", "edit", "arrange", "store", "export",
              "import"]


def layerof(rel):
    """The layer of a path relative to src/, or None outside the order."""
    top = rel.split("/")[0]
    return top if top in ORDER and "/" in rel else None


def resolve(src, rel, target):
    """The included header as a path relative to src/: relative to the
    including file when written with "./" or "../" or when such a file exists
    beside it, else relative to src/ (the include path)."""
    local = os.path.normpath(os.path.join(os.path.dirname(rel), target)).replace(os.sep, "/")
    if target.startswith(".") or os.path.isfile(os.path.join(src, local)):
        return local
    return os.path.normpath(target).replace(os.sep, "/")


def check(root):
    src = os.path.join(root, "src")
    rank = RANK
    problems = []
    used = set()
    for d, _, files in sorted(os.walk(src)):
        for f in sorted(files):
            if not f.endswith((".h", ".cpp")):
                continue
            path = os.path.join(d, f)
            rel = os.path.relpath(path, src).replace(os.sep, "/")
            layer = layerof(rel)
            if layer is None:
                continue
            with open(path, encoding="utf-8", errors="replace") as fh:
                for n, line in enumerate(fh, 1):
                    if layer in NOENABLING and ENABLING.search(line.split("//")[0]):
                        problems.append(f"src/{rel}:{n}: {layer} enables a menu item or button "
                                        f"(the application does, from the state)")
                    m = INCLUDE.match(line)
                    if not m:
                        continue
                    target = resolve(src, rel, m.group(1))
                    tlayer = layerof(target)
                    if tlayer is None or tlayer == layer:
                        continue
                    if rank[tlayer] == rank[layer]:
                        problems.append(f"src/{rel}:{n}: {layer} includes {m.group(1)} "
                                        f"(the other program)")
                        continue
                    if rank[tlayer] < rank[layer]:
                        continue
                    if (rel, target) in ALLOWED:
                        used.add((rel, target))
                        continue
                    problems.append(f"src/{rel}:{n}: {layer} includes {m.group(1)} "
                                    f"({tlayer} is above it)")
    for rel, target in sorted(ALLOWED - used):
        problems.append(f"allowed upward include no longer found (remove it from the list): "
                        f"src/{rel} -> {target}")
    return problems


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    problems = check(root)
    for p in problems:
        print(p)
    if problems:
        print(f"checklayers: {len(problems)} problem(s); layers only include downwards "
              f"({' < '.join(ORDER[:-1])}, {ORDER[-1]})")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
