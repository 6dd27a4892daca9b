#!/bin/sh
# Holds each manual page against its program's --help, so that neither drifts from the other:
# the options of a program, and of each varno-table command, are the items of the matching
# section of its page; the commands of varno-table are the page's COMMANDS; and every
# example of a help appears in the page. varno(1) holds every section of the editor's guide,
# which the Help window shows, turned from Markdown into roff.
# Usage: check-man.sh PAGE_FOLDER VARNO VARNO_TABLE VARNO_OPEN GUIDE
set -eu
pages=$1 varno=$2 table=$3 open=$4 guide=$5
failed=0
fail() { echo "FAIL: $*"; failed=1; }

# The page as text: roff's escaped dashes and font changes undone, quotes of headings dropped.
plain() { sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' -e 's/\\e/\\/g' -e 's/^\(\.S[HS] \)"\(.*\)"$/\1\2/' "$pages/$1.1"; }
# The lines of a section or subsection, up to the next heading.
section() { awk -v heading="$1" '/^\.S[HS] / { inside = ($0 == heading); next } inside'; }
# The tags of a section's items: the line after each .TP.
tags() { awk 'tagged { print; tagged = 0 } /^\.TP/ { tagged = 1 }'; }
# The options that a text names (-h, --dry-run), one a line, sorted; words such as code-page are none.
options() { grep -oE '(^|[][ ,|(])--?[a-z][a-z-]*' | sed 's/^[^-]*//' | sort -u; }

# same WHAT HELP_OPTIONS PAGE_OPTIONS: the two lists of options are equal.
same() {
  [ "$2" = "$3" ] || fail "$1: --help tells [$(echo $2)], the manual page [$(echo $3)]"
}

# Every line after "Example:" in the help stands in the page as it is.
examples() {
  echo "$2" | awk '/^Example:/ { on = 1; next } on && /^  / { sub(/^ +/, ""); print; next } { on = 0 }' |
    while IFS= read -r example; do
      echo "$3" | grep -qxF "$example" || { echo "FAIL: $1: the example '$example' is not in the manual page"; exit 1; }
    done || failed=1
}

for program in varno varno-open; do
  [ "$program" = varno ] && binary=$varno || binary=$open
  help=$("$binary" --help)
  page=$(plain "$program")
  same "$program" "$(echo "$help" | options)" "$(echo "$page" | section '.SH OPTIONS' | tags | options)"
  examples "$program" "$help" "$page"
done

page=$(plain varno-table)
help=$("$table" --help)
# The options of every command (-h, --help, --kind) are told once, under OPTIONS.
shared='-h|--help|--kind'
same varno-table "$( (echo "$help"; echo --kind) | options)" "$(echo "$page" | section '.SH OPTIONS' | tags | options)"
commands=$(echo "$help" | awk '/^Subcommands:/ { on = 1; next } on && /^  [a-z]/ { print $1 }' | sort)
documented=$(echo "$page" | awk '/^\.SH / { on = ($0 == ".SH COMMANDS") } on && /^\.SS / { print $2 }' | sort)
same "varno-table's commands" "$commands" "$documented"
[ -n "$commands" ] || fail "varno-table --help lists no command"
for command in $commands; do
  help=$("$table" "$command" --help)
  echo "$help" | options | grep -qx -- --kind || fail "varno-table $command has no --kind"
  same "varno-table $command" "$(echo "$help" | options | grep -vxE -- "$shared")" \
    "$(echo "$page" | section ".SS $command" | tags | options)"
  echo "$help" | grep -q '^Example:' || fail "varno-table $command --help has no example"
  examples "varno-table $command" "$help" "$page"
done
grep '^## ' "$guide" | sed 's/^## /.SS /' | while IFS= read -r heading; do
  plain varno | grep -qxF "$heading" || { echo "FAIL: varno(1) lacks the guide's section '$heading'"; exit 1; }
done || failed=1
plain varno | grep -nE '[*][*]|`|^#' && fail "varno(1) holds Markdown"

[ "$failed" = 0 ] && echo "ok: the manual pages tell what --help tells"
exit "$failed"
