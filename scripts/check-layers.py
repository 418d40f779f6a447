#!/usr/bin/env python3
"""Checks that every include of the project's own headers points down the module layers.

A module includes its own headers and those of lower layers, never a sibling of its layer
or anything above it; a shared type moves down a layer instead. A module's parts (a
folder inside it with a target of its own) are included by the module and include only
lower layers. Tests, benchmarks and fuzz targets may include anything. A folder with
sources that no layer names is a problem too, so a new module cannot slip past.
Exit status 1 on any problem, with one line per problem.

Usage: scripts/check-layers.py [source-folder]
       scripts/check-layers.py --self-test
"""

import os
import re
import sys
import tempfile
from pathlib import Path

# Lowest first; the README's module table draws the same.
LAYERS = [
    ["layout-core", "catalog-core"],
    ["library", "platform"],
    ["window"],
    ["system", "arranging", "arranging/rules", "settings", "onboarding"],
    ["app"],
]
PARTS = {"arranging": {"arranging/rules"}}
EXEMPT = {"tests", "bench", "fuzz", "scripts", "resources", "cmake", "build"}
SOURCE_SUFFIXES = {".h", ".hpp", ".cpp", ".cc"}
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]')

RANK = {module: rank for rank, layer in enumerate(LAYERS) for module in layer}


def module_of(relative):
    """The module a path relative to the source folder belongs to: its longest named prefix."""
    parts = relative.parts
    for length in range(len(parts) - 1, 0, -1):
        name = "/".join(parts[:length])
        if name in RANK:
            return name
    return None


def exempt(relative):
    return relative.parts[0].startswith(".") or any(part in EXEMPT for part in relative.parts)


def resolve(root, including, name):
    """The project file an include names, relative to the root; None for a header not ours."""
    for base in (including.parent, root):
        candidate = (base / name).resolve()
        if candidate.is_file() and candidate.is_relative_to(root):
            return candidate.relative_to(root)
    return None


def allowed(module, target):
    return target == module or RANK[target] < RANK[module] or target in PARTS.get(module, ())


def sources(root):
    found = []
    for folder, subfolders, files in os.walk(root):
        relative = Path(folder).relative_to(root)
        # A build folder inside the sources holds generated code of every module.
        if relative.parts and (exempt(relative) or (Path(folder) / "CMakeCache.txt").exists()):
            subfolders.clear()
            continue
        found += [Path(folder) / name for name in files if Path(name).suffix in SOURCE_SUFFIXES]
    return sorted(found)


def check(root):
    root = root.resolve()
    problems = []
    for path in sources(root):
        relative = path.relative_to(root)
        module = module_of(relative)
        if module is None:
            problems.append(f"{relative}: in no layer (add its folder to LAYERS)")
            continue
        for number, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
            match = INCLUDE.match(line)
            target_path = match and resolve(root, path, match.group(1))
            if not target_path or exempt(target_path):
                continue
            target = module_of(target_path)
            if target is None or not allowed(module, target):
                problems.append(f"{relative}:{number}: {module} includes {target_path}"
                                f" ({target or 'no layer'}, not below it)")
    return problems


def self_test():
    """The check on a small tree whose wrong includes are known; a check that finds nothing
    there is broken."""
    files = {
        "layout-core/graph.h": "",
        "catalog-core/folding.h": "",
        "library/model.h": '#include "layout-core/graph.h"\n#include "platform/fake.h"\n',
        "platform/fake.h": '#include "catalog-core/folding.h"\n',
        "window/state.h": '#include "library/model.h"\n#include "state_part.h"\n',
        "window/state_part.h": "#include <vector>\n#include \"ui_generated.h\"\n",
        "system/keys.h": '#include "window/state.h"\n',
        "arranging/rules/drag.h": '#include "../command.h"\n',
        "arranging/command.h": '#include "arranging/rules/drag.h"\n#include <system/keys.h>\n',
        "settings/sheet.cpp": '#include "arranging/rules/drag.h"\n',
        "onboarding/guide.cpp": '  #  include "app/main.h"\n',
        "app/main.h": '#include "onboarding/guide.cpp"\n#include "system/keys.h"\n',
        "tests/window/state_test.cpp": '#include "app/main.h"\n',
        "stray/thing.cpp": "",
    }
    expected = [
        "arranging/command.h:2: arranging includes system/keys.h",
        "arranging/rules/drag.h:1: arranging/rules includes arranging/command.h",
        "library/model.h:2: library includes platform/fake.h",
        "onboarding/guide.cpp:1: onboarding includes app/main.h",
        "settings/sheet.cpp:1: settings includes arranging/rules/drag.h",
        "stray/thing.cpp: in no layer",
    ]
    with tempfile.TemporaryDirectory() as folder:
        root = Path(folder)
        for name, text in files.items():
            (root / name).parent.mkdir(parents=True, exist_ok=True)
            (root / name).write_text(text)
        found = check(root)
    matched = len(found) == len(expected) and all(
        problem.startswith(prefix) for problem, prefix in zip(found, expected))
    if not matched:
        print("self-test: expected\n  " + "\n  ".join(expected) + "\nfound\n  " +
              "\n  ".join(found))
    return matched


def main(argv):
    if argv[1:] == ["--self-test"]:
        return 0 if self_test() else 1
    root = Path(argv[1]) if len(argv) > 1 else Path(__file__).resolve().parent.parent
    problems = check(root)
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
