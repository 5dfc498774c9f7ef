# Shared settings of the build scripts (sourced).
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export CCACHE_BASEDIR="$root"
export CCACHE_NOHASHDIR=1
# Every unit is compiled with a precompiled header; without these ccache refuses to cache them.
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
# CI shares a small disk; a fresh cache there buys little and must not crowd out the builds.
if [[ "${CI:-}" == "true" ]]; then
  export CCACHE_MAXSIZE=${CCACHE_MAXSIZE:-1G}
else
  export CCACHE_MAXSIZE=${CCACHE_MAXSIZE:-5G}
fi
jobs=${QX_JOBS:-$(nproc 2>/dev/null || echo 2)}

# configure_and_build DIR [cmake args...]
configure_and_build() {
  local dir=$1
  shift
  cmake -S "$root" -B "$root/$dir" -G Ninja "$@" >/dev/null
  cmake --build "$root/$dir" -j "$jobs"
}
