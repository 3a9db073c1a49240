#!/bin/bash
# Installs the Debian 12 packages that building, running and testing need,
# and only those that are missing: on a machine that has them all it does
# nothing, not even an "apt-get update".
set -euo pipefail

packages=(
    cmake
    ninja-build
    g++
    # Qt's Gui CMake package looks for the OpenGL headers; qt6-base-dev
    # pulls them in, but naming them keeps a trimmed install working.
    qt6-base-dev
    libgl-dev
    # Qt's own Turkish button texts ("Evet", "Hayır", "Tamam", "İptal").
    qt6-translations-l10n
    # Qt's SVG image and icon plugins: the program's pictures are drawings.
    libqt6svg6
    # The Firebird client, its headers, the embedded engine (with the
    # character sets and the Turkish collation) and isql-fb / gbak.
    libfbclient2
    firebird-dev
    firebird3.0-server-core
    firebird3.0-utils
    firebird3.0-server  # the server for several terminals; the tests start a private one
    googletest
    libgtest-dev
    libbenchmark-dev
    # The fonts the program and its reports rely on: DejaVu for the windows,
    # Liberation for the templates' "Arial" and "Courier New" (same widths
    # and heights, so slips lay out as they were designed).
    fonts-dejavu-core
    fonts-liberation2
    # pdftoppm and pdftotext, to look into the PDFs the reports write.
    poppler-utils
    # A private print server with a PDF printer, for the slip printing test.
    cups
    printer-driver-cups-pdf
    # A virtual display, for looking at real windows without a screen.
    xvfb
    xauth
    # xwininfo, and the desktop entry's checker: package.sh looks for the
    # installed program's login window.
    x11-utils
    desktop-file-utils
)

missing=()
for package in "${packages[@]}"; do
    status="$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)"
    if [[ "$status" != "installed" ]]; then
        missing+=("$package")
    fi
done

if (( ${#missing[@]} == 0 )); then
    exit 0
fi

sudo=()
if (( $(id -u) != 0 )); then
    sudo=(sudo)
fi

echo "Installing: ${missing[*]}"
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
