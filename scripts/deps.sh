#!/usr/bin/env bash
# Installs the Debian packages the project needs, or says exactly how to.
# Usage: scripts/deps.sh build|test|bench
set -euo pipefail

base=(cmake make g++ pkg-config qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-translations-l10n
      libqt6sql6-sqlite
      libgl-dev fonts-liberation shared-mime-info desktop-file-utils scdoc)
test_only=(clang libclang-rt-14-dev libgtest-dev libbenchmark-dev xvfb xauth locales
           libglib2.0-bin strace lintian appstream man-db dpkg-dev file
           git clang-format clang-tidy openssl systemd
           python3-pyatspi at-spi2-core dbus-daemon dbus-bin xdotool)
bench_only=(libbenchmark-dev xvfb xauth valgrind)

case "${1:-build}" in
  build) wanted=("${base[@]}") ;;
  test) wanted=("${base[@]}" "${test_only[@]}") ;;
  bench) wanted=("${base[@]}" "${bench_only[@]}") ;;
  *) echo "usage: $0 build|test|bench" >&2; exit 2 ;;
esac

missing=()
for p in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages. Install them with:" >&2
    echo "  sudo apt-get install -y ${missing[*]}" >&2
    exit 1
  fi
  echo "Installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# The gauge's tooltip is tested under a French locale, where printf writes a decimal comma.
if [ "${1:-build}" = test ] && ! locale -a 2>/dev/null | grep -qi '^fr_FR\.utf-\?8$'; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "The fr_FR.UTF-8 locale is missing. Create it with:" >&2
    echo "  sudo localedef -i fr_FR -f UTF-8 fr_FR.UTF-8" >&2
    exit 1
  fi
  localedef -i fr_FR -f UTF-8 fr_FR.UTF-8
fi
