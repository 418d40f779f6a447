#!/usr/bin/env python3
"""Writes app/start_symbols.txt: the program's functions and compiled QML a start runs.

    scripts/with-xvfb.sh 1440x900x24 scripts/make-start-symbols.py [--build DIR]

Starts DIR/orbitdeck (default build/default) under valgrind's callgrind on generated sample
bundles and desktop entries, offscreen with its caches empty and filled and in a window on the X
server, each until the first half second after its first full grid has run, and lists every
function of the program that ran, the compiled units of the QML documents those starts loaded,
and the small tables of moc, the type names and the resources. The linker places these first
(cmake/Orbitdeck.cmake, with lld), so a start maps the kilobytes of code and data it needs rather
than pages spread across the whole program. Run it again after large changes; a name that no
longer exists is ignored, and a function missing from the list only lies among the rest.
"""

import argparse
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SOURCE = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def environment(home, report, platform):
    env = dict(os.environ)
    for name in ("XDG_CURRENT_DESKTOP", "DBUS_SESSION_BUS_ADDRESS"):
        env.pop(name, None)
    env.update(HOME=home, XDG_CONFIG_HOME=home + "/.config", XDG_CACHE_HOME=home + "/.cache",
               XDG_DATA_HOME=home + "/.local/share", XDG_DATA_DIRS=home + "/usr/share",
               XDG_RUNTIME_DIR=home, GSETTINGS_BACKEND="memory", AMBERGRID_TEST_DEFAULTS="1",
               ORBITDECK_APP_ROOTS=home + "/Applications", QT_QPA_PLATFORM=platform,
               ORBITDECK_STATE_REPORT=report, ORBITDECK_STATE_REPORT_DEBOUNCE="0",
               QML_IMPORT_TRACE="1")
    return env


def full_grid(report):
    try:
        with open(report, encoding="utf-8") as file:
            items = json.load(file).get("items", {})
    except (OSError, ValueError):
        return False
    return sum(1 for key in items if key.startswith("library-cell-")) >= 35


def profiled_start(program, home, work, name, platform):
    """Runs one start under callgrind; returns its output file and the QML files it loaded."""
    report = os.path.join(work, name + ".json")
    profile = os.path.join(work, name + ".callgrind")
    trace = os.path.join(work, name + ".log")
    command = ["valgrind", "--tool=callgrind", "--callgrind-out-file=" + profile,
               "--demangle=no", "--dump-instr=no", "--compress-strings=no", "--compress-pos=no",
               program]
    with open(trace, "w", encoding="utf-8") as log:
        process = subprocess.Popen(command, env=environment(home, report, platform), stderr=log)
        deadline = time.monotonic() + 300
        while time.monotonic() < deadline and process.poll() is None and not full_grid(report):
            time.sleep(0.05)
        if not full_grid(report):
            process.kill()
            sys.exit("the launcher showed no full grid under callgrind (see %s)" % trace)
        # What the first half second after that frame runs, at callgrind's pace.
        time.sleep(15)
        process.send_signal(signal.SIGTERM)
        process.wait(120)
    with open(trace, encoding="utf-8", errors="replace") as log:
        documents = set(re.findall(r"qrc:/qt/qml/(Orbitdeck/\w+/\w+)\.qml", log.read()))
    return profile, documents


def executed_functions(profile, program):
    functions = set()
    inside = False
    with open(profile, encoding="utf-8", errors="replace") as file:
        for line in file:
            if line.startswith("ob="):
                inside = os.path.realpath(line[3:].strip()) == program
            elif inside and line.startswith("fn="):
                name = line[3:].strip()
                # Only linker symbols: no addresses, no "(below main)".
                if re.fullmatch(r"[A-Za-z_.$][\w.$]*", name):
                    functions.add(name)
    return functions


def unit_symbols(documents):
    # qmlcachegen's names: _qt_qml_<module path with '_'>_<file>_qml.
    names = set()
    for document in documents:
        unit = "_qt_qml_" + document.replace("/", "_") + "_qml"
        prefix = "_ZN21QmlCacheGeneratedCode%d%s" % (len(unit), unit)
        names.update({prefix + "7qmlDataE", prefix + "4unitE", prefix + "17aotBuiltFunctionsE"})
    return names


def metadata_symbols(program):
    # Loading the QML modules reads the tables moc writes for every registered class, the names
    # of the registered types and the resource trees, and casts compare type names: all small,
    # and spread among the compiled QML they would keep the units of views never shown in memory.
    listing = subprocess.run(["nm", "--defined-only", program], capture_output=True, text=True,
                             check=True).stdout
    names = set()
    for line in listing.splitlines():
        fields = line.split()
        if len(fields) == 3 and fields[1] in "rRdDuV" and re.search(
                r"qt_meta_(string)?data_|qt_resource_(struct|name)|^_ZTS|QMetaTypeForType.*4nameE|"
                r"nameAsArray", fields[2]):
            names.add(fields[2])
    return names


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default=os.path.join(SOURCE, "build", "default"))
    arguments = parser.parse_args()
    program = os.path.realpath(os.path.join(arguments.build, "orbitdeck"))
    if not shutil.which("valgrind") or not os.path.exists(program):
        sys.exit("needs valgrind and a built %s" % program)
    with tempfile.TemporaryDirectory() as work:
        home = os.path.join(work, "home")
        subprocess.run([sys.executable, os.path.join(SOURCE, "scripts", "make-sample-apps.py"),
                        "--home", home, "--count", "300", "--desktop-entries", "300",
                        "--svg-icons", "--large-theme"], check=True, stdout=subprocess.DEVNULL)
        os.chmod(home, 0o700)
        # A cache is written only from folders older than a file time's granularity.
        time.sleep(3)
        functions, documents = set(), set()
        starts = [("empty-caches", "offscreen"), ("filled-caches", "offscreen")]
        # On an X server (scripts/with-xvfb.sh) also as users start it, in a window.
        if os.environ.get("DISPLAY"):
            starts.append(("window", "xcb"))
        for name, platform in starts:
            profile, loaded = profiled_start(program, home, work, name, platform)
            functions |= executed_functions(profile, program)
            documents |= loaded
    symbols = sorted(functions | unit_symbols(documents) | metadata_symbols(program))
    target = os.path.join(SOURCE, "app", "start_symbols.txt")
    with open(target, "w", encoding="utf-8") as file:
        file.write("\n".join(symbols) + "\n")
    print("%d functions and %d QML documents written to %s"
          % (len(functions), len(documents), target))


if __name__ == "__main__":
    main()
