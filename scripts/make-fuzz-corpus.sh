#!/bin/sh
# Writes the seed corpus of the handler fuzz targets into fuzz/corpus/, from
# files made by varno-gen (build it first in build/, or pass its path).
#
#   scripts/make-fuzz-corpus.sh [VARNO_GEN]
#
# Operation kinds: NT and 9x: 0 Lookup, 1 ReverseLookup, 2 Assign, 3 CanAssign
# of the next BYTE % 8 operations as one change; keyboard: 0 getters, 1 SetLow,
# 2 SetHigh, 3 SetCapsLock, 4 SwapChars, 5 GetKeyName, 6 table operations
# (fuzz/*_fuzz.cpp).
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
gen=${1:-"$root/build/tools/varno-gen"}
corpus="$root/fuzz/corpus"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Numbers 0-255 as bytes; a number as 2 or 4 bytes, little-endian.
bytes() { for value in "$@"; do printf "\\$(printf %03o "$value")"; done; }
le16() { bytes $(($1 & 255)) $(($1 >> 8 & 255)); }
le32() { le16 $(($1 & 65535)); le16 $(($1 >> 16)); }

# One input of a handler fuzz target (fuzz/FuzzInput.h): the operations, the
# image length (default: FILE's length) and FILE's first bytes (all without --prefix).
seed() { # TARGET NAME FILE [--length N] [--prefix N] [--op KIND:BYTE:WORD]...
    target=$1 name=$2 file=$3
    shift 3
    length=$(wc -c <"$file") prefix=$length ops=
    while [ $# -gt 1 ]; do
        case $1 in
        --length) length=$2 ;;
        --prefix) prefix=$2 ;;
        --op) ops="$ops $2" ;;
        esac
        shift 2
    done
    mkdir -p "$corpus/$target"
    {
        set -- $ops
        bytes $#
        for op in "$@"; do
            kind=${op%%:*} rest=${op#*:}
            bytes $((kind)) $((${rest%%:*}))
            le16 $((${rest#*:}))
        done
        le32 $((length))
        head -c "$prefix" "$file"
    } >"$corpus/$target/$name"
}

table_ops="--op 0:0xC0:0 --op 1:0:0x0410 --op 2:0xC0:0x2116 --op 3:2:0 --op 2:0xC1:0x0410 --op 2:0xC2:0xFFFF --op 1:0:0x2116"

"$gen" nt "$work/c_1251.nls"
"$gen" nt "$work/c_866.nls" --codepage IBM866 --number 866 --glyphs
seed nt_handler_fuzz ansi "$work/c_1251.nls" --prefix 600 $table_ops
seed nt_handler_fuzz oem "$work/c_866.nls" --prefix 1100 $table_ops
seed nt_handler_fuzz short "$work/c_1251.nls" --prefix 1000 --length 1000 $table_ops

"$gen" 9x "$work/cp_1251.nls" --size 2082
"$gen" 9x "$work/cp_866.nls" --codepage IBM866 --size 17506
"$gen" 9x "$work/cp_koi8.nls" --codepage KOI8-R --size 2306
seed ninex_handler_fuzz cp1251 "$work/cp_1251.nls" $table_ops
seed ninex_handler_fuzz cp866 "$work/cp_866.nls" --prefix 2000 --length 17506 $table_ops
seed ninex_handler_fuzz short "$work/cp_koi8.nls" $table_ops

"$gen" kbd "$work/us.kbd"
"$gen" kbd "$work/caps.kbd" --size 401 --key 1:0xE0:0xE1:1 --key 7:0x37:0x26:1 --key 12:0x3D:0x2B:1
key_ops="--op 0:3:0 --op 1:4:0x34 --op 2:5:0x25 --op 3:7:0 --op 3:7:0x100 --op 4:0x37:0x26 --op 4:0xE0:0xE0 --op 5:9:0 --op 6:0x41:0x41"
seed keyboard_handler_fuzz us "$work/us.kbd" $key_ops
seed keyboard_handler_fuzz caps "$work/caps.kbd" $key_ops
seed keyboard_handler_fuzz short "$work/us.kbd" --prefix 360 $key_ops

# document_load_fuzz: the kind (4, a GDI module) and the file. Modules with
# several tables, with and without a resource table, and with resource tables
# that are malformed: more resources than the file holds, a table past its end.
"$gen" gdi-tables "$work/tables.exe" --size 4096 --at 300 --at 1501 --at 2600
"$gen" gdi-tables "$work/bare.exe" --size 4096 --no-resources --codepage windows-1253 --codepage KOI8-R --seed 3
document_seed() { # NAME FILE [OFFSET WORD]: the word at OFFSET changed
    mkdir -p "$corpus/document_load_fuzz"
    { bytes 4; cat "$2"; } >"$corpus/document_load_fuzz/$1"
    if [ $# -gt 2 ]; then
        le16 $(($4)) | dd of="$corpus/document_load_fuzz/$1" bs=1 seek=$(($3 + 1)) conv=notrunc status=none
    fi
}
document_seed gdi-tables "$work/tables.exe"
document_seed gdi-tables-bare "$work/bare.exe"
document_seed gdi-tables-too-many-resources "$work/tables.exe" 0x84 0xFFFF
document_seed gdi-tables-resource-table-past-end "$work/tables.exe" 0x64 0xFFF0

# batch_fuzz: the argument count, the arguments each ending in a zero byte, the
# target's length (two bytes, little-endian: 2048), the target, then the source.
"$gen" gdi "$work/t.exe" --size 2048 --base 600
"$gen" gdi "$work/s.exe" --size 2048 --base 1001 --seed 2
batch_seed() { # NAME COUNT ARGUMENTS (a printf format, \000 ending each)
    mkdir -p "$corpus/batch_fuzz"
    { printf "\\$(printf %03o "$2")$3\\000\\010"; cat "$work/t.exe" "$work/s.exe"; } >"$corpus/batch_fuzz/$1"
}
batch_seed plain 2 't\000s\000'
batch_seed quiet 3 't\000s\000x/Qy\000'
batch_seed swapped 2 's\000t\000'
batch_seed same 2 't\000t\000'
batch_seed missing 3 't x\000s\000/q\000'
batch_seed quote 2 "O'Neil\\000s\\000"
batch_seed empty 3 '\000t\000s\000'

# handover_fuzz: hand-over messages (open/HandOverSocket.h): the tag, the count of
# paths, then each path after its length, counts and lengths four bytes big-endian.
handover_seed() { # NAME CONTENT (a printf format)
    mkdir -p "$corpus/handover_fuzz"
    printf "$2" >"$corpus/handover_fuzz/$1"
}
handover_seed two 'VOP1\000\000\000\002\000\000\000\017/srv/c_1251.nls\000\000\000\010/tmp/a.b'
handover_seed none 'VOP1\000\000\000\000'
handover_seed cut 'VOP1\000\000\000\001\000\000\000\017/srv/c_'
handover_seed zero-byte 'VOP1\000\000\000\001\000\000\000\003a\000b'
handover_seed trailing 'VOP1\000\000\000\001\000\000\000\002/a/'
handover_seed list '/srv/c_1251.nls\000/srv/ru.kbd\000\000x'
