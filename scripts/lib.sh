# Shared by scripts/main and scripts/test: install what is missing, then give Wine a
# private prefix and a display. Sourced, not run.

QUIB_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
QUIB_CACHE=${XDG_CACHE_HOME:-$HOME/.cache}/quibvault

say() { printf '%s\n' "$*" >&2; }

# Debian packages this project builds and tests with, by what proves each is there.
quib_missing_packages() {
  local missing=()
  command -v cmake >/dev/null || missing+=(cmake)
  command -v make >/dev/null || missing+=(make)
  command -v g++ >/dev/null || missing+=(g++)
  [ -f /usr/src/googletest/CMakeLists.txt ] || missing+=(googletest)
  command -v i686-w64-mingw32-g++-posix >/dev/null || missing+=(g++-mingw-w64-i686)
  command -v wine >/dev/null || missing+=(wine)
  dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'ok installed' || missing+=(wine32:i386)
  command -v Xvfb >/dev/null || missing+=(xvfb)
  command -v xauth >/dev/null || missing+=(xauth)
  command -v xclip >/dev/null || missing+=(xclip)
  command -v clang++ >/dev/null || missing+=(clang)
  [ -n "$(find /usr/lib/llvm-*/lib/clang -name 'libclang_rt.fuzzer-x86_64.a' 2>/dev/null | head -n 1)" ] ||
    missing+=(libclang-rt-14-dev)
  printf '%s\n' "${missing[@]}"
}

quib_install_missing() {
  local missing
  missing=$(quib_missing_packages | tr '\n' ' ')
  missing=${missing% }
  [ -z "$missing" ] && return 0
  local needs_i386=""
  case " $missing " in *":i386 "*) needs_i386=yes ;; esac
  if [ "$(id -u)" -ne 0 ]; then
    say "Missing Debian packages: $missing"
    say "Install them as root with:"
    [ -n "$needs_i386" ] && say "  dpkg --add-architecture i386"
    say "  apt-get update && apt-get install -y --no-install-recommends $missing"
    exit 1
  fi
  say "Installing: $missing"
  if [ -n "$needs_i386" ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q >&2
  # shellcheck disable=SC2086
  apt-get install -y -q --no-install-recommends $missing >&2
}

# A display for Wine: the caller's, or a private Xvfb stopped when the script ends.
quib_ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo_ok; then return 0; fi
  local display_file
  display_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
  QUIB_XVFB_PID=$!
  for _ in $(seq 1 100); do
    [ -s "$display_file" ] && break
    sleep 0.1
  done
  if [ ! -s "$display_file" ]; then
    say "Xvfb did not start"
    exit 1
  fi
  export DISPLAY=":$(tr -d '\n' <"$display_file")"
  rm -f "$display_file"
  say "Started Xvfb on $DISPLAY"
}

xdpyinfo_ok() {
  # Without xdpyinfo, trust the caller's DISPLAY when its socket exists.
  local number=${DISPLAY#*:}
  number=${number%%.*}
  [ -S "/tmp/.X11-unix/X$number" ]
}

# A private Wine prefix in the cache folder, made once.
quib_ensure_wine_prefix() {
  export WINEPREFIX="$QUIB_CACHE/wine-prefix"
  export WINEDEBUG=-all
  export WINEARCH=win32
  # No Mono or Gecko installer dialogs on the first start.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    say "Creating the Wine prefix $WINEPREFIX (about 10 s)"
    mkdir -p "$QUIB_CACHE"
    wineboot --init >/dev/null 2>&1 || true
    wineserver -w
  fi
}

quib_cleanup() {
  if [ -n "${WINEPREFIX:-}" ]; then wineserver -k 2>/dev/null || true; fi
  if [ -n "${QUIB_XVFB_PID:-}" ]; then kill "$QUIB_XVFB_PID" 2>/dev/null || true; fi
}

quib_setup_wine() {
  quib_ensure_display
  quib_ensure_wine_prefix
  trap quib_cleanup EXIT
}

quib_jobs() { nproc 2>/dev/null || echo 2; }
