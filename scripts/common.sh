# Shared by scripts/run, scripts/test and scripts/package: installs what is missing and builds.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${NERU_BUILD_DIR:-$ROOT/build}"
JOBS="$(nproc 2>/dev/null || echo 2)"

# Debian packages the project needs to build, test and run.
PACKAGES=(cmake make g++ qt6-base-dev qt6-serialport-dev qt6-charts-dev qt6-svg-dev
          qt6-qpa-plugins libbenchmark-dev locales xvfb xauth poppler-utils fonts-dejavu-core
          # packaging and its checks
          dpkg-dev file desktop-file-utils appstream shared-mime-info
          # fuzzing (libFuzzer and the sanitizer runtimes come with clang)
          clang libclang-rt-14-dev llvm)

missing_packages() {
  local p
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}

as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
    sudo "$@"
  else
    return 1
  fi
}

ensure_packages() {
  local missing
  missing="$(missing_packages | tr '\n' ' ')"
  if [ -n "${missing// /}" ]; then
    echo "Installing: $missing"
    if ! as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq ||
       ! as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing; then
      echo "Cannot install packages without root or sudo. Run:" >&2
      echo "  sudo apt-get update && sudo apt-get install -y $missing" >&2
      exit 1
    fi
  fi
  # The tests pin the British English locale.
  if ! locale -a 2>/dev/null | grep -qi '^en_GB\.utf-\?8$'; then
    if [ -f /etc/locale.gen ]; then
      as_root sed -i 's/^# *\(en_GB.UTF-8 UTF-8\)/\1/' /etc/locale.gen || true
      grep -q '^en_GB.UTF-8 UTF-8' /etc/locale.gen || as_root sh -c 'echo "en_GB.UTF-8 UTF-8" >> /etc/locale.gen' || true
      as_root locale-gen >/dev/null || echo "warning: could not generate en_GB.UTF-8" >&2
    fi
  fi
}

build() {
  cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$BUILD" --parallel "$JOBS"
}

# The sanitized build, shared by scripts/test-sanitized and scripts/fuzz: clang, because
# libFuzzer comes with it, and one set of flags so that CI compiles the sanitized program
# once and the two scripts never rebuild each other's work.
configure_sanitized() {
  cmake -S "$ROOT" -B "$1" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
        -DNERU_FUZZ=ON -DNERU_BUILD_BENCH=OFF >/dev/null
}
