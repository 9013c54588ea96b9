#!/usr/bin/env bash
# Installs the build into a fresh prefix, builds a program against it with find_package,
# and runs it and the installed tool on a WebP file.
set -euo pipefail
build_dir=$1 consumer_src=$2 webp=$3 generator=$4 cxx_flags=${5:-} link_flags=${6:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build_dir" --prefix "$work/prefix" > /dev/null
cmake -S "$consumer_src" -B "$work/build" -G "$generator" -DCMAKE_PREFIX_PATH="$work/prefix" \
  -DCMAKE_CXX_FLAGS="$cxx_flags" -DCMAKE_EXE_LINKER_FLAGS="$link_flags" > /dev/null
cmake --build "$work/build" > /dev/null
expected=$("$work/prefix/bin/velmar" info --json "$webp" | sed -E 's/.*"width":([0-9]+),"height":([0-9]+).*/\1x\2/')
got=$("$work/build/consumer" "$webp")
echo "consumer: $got; installed tool: $expected"
[[ "$got" == "$expected "* ]]
# The installed tool finds the installed plugins with no settings.
env -u VELMAR_PLUGIN_PATH "$work/prefix/bin/velmar" plugins | grep -q '^Tarsine 2.2.0$'
pkg-config --with-path="$work/prefix/lib/pkgconfig" --cflags --libs velmar | grep -q -- '-lvelmar'
