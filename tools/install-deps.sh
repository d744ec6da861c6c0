#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing.
# Run as root (apt-get); as another user it only reports what is missing.
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libbenchmark-dev python3
  libfreetype-dev libfontconfig-dev libpng-dev libcairo2-dev libgraphviz-dev graphviz
  libcmark-dev libexpat1-dev
  ttf-bitstream-vera fonts-dejavu-core
  clang libclang-rt-14-dev clang-format
  qt6-base-dev qt6-svg-dev xvfb xauth
  librsvg2-bin chromium libxml2-utils poppler-utils locales cmark python3-markdown
  dpkg-dev desktop-file-utils appstream shared-mime-info man-db groff-base
)

# The exports are checked to come out the same under a decimal-comma locale.
makelocale() {
  locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$' && return 0
  if [ "$(id -u)" -eq 0 ] && [ -f /etc/locale.gen ]; then
    sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
    locale-gen >/dev/null
  else
    echo "The locale de_DE.UTF-8 is missing (the locale tests are skipped)" >&2
  fi
}

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  makelocale
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
  makelocale
else
  echo "Missing packages: ${missing[*]}" >&2
  echo "Install them with: sudo apt-get install --no-install-recommends ${missing[*]}" >&2
  exit 1
fi
