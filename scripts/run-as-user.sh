#!/bin/sh
# run-as-user.sh USER COMMAND...: runs a command in this tree as an unprivileged user,
# made when missing, so that tests that behave differently for root also run as most
# users run them. Needs root. The user gets the build folders and may pass through the
# folders above this tree (an ACL entry that lets it reach this tree, nothing more).
set -eu
user=$1
shift
[ "$(id -u)" -eq 0 ] || { echo "run-as-user.sh: needs root" >&2; exit 2; }
id "$user" >/dev/null 2>&1 || useradd --create-home --shell /bin/sh "$user"

top=$(cd "$(dirname "$0")/.." && pwd)
dir=$top
while [ "$dir" != "/" ]; do
  if ! runuser -u "$user" -- test -x "$dir"; then
    setfacl -m "u:$user:x" "$dir" 2>/dev/null || chmod o+x "$dir"
  fi
  dir=$(dirname "$dir")
done
chmod -R o+rX "$top"
for build in "$top"/build*; do
  [ -d "$build" ] && chown -R "$user" "$build"
done
cd "$top"
home=$(getent passwd "$user" | cut -d: -f6)
# The user's own runtime folder, as a login would give it.
runtime=/tmp/run-as-user.$(id -u "$user")
mkdir -p "$runtime"
chown "$user" "$runtime"
chmod 700 "$runtime"
exec runuser -u "$user" -- env HOME="$home" USER="$user" LOGNAME="$user" XDG_RUNTIME_DIR="$runtime" "$@"
