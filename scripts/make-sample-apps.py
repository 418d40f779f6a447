#!/usr/bin/env python3
"""Creates a folder of sample application bundles for tests, benchmarks and trying the app.

    make-sample-apps.py --home DIR [--count N] [--system-root] [--desktop-entries M [--svg-icons]]
                        [--large-theme] [--no-icon-cache]

writes DIR/Applications with N real ".app" bundles (XML and binary Info.plists, a PNG icon,
an executable script that records its launch) plus decoys the catalog must skip; with
--system-root also DIR/System/Applications with a few utilities. With --desktop-entries, M
desktop entries in DIR/.local/share/applications (the user's) and DIR/usr/share/applications
(the system's, one of them hidden by a user's copy), their icons PNG and SVG in the icon theme
"Orbitdeck-Sample" under DIR/.local/share/icons, named as the theme of DIR/.config/gtk-3.0,
plus decoys the catalog must hide (--svg-icons: every icon an SVG); read them with XDG_DATA_HOME=DIR/.local/share and
XDG_DATA_DIRS=DIR/usr/share. --large-theme adds a system icon theme the size of a large desktop
one (thousands of names in every size and context folder, most of them links as such themes
ship them), made the current theme and inheriting the sample one, so each lookup of a sample icon
goes through it. Each theme gets GTK's icon-theme.cache, written by gtk-update-icon-cache as
desktop packages do, when that tool is installed (--no-icon-cache: none, so themes are listed).
The run is deterministic.
A launched sample touches $ORBITDECK_LAUNCH_MARKERS/<bundle id> (an entry: <desktop id> holding
its arguments), or DIR/launch-markers/... when that variable is unset. The last line printed is
the value for ORBITDECK_APP_ROOTS.
"""

import argparse
import os
import plistlib
import shutil
import struct
import subprocess
import sys
import zlib

LATIN = ["Café Menu", "Über Notes", "Résumé Builder", "Señor Calendar", "Ångström Lab",
         "Zoë Paint", "Crème Reader", "Naïve Mail", "Façade Studio", "Øresund Maps",
         "Notes", "Calculator", "Terminal", "Text Edit", "Preview", "Weather", "App 1",
         "app 2", "App 10", "Podcasts", "Stocks", "Voice Memos"]
CHINESE = ["微信", "QQ音乐", "网易云音乐", "支付宝", "钉钉", "百度网盘", "腾讯会议", "飞书",
           "哔哩哔哩", "高德地图", "淘宝", "美团", "京东", "抖音", "企业微信", "爱奇艺",
           "有道云笔记", "招商银行", "重庆地铁", "长城浏览器"]
JAPANESE = ["メモ帳", "写真ビューア", "カレンダー", "ミュージック", "翻訳アプリ", "ゲームセンター"]
KOREAN = ["카카오톡", "네이버 지도", "멜론", "한글 워드", "배달의민족", "토스"]


def interleave(*groups):
    """Round-robin over the groups, so every run of a few names mixes the scripts."""
    longest = max(len(group) for group in groups)
    return [group[i] for i in range(longest) for group in groups if i < len(group)]


BASE_NAMES = interleave(LATIN, CHINESE, JAPANESE, KOREAN)

SYSTEM_UTILITIES = ["Activity Monitor", "Disk Utility", "Console", "System Information"]

COLOURS = [(0xE5, 0x4B, 0x4B), (0xF2, 0x9E, 0x38), (0x3F, 0xA3, 0x5B), (0x2F, 0x80, 0xED),
           (0x8E, 0x5B, 0xD9), (0x1F, 0xB5, 0xA9), (0xD9, 0x4F, 0x9B), (0x5C, 0x6B, 0x7A)]
SHAPES = ["circle", "triangle", "diamond", "bars"]
ICON_SIZE = 64


def png_bytes(width, height, rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)
    raw = b"".join(b"\x00" + bytes(row) for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 6))
            + chunk(b"IEND", b""))


