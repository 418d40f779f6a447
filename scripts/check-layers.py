#!/usr/bin/env python3
"""Checks that every include of the project's own headers, and every QML import of the
project's QML modules, points down the module layers.

A module includes its own headers and those of lower layers, never a sibling of its layer
or anything above it; a shared type moves down a layer instead. A module's parts (a
folder inside it with a target of its own) are included by the module and include only
lower layers. The same holds for QML: a QML module belongs to the folder whose
CMakeLists.txt declares its URI, and a module's QML imports only its own and lower
layers' QML modules. QML never loads another module's file by a qrc: URL (it imports the
module and uses the type); C++ may, down the layers only. Tests, benchmarks and fuzz
targets may include and import anything. A folder with sources that no layer names is a
problem too, so a new module cannot slip past. Exit status 1 on any problem, with one
line per problem.

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
SOURCE_SUFFIXES = {".h", ".hpp", ".cpp", ".cc", ".qml"}
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]')
# The project's QML modules are named Orbitdeck.<Name>.
QML_PREFIX = "Orbitdeck"
QML_IMPORT = re.compile(r'^\s*import\s+(?:([A-Za-z_][\w.]*)|"([^"]+)")')
QML_URI = re.compile(r"\bURI\s+([A-Za-z_][\w.]*)")
QRC_MODULE_URL = re.compile(r"qrc:/+qt/qml/([\w/.]+)")

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


def project_files(root, suffixes=SOURCE_SUFFIXES, names=()):
    found = []
    for folder, subfolders, files in os.walk(root):
        relative = Path(folder).relative_to(root)
        # A build folder inside the sources holds generated code of every module.
        if relative.parts and (exempt(relative) or (Path(folder) / "CMakeCache.txt").exists()):
            subfolders.clear()
            continue
        found += [Path(folder) / name for name in files
                  if Path(name).suffix in suffixes or name in names]
    return sorted(found)


def qml_modules(root):
    """The project's QML modules by URI, each of the module whose CMakeLists.txt declares it."""
    modules = {}
    for path in project_files(root, suffixes=(), names=("CMakeLists.txt",)):
        module = module_of(path.relative_to(root))
        for uri in QML_URI.findall(path.read_text(errors="replace")):
            if uri.split(".")[0] == QML_PREFIX and module:
                modules[uri] = module
    return modules


def url_module(url_path, modules):
    """The QML module a path below qrc:/qt/qml names (its longest URI prefix), or None."""
    parts = url_path.split("/")
    for length in range(len(parts), 0, -1):
        uri = ".".join(parts[:length])
        if uri in modules:
            return uri
    return None


def include_problems(root, path, module, number, line):
    match = INCLUDE.match(line)
    target_path = match and resolve(root, path, match.group(1))
    if not target_path or exempt(target_path):
        return []
    target = module_of(target_path)
    if target is None or not allowed(module, target):
        return [f"{path.relative_to(root)}:{number}: {module} includes {target_path}"
                f" ({target or 'no layer'}, not below it)"]
    return []


def qml_import_problems(root, path, module, number, line, modules):
    match = QML_IMPORT.match(line)
    if not match:
        return []
    where = f"{path.relative_to(root)}:{number}: {module}"
    uri, folder = match.groups()
    if folder is not None:
        target_path = (path.parent / folder).resolve()
        if not target_path.is_relative_to(root):
            return []
        target_path = target_path.relative_to(root)
        target = module_of(target_path / "qmldir")
        if target is None or not allowed(module, target):
            return [f"{where} imports {target_path} ({target or 'no layer'}, not below it)"]
        return []
    if uri.split(".")[0] != QML_PREFIX:
        return []
    target = modules.get(uri)
    if target is None:
        return [f"{where} imports {uri} (no module declares it)"]
    if not allowed(module, target):
        return [f"{where} imports {uri} ({target}, not below it)"]
    return []


