#!/bin/sh
# Installs the Debian packages that building, testing and running Varno need.
# Idempotent: only missing packages are installed. Runs apt as root, or through sudo.
set -eu

packages="build-essential cmake g++ pkg-config qt6-base-dev libicu-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev
  libcli11-dev libxcb1-dev fonts-dejavu-core xvfb xauth"
# The Debian package (cpack, dpkg-shlibdeps and file), the checks of the desktop files, and lintian.
packages="$packages dpkg-dev file desktop-file-utils shared-mime-info lintian"
# The save tests set and read ACLs and extended attributes.
packages="$packages acl attr"
if [ "${1:-}" = "--with-fuzzing" ]; then
  packages="$packages clang libclang-rt-14-dev"
fi

missing=""
for package in $packages; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $package"
  fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  run_as_root=""
else
  run_as_root="sudo"
fi
echo "Installing:$missing"
$run_as_root apt-get update -qq
# shellcheck disable=SC2086
DEBIAN_FRONTEND=noninteractive $run_as_root apt-get install -y -qq --no-install-recommends $missing