def inside_rounded_square(x, y, size, radius):
    cx = min(max(x, radius), size - 1 - radius)
    cy = min(max(y, radius), size - 1 - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def inside_shape(shape, x, y, size):
    u, v = (x - size / 2) / size, (y - size / 2) / size
    if shape == "circle":
        return u * u + v * v <= 0.22 ** 2
    if shape == "triangle":
        return -0.22 <= v <= 0.2 and abs(u) <= (v + 0.22) * 0.6
    if shape == "diamond":
        return abs(u) + abs(v) <= 0.26
    return abs(v) <= 0.22 and int((u + 0.3) * 10) % 2 == 0 and abs(u) <= 0.3


def draw_icon(colour, shape):
    rows = []
    for y in range(ICON_SIZE):
        row = []
        for x in range(ICON_SIZE):
            if not inside_rounded_square(x, y, ICON_SIZE, 14):
                row += (0, 0, 0, 0)
            elif inside_shape(shape, x, y, ICON_SIZE):
                row += (255, 255, 255, 255)
            else:
                row += (*colour, 255)
        rows.append(row)
    return png_bytes(ICON_SIZE, ICON_SIZE, rows)


class IconCache:
    def __init__(self):
        self.icons = {}

    def get(self, index):
        key = (index % len(COLOURS), (index // len(COLOURS)) % len(SHAPES))
        if key not in self.icons:
            self.icons[key] = draw_icon(COLOURS[key[0]], SHAPES[key[1]])
        return self.icons[key]


def write(path, data, mode=None):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as handle:
        handle.write(data)
    if mode is not None:
        os.chmod(path, mode)


def launch_script(bundle_id, default_markers):
    quoted = default_markers.replace("'", "'\\''")
    return (f"#!/bin/sh\n"
            f"dir=\"$ORBITDECK_LAUNCH_MARKERS\"\n"
            f"[ -n \"$dir\" ] || dir='{quoted}'\n"
            f"mkdir -p \"$dir\" && touch \"$dir/{bundle_id}\"\n").encode()


def make_bundle(bundle, info, icons, index, markers, plist_format):
    info = dict(info)
    executable = info.setdefault("CFBundleExecutable", "launch")
    info["CFBundleIconFile"] = "AppIcon.png"
    write(os.path.join(bundle, "Contents", "Info.plist"), plistlib.dumps(info, fmt=plist_format))
    write(os.path.join(bundle, "Contents", "Resources", "AppIcon.png"), icons.get(index))
    write(os.path.join(bundle, "Contents", "MacOS", executable),
          launch_script(info.get("CFBundleIdentifier", f"sample-{index}"), markers), 0o755)


def sample_name(index):
    base = BASE_NAMES[index % len(BASE_NAMES)]
    round_ = index // len(BASE_NAMES)
    return base if round_ == 0 else f"{base} {round_ + 1}"


def sample_folder(index):
    if index % 7 == 3:
        return "Utilities"
    if index % 11 == 5:
        return os.path.join("Games", "Puzzles")
    return ""


def sample_info(index, name):
    info = {"CFBundlePackageType": "APPL", "CFBundleIdentifier": f"dev.orbitdeck.sample.app{index}",
            "CFBundleShortVersionString": "1.0"}
    style = index % 5
    if style == 0:
        info["CFBundleDisplayName"] = name
        info["CFBundleName"] = "Short"
    elif style in (1, 2, 3):
        info["CFBundleName"] = name
    # style 4 names the bundle by its folder alone.
    return info


def make_applications(root, count, icons, markers):
    used = set()
    for index in range(count):
        name = sample_name(index)
        folder = os.path.join(root, sample_folder(index))
        # Some folders carry an ASCII name under a localised display name; folder-named ones
        # (style 4) always carry the name.
        file_name = f"Sample{index}" if index % 3 == 0 and index % 5 != 4 else name
        while (folder, file_name.casefold()) in used:
            file_name += " copy"
        used.add((folder, file_name.casefold()))
        plist_format = plistlib.FMT_BINARY if index % 2 else plistlib.FMT_XML
        make_bundle(os.path.join(folder, file_name + ".app"), sample_info(index, name), icons,
                    index, markers, plist_format)


def make_decoys(root, icons, markers):
    def app(name):
        return {"CFBundlePackageType": "APPL", "CFBundleIdentifier": f"dev.orbitdeck.decoy.{name}",
                "CFBundleName": f"Decoy {name}"}
    make_bundle(os.path.join(root, ".Hidden Tool.app"), app("hidden"), icons, 1, markers,
                plistlib.FMT_XML)
    make_bundle(os.path.join(root, ".secret", "Inside.app"), app("inside"), icons, 2, markers,
                plistlib.FMT_XML)
    make_bundle(os.path.join(root, "Deep", "Deeper", "Deepest", "Too Deep.app"), app("deep"),
                icons, 3, markers, plistlib.FMT_BINARY)
    not_app = dict(app("framework"), CFBundlePackageType="FMWK")
    make_bundle(os.path.join(root, "Helper Kit.app"), not_app, icons, 4, markers, plistlib.FMT_XML)
    write(os.path.join(root, "Broken.app", "Contents", "Info.plist"), b"<?xml version=\"1.0\"?><plist><dict><key>")


def make_system(home, icons, markers):
    utilities = os.path.join(home, "System", "Applications", "Utilities")
    for offset, name in enumerate(SYSTEM_UTILITIES):
        info = {"CFBundlePackageType": "APPL", "CFBundleName": name,
                "CFBundleIdentifier": "dev.orbitdeck.system." + name.replace(" ", "").lower()}
        make_bundle(os.path.join(utilities, name + ".app"), info, icons, 40 + offset, markers,
                    plistlib.FMT_BINARY)
    info = {"CFBundlePackageType": "APPL", "CFBundleName": "System Settings",
            "CFBundleIdentifier": "dev.orbitdeck.system.settings"}
    make_bundle(os.path.join(home, "System", "Applications", "System Settings.app"), info, icons,
                44, markers, plistlib.FMT_XML)


SAMPLE_THEME = "Orbitdeck-Sample"
ENTRY_NAMES = [("Sketchbook", {"de": "Skizzenbuch", "zh_CN": "素描本"}),
               ("Tide Clock", {"de": "Gezeitenuhr", "fr": "Horloge des marées"}),
               ("Mail Desk", {"zh_CN": "邮件台"}),
               ("Field Notes", {"ja": "フィールドノート"}),
               ("Star Chart", {"de": "Sternkarte"}),
               ("Word Loom", {})]


def draw_svg(colour, shape):
    fill = "#%02x%02x%02x" % colour
    marks = {"circle": '<circle cx="32" cy="32" r="14" fill="#fff"/>',
             "triangle": '<path d="M32 17 L47 45 L17 45 Z" fill="#fff"/>',
             "diamond": '<path d="M32 15 L49 32 L32 49 L15 32 Z" fill="#fff"/>',
             "bars": '<path d="M14 18h6v28h-6zM26 18h6v28h-6zM38 18h6v28h-6z" fill="#fff"/>'}
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 64 64">'
            f'<rect x="2" y="2" width="60" height="60" rx="14" fill="{fill}"/>{marks[shape]}'
            f'</svg>\n').encode()


def entry_launch_script(default_markers):
    quoted = default_markers.replace("'", "'\\''")
    # The first argument names the marker; the others are what the entry's Exec passed on.
    return (f"#!/bin/sh\n"
            f"dir=\"$ORBITDECK_LAUNCH_MARKERS\"\n"
            f"[ -n \"$dir\" ] || dir='{quoted}'\n"
            f"name=\"$1\"; shift\n"
            f"mkdir -p \"$dir\" && printf '%s\\n' \"$@\" > \"$dir/$name.part\" && "
            f"mv \"$dir/$name.part\" \"$dir/$name\"\n").encode()


def desktop_entry(name, translations, exec_line, icon, extra=""):
    lines = ["[Desktop Entry]", "Type=Application", f"Name={name}"]
    lines += [f"Name[{lang}]={text}" for lang, text in sorted(translations.items())]
    lines += [f"Exec={exec_line}", f"Icon={icon}"]
    return ("\n".join(lines) + "\n" + extra).encode()


def make_desktop_entries(home, count, markers, decoys=True, svg_only=False):
    user = os.path.join(home, ".local", "share")
    system = os.path.join(home, "usr", "share")
    theme = os.path.join(user, "icons", SAMPLE_THEME)
    script = os.path.join(home, "bin", "sample-entry")
    write(script, entry_launch_script(markers), 0o755)
    # Exec quotes a program path that holds blanks.
    launcher = f'"{script}"' if " " in script else script
    write(os.path.join(theme, "index.theme"),
          b"[Icon Theme]\nName=Orbitdeck Sample\nInherits=hicolor\n"
          b"Directories=64x64/apps,scalable/apps\n\n[64x64/apps]\nSize=64\nType=Fixed\n\n"
          b"[scalable/apps]\nSize=64\nMinSize=8\nMaxSize=512\nType=Scalable\n")
    write(os.path.join(home, ".config", "gtk-3.0", "settings.ini"),
          f"[Settings]\ngtk-icon-theme-name={SAMPLE_THEME}\n".encode())
    icons = IconCache()
    for index in range(count):
        base, translations = ENTRY_NAMES[index % len(ENTRY_NAMES)]
        round_ = index // len(ENTRY_NAMES)
        name = base if round_ == 0 else f"{base} {round_ + 1}"
        translations = {lang: text if round_ == 0 else f"{text} {round_ + 1}"
                        for lang, text in translations.items()}
        entry_id = f"dev.orbitdeck.entry{index}"
        icon = f"orbitdeck-sample-entry{index}"
        colour = COLOURS[(index + 3) % len(COLOURS)]
        shape = SHAPES[(index // len(COLOURS)) % len(SHAPES)]
        if index % 2 or svg_only:
            write(os.path.join(theme, "scalable", "apps", icon + ".svg"), draw_svg(colour, shape))
        else:
            write(os.path.join(theme, "64x64", "apps", icon + ".png"), icons.get(index + 3))
        # Field codes GIO removes when nothing is handed over.
        exec_line = f"{launcher} {entry_id} --sample %U"
        extra = "Categories=System;Monitor;\n" if index % 9 == 4 else "Categories=Utility;\n"
        data = desktop_entry(name, translations, exec_line, icon, extra)
        if index % 4 == 1:
            # The system's copy, and a vendor subfolder: its id is "vendor-<file>".
            write(os.path.join(system, "applications", "vendor", entry_id + ".desktop"), data)
        elif index % 4 == 2:
            write(os.path.join(system, "applications", entry_id + ".desktop"), data)
        else:
            write(os.path.join(user, "applications", entry_id + ".desktop"), data)
    if not decoys:
        return
    # A system entry the user's own copy renames, and decoys that stay off the grid.
    shadowed = desktop_entry("Shadowed System Copy", {}, f"{launcher} shadowed", "none")
    write(os.path.join(system, "applications", "dev.orbitdeck.shadowed.desktop"), shadowed)
    write(os.path.join(user, "applications", "dev.orbitdeck.shadowed.desktop"),
          desktop_entry("User's Own Copy", {}, f"{launcher} dev.orbitdeck.shadowed %F",
                        "orbitdeck-sample-entry0"))
    decoys = {"hidden": "Hidden=true\n", "nodisplay": "NoDisplay=true\n",
              "elsewhere": "OnlyShowIn=NoSuchDesktop;\n",
              "tryexec": "TryExec=/nonexistent/orbitdeck-sample\n"}
    for key, extra in decoys.items():
        write(os.path.join(system, "applications", f"dev.orbitdeck.decoy.{key}.desktop"),
              desktop_entry(f"Decoy {key}", {}, f"{launcher} decoy", "none", extra))
    write(os.path.join(system, "applications", "dev.orbitdeck.decoy.broken.desktop"),
          b"[Desktop Entry]\nName=Decoy broken\nthis line is not a key\n")
    write(os.path.join(user, "applications", "dev.orbitdeck.user-hidden.desktop"),
          b"[Desktop Entry]\nHidden=true\n")
    write(os.path.join(system, "applications", "dev.orbitdeck.user-hidden.desktop"),
          desktop_entry("Decoy hidden by the user", {}, f"{launcher} decoy", "none"))


LARGE_THEME = "Orbitdeck-Large"
# Names per context folder, about those of the large themes desktops ship.
LARGE_CONTEXTS = {"apps": 2600, "actions": 900, "mimetypes": 800, "status": 420, "panel": 300,
                  "places": 250, "devices": 150, "categories": 80, "emblems": 60}
LARGE_SIZES = [16, 18, 22, 24, 32, 48, 64, 84, 96, 128]


def make_large_theme(home):
    theme = os.path.join(home, "usr", "share", "icons", LARGE_THEME)
    folders = []
    for size in LARGE_SIZES:
        for scale in (1, 2) if size <= 64 else (1,):
            for context in LARGE_CONTEXTS:
                folders.append((f"{size}x{size}{'@2x' if scale == 2 else ''}/{context}", size,
                                scale))
    folders += [(f"symbolic/{context}", 16, 1) for context in LARGE_CONTEXTS]
    index = ["[Icon Theme]", "Name=Orbitdeck Large", f"Inherits={SAMPLE_THEME},hicolor",
             "Directories=" + ",".join(name for name, _, _ in folders), ""]
    for name, size, scale in folders:
        index += [f"[{name}]", f"Size={size}", f"Scale={scale}",
                  "Type=Scalable" if name.startswith("symbolic") else "Type=Fixed", ""]
        if name.startswith("symbolic"):
            index[-2:-1] = ["Type=Scalable", "MinSize=8", "MaxSize=512"]
    write(os.path.join(theme, "index.theme"), "\n".join(index).encode())
    drawing = os.path.join(theme, "drawing.svg")
    write(drawing, draw_svg(COLOURS[0], SHAPES[0]))
    for name, _, _ in folders:
        folder = os.path.join(theme, name)
        os.makedirs(folder, exist_ok=True)
        context = name.split("/")[1]
        suffix = "-symbolic" if name.startswith("symbolic") else ""
        for number in range(LARGE_CONTEXTS[context]):
            os.symlink(drawing, os.path.join(folder, f"{context}-{number}{suffix}.svg"))
    write(os.path.join(home, ".config", "gtk-3.0", "settings.ini"),
          f"[Settings]\ngtk-icon-theme-name={LARGE_THEME}\n".encode())


def write_icon_caches(home):
    """GTK's cache in every theme folder the run made, as a package's install trigger writes it."""
    tool = shutil.which("gtk-update-icon-cache")
    if tool is None:
        return
    for base in (os.path.join(home, ".local", "share", "icons"),
                 os.path.join(home, "usr", "share", "icons")):
        for theme in (sorted(os.listdir(base)) if os.path.isdir(base) else []):
            subprocess.run([tool, "--force", "--ignore-theme-index", "--quiet",
                            os.path.join(base, theme)], check=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--home", required=True, help="folder to fill (created if missing)")
    parser.add_argument("--count", type=int, default=40, help="number of real applications")
    parser.add_argument("--system-root", action="store_true",
                        help="also create System/Applications with utilities")
    parser.add_argument("--no-decoys", action="store_true", help="only real applications")
    parser.add_argument("--desktop-entries", type=int, default=0,
                        help="also write this many desktop entries with themed icons")
    parser.add_argument("--svg-icons", action="store_true",
                        help="every desktop entry's icon is an SVG drawing")
    parser.add_argument("--large-theme", action="store_true",
                        help="also a current icon theme of a large desktop theme's size")
    parser.add_argument("--no-icon-cache", action="store_true",
                        help="no GTK icon-theme.cache in the themes")
    args = parser.parse_args()
    if args.count < 0 or args.desktop_entries < 0:
        parser.error("counts must not be negative")

    home = os.path.abspath(args.home)
    applications = os.path.join(home, "Applications")
    markers = os.path.join(home, "launch-markers")
    icons = IconCache()
    os.makedirs(applications, exist_ok=True)
    make_applications(applications, args.count, icons, markers)
    if not args.no_decoys:
        make_decoys(applications, icons, markers)
    if args.desktop_entries:
        make_desktop_entries(home, args.desktop_entries, markers, not args.no_decoys,
                             args.svg_icons)
    if args.large_theme:
        make_large_theme(home)
    if not args.no_icon_cache:
        write_icon_caches(home)
    roots = [applications]
    if args.system_root:
        make_system(home, icons, markers)
        roots.append(os.path.join(home, "System", "Applications"))
    print(":".join(roots))
    return 0


if __name__ == "__main__":
    sys.exit(main())
