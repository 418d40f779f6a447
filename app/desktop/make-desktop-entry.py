#!/usr/bin/env python3
"""Writes the launcher's desktop entry with its name and actions in every language of the
string tables, so the translations live only in the tables.

Usage: make-desktop-entry.py <resources-folder> <application-id> <program> <output>
"""

import importlib.util
import sys
from pathlib import Path

# Desktop-entry locale for each table; the tables use BCP 47 ids.
LOCALES = {
    "zh-Hans": "zh_CN",
    "zh-Hant": "zh_TW",
    "pt-BR": "pt_BR",
}

# (action id, command-line option, key of its title)
ACTIONS = [
    ("open", None, "Open Orbitdeck"),
    ("settings", "--settings", "Settings…"),
    ("welcome", "--welcome", "Show Welcome Guide"),
    ("quit", "--quit", "Quit Orbitdeck"),
]


def load_tables(resources):
    script = Path(__file__).resolve().parents[2] / "scripts" / "check-strings.py"
    spec = importlib.util.spec_from_file_location("check_strings", script)
    strings = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(strings)
    tables = {}
    for folder in sorted(Path(resources).glob("*.lproj")):
        name = folder.name[: -len(".lproj")]
        if name == "Base":
            continue
        text = (folder / "Localizable.strings").read_text(encoding="utf-8")
        tables[name] = {key: value for key, value, *_ in strings.parse(text)}
    return tables


def localized_lines(field, key, tables):
    lines = [f"{field}={tables.get('en', {}).get(key, key)}"]
    for name, entries in tables.items():
        if name == "en" or key not in entries:
            continue
        lines.append(f"{field}[{LOCALES.get(name, name)}]={entries[key]}")
    return lines


def entry(tables, app_id, program):
    lines = ["[Desktop Entry]", "Type=Application"]
    lines += localized_lines("Name", "Orbitdeck", tables)
    lines += localized_lines("GenericName", "Application Launcher", tables)
    lines += [
        f"Icon={app_id}",
        f"Exec={program}",
        "Terminal=false",
        "Categories=Utility;",
        "StartupNotify=false",
        "StartupWMClass=orbitdeck",
        "DBusActivatable=true",
        "Actions=" + "".join(f"{action};" for action, _, _ in ACTIONS),
    ]
    for action, option, key in ACTIONS:
        lines += ["", f"[Desktop Action {action}]"]
        lines += localized_lines("Name", key, tables)
        lines.append(f"Exec={program} {option}" if option else f"Exec={program}")
    return "\n".join(lines) + "\n"


def main():
    if len(sys.argv) != 5:
        print(__doc__, file=sys.stderr)
        return 2
    resources, app_id, program, output = sys.argv[1:]
    text = entry(load_tables(resources), app_id, program)
    Path(output).write_text(text, encoding="utf-8")
    return 0


if __name__ == "__main__":
    sys.exit(main())
