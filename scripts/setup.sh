#!/usr/bin/env bash
# Installs every Debian 12 package the project needs to build, run and test.
# Safe to run twice: apt-get skips what is already installed.
set -euo pipefail

packages=(
  # toolchain
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev clang-format
  # lld places what a start runs together (app/start_symbols.txt)
  lld
  # model libraries
  libicu-dev nlohmann-json3-dev libplist-dev libsqlite3-dev
  # desktop entries are started through GIO; GNOME's settings are read through GSettings
  libglib2.0-dev
  # the phrase dictionary the pinyin table is made from at build time, and OpenCC's
  # traditional-to-simplified data read at build time for traditional names
  rime-data-pinyin-simp libopencc-dev
  # tests and benchmarks (GTK's icon cache writer for the sample themes and the theme tests)
  libgtest-dev libgmock-dev googletest libbenchmark-dev python3 gtk-update-icon-cache
  # Qt 6 and every QML module the views import
  qt6-base-dev qt6-base-dev-tools qt6-declarative-dev qt6-declarative-dev-tools
  qt6-5compat-dev qt6-svg-dev qt6-image-formats-plugins qt6-qpa-plugins
  qml6-module-qtquick qml6-module-qtqml qml6-module-qtqml-models qml6-module-qtqml-workerscript
  qml6-module-qtquick-controls qml6-module-qtquick-layouts qml6-module-qtquick-window
  qml6-module-qtquick-templates qml6-module-qtquick-dialogs qml6-module-qtquick-shapes
  qml6-module-qt5compat-graphicaleffects qml6-module-qt-labs-platform qml6-module-qtcore
  qml6-module-qt-labs-folderlistmodel
  qml6-module-qttest libqt6svg6
  # X11
  libxcb1-dev libxcb-xinput-dev libxcb-keysyms1-dev libxcb-randr0-dev libxcb-ewmh-dev libxcb-damage0-dev libxcb-xtest0-dev
  libxkbcommon-dev libxkbcommon-x11-dev libx11-dev
  # real-window tests and the headless run
  xvfb xauth xdotool x11-utils x11-apps x11-xserver-utils imagemagick
  # installing: the desktop entry check; full screen under a real window manager, and changed
  # by the window manager's own command
  desktop-file-utils openbox wmctrl
  # the status item on a private session bus; the tests' private GSettings schemas
  dbus-daemon libglib2.0-bin
  # fonts so every script renders
  fonts-dejavu-core fonts-noto-cjk
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -q
  $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
