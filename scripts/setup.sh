# Shared set-up for ./play and ./run-tests: installs the Debian packages the
# game needs when any is missing, then builds. Sourced, not run.

BOXYARD_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Everything the project needs, by Debian package name: the compiler and build
# tools, the game library, the test and benchmark frameworks, clang with
# libFuzzer (libclang-rt-14-dev) and the symbolizer for the fuzz build, the X
# server and key tools the end-to-end tests drive the game with, the MIDI
# patches and the sound tools, and what builds and checks the Debian package
# (dpkg-shlibdeps in dpkg-dev, file for cpack; lintian, desktop-file-validate,
# appstreamcli).
BOXYARD_PACKAGES=(
  g++ make cmake pkg-config
  liballegro4-dev libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev llvm
  xvfb xfonts-base xdotool x11-utils x11-apps libx11-6
  freepats sox alsa-utils
  python3
  dpkg-dev file gzip lintian desktop-file-utils appstream
)

boxyard_as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null 2>&1; then
    sudo "$@"
  else
    echo "boxyard: installing packages needs root; run as root or install sudo" >&2
    return 1
  fi
}

boxyard_install_packages() {
  local missing=() package
  for package in "${BOXYARD_PACKAGES[@]}" "$@"; do
    if [ "$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null)" != "install ok installed" ]; then
      missing+=("$package")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "boxyard: installing ${missing[*]}"
  boxyard_as_root apt-get update -q &&
    boxyard_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# boxyard_build DIR [cmake options...]: configures (quick once done) and builds.
boxyard_build() {
  local dir="$1"
  shift
  cmake -S "$BOXYARD_ROOT" -B "$dir" "$@" >/dev/null || return 1
  cmake --build "$dir" -j "$(nproc)"
}