def qrc_problems(root, path, module, number, line, modules):
    problems = []
    where = f"{path.relative_to(root)}:{number}: {module}"
    for url_path in QRC_MODULE_URL.findall(line):
        uri = url_module(url_path, modules)
        if uri is None:
            continue
        if path.suffix == ".qml":
            problems.append(f"{where} loads qrc:/qt/qml/{url_path} by URL"
                            f" (import {uri} and use its type)")
        elif not allowed(module, modules[uri]):
            problems.append(f"{where} loads qrc:/qt/qml/{url_path}"
                            f" ({modules[uri]}, not below it)")
    return problems


def check(root):
    root = root.resolve()
    modules = qml_modules(root)
    problems = []
    for path in project_files(root):
        relative = path.relative_to(root)
        module = module_of(relative)
        if module is None:
            problems.append(f"{relative}: in no layer (add its folder to LAYERS)")
            continue
        for number, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
            if path.suffix == ".qml":
                problems += qml_import_problems(root, path, module, number, line, modules)
            else:
                problems += include_problems(root, path, module, number, line)
            problems += qrc_problems(root, path, module, number, line, modules)
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
        # QML modules and their imports.
        "window/CMakeLists.txt": "qt_add_qml_module(window URI Orbitdeck.State VERSION 1.0)\n",
        "window/qml/CMakeLists.txt": "qt_add_qml_module(views\n  URI Orbitdeck.Views\n)\n",
        "arranging/CMakeLists.txt": "qt_add_qml_module(arranging URI Orbitdeck.Arranging)\n",
        "settings/CMakeLists.txt": "orbitdeck_qml_module(settings URI Orbitdeck.Settings)\n",
        "app/CMakeLists.txt": "orbitdeck_qml_module(app_views URI Orbitdeck.App)\n",
        "window/qml/Tile.qml": "import QtQuick\nimport Orbitdeck.State\nimport Orbitdeck.Arranging\n",
        "window/qml/Root.qml": ('import Orbitdeck.Views\nimport Orbitdeck.Settings as S\n'
                               'Loader { source: "qrc:/qt/qml/Orbitdeck/Settings/Sheet.qml" }\n'),
        "window/qml/Cell.qml": 'import "../../settings/qml"\nimport "."\n',
        "window/scene.cpp": 'auto main = QUrl("qrc:/qt/qml/Orbitdeck/App/Main.qml");\n'
                            'auto path = QStringLiteral("qrc:/qt/qml");\n',
        "settings/qml/Sheet.qml": "import Orbitdeck.Views\nimport Orbitdeck.Arranging 1.0\n",
        "app/qml/Main.qml": ('import Orbitdeck.Settings\nimport Orbitdeck.Gone\n'
                             'Loader { source: "qrc:/qt/qml/Orbitdeck/App/Sheets.qml" }\n'),
        "app/scene.cpp": 'QUrl("qrc:/qt/qml/Orbitdeck/Settings/Sheet.qml")\n',
        "tests/window/tst_root.qml": "import Orbitdeck.App\n",
    }
    expected = [
        "app/qml/Main.qml:2: app imports Orbitdeck.Gone (no module declares it)",
        "app/qml/Main.qml:3: app loads qrc:/qt/qml/Orbitdeck/App/Sheets.qml by URL",
        "arranging/command.h:2: arranging includes system/keys.h",
        "arranging/rules/drag.h:1: arranging/rules includes arranging/command.h",
        "library/model.h:2: library includes platform/fake.h",
        "onboarding/guide.cpp:1: onboarding includes app/main.h",
        "settings/qml/Sheet.qml:2: settings imports Orbitdeck.Arranging (arranging,",
        "settings/sheet.cpp:1: settings includes arranging/rules/drag.h",
        "stray/thing.cpp: in no layer",
        "window/qml/Cell.qml:1: window imports settings/qml (settings,",
        "window/qml/Root.qml:2: window imports Orbitdeck.Settings (settings,",
        "window/qml/Root.qml:3: window loads qrc:/qt/qml/Orbitdeck/Settings/Sheet.qml by URL",
        "window/qml/Tile.qml:3: window imports Orbitdeck.Arranging (arranging,",
        "window/scene.cpp:1: window loads qrc:/qt/qml/Orbitdeck/App/Main.qml (app,",
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
