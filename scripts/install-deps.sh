#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running QUILDEXAN need, and generates the
# Spanish locale the tests also run under. Idempotent: it asks apt only for what is missing and
# generates the locale only when it is not there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config git
  qt6-base-dev qt6-base-dev-tools libqt6svg6-dev libgl1-mesa-dev
  qt6-translations-l10n
  libsqlite3-dev sqlite3 libzint-dev zlib1g-dev
  libzxing-dev poppler-utils
  fonts-liberation
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth
  locales
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then sudo_cmd=(sudo); fi

if ((${#missing[@]} > 0)); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# es_ES.UTF-8: users run the program under it (a comma for the decimal point).
if ! locale -a 2>/dev/null | grep -qix 'es_ES\.utf-\?8'; then
  echo "Generating the es_ES.UTF-8 locale"
  if ! grep -q '^es_ES.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    if grep -q '^# *es_ES.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
      "${sudo_cmd[@]}" sed -i 's/^# *\(es_ES.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    else
      echo 'es_ES.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
    fi
  fi
  "${sudo_cmd[@]}" locale-gen
fi
