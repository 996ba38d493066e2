#!/bin/sh
# Installs the Debian packages orvix needs, and only those that are missing.
#   scripts/setup.sh build   compiler, CMake and the libraries orvix is built with
#   scripts/setup.sh test    all of build, plus what the tests, benchmarks,
#                            fuzzers and the Python module need
# Safe to run again: with everything present it installs nothing and asks
# for nothing. Needs root, or sudo.
set -eu

what=${1:-}

# Building orvix and orvix-eval: a compiler, CMake and header-only libraries
# (JSON for saved results, Boost.Multiprecision for exact counts); libedit
# gives line editing at the prompt and is left out cleanly when absent.
build_packages="cmake g++ make libedit-dev nlohmann-json3-dev libboost-dev"

# Tests and tools: GoogleTest and Google Benchmark; clang-format for the
# layout check; clang with its sanitizer
# and fuzzer runtimes (left out by --no-install-recommends, so named here);
# GNU parallel for the scale-out example; the Python module's build and tests.
test_packages="libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev clang-format parallel
  python3 python3-dev pybind11-dev python3-pybind11 python3-numpy python3-pytest
  python3-matplotlib python3-setuptools python3-pip python3-venv python3-mypy"

case "$what" in
  build) wanted=$build_packages ;;
  test) wanted="$build_packages $test_packages" ;;
  *) echo "usage: scripts/setup.sh build|test" >&2; exit 2 ;;
esac

missing=""
for package in $wanted; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  case "$status" in
    *" installed") ;;
    *) missing="$missing $package" ;;
  esac
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  as_root=""
elif command -v sudo >/dev/null 2>&1; then
  as_root="sudo"
else
  echo "orvix setup: these packages are missing:$missing" >&2
  echo "Install them as root (apt-get install$missing), or install sudo, then run this again." >&2
  exit 1
fi

echo "orvix setup: installing$missing"
export DEBIAN_FRONTEND=noninteractive
$as_root apt-get update -qq
# shellcheck disable=SC2086
$as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
