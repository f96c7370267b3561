#!/usr/bin/env bash
# Installs the Debian 12 packages Kurvex needs to build, run and test.
# Uses sudo when not run as root. Skips apt when everything is already there.
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-svg-dev qt6-translations-l10n fonts-liberation2 fontconfig
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  locales
  # the Debian package (cpack with dpkg-shlibdeps, lintian) and the desktop-integration tests
  dpkg-dev file lintian
  shared-mime-info xdg-utils libfile-mimeinfo-perl desktop-file-utils appstream man-db
  # the checks of the archival PDF files
  qpdf poppler-utils
  # the core cross-built for Windows and tested under Wine (scripts/windows-core.sh)
  g++-mingw-w64-x86-64-posix wine64 googletest
  # printing through a private print server: cupsd, its client tools and filters, a PDF printer
  cups cups-client cups-filters printer-driver-cups-pdf
  # the accessibility tree walked as screen readers see it (tests/ui/accessibility)
  xvfb openbox xdotool dbus at-spi2-core python3-pyatspi
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for package in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The number tests also run under a German locale (decimal comma).
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  if [ -f /etc/locale.gen ]; then
    as_root sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
    as_root locale-gen >/dev/null || echo "locale-gen failed; the German-locale test will be skipped" >&2
  fi
fi
