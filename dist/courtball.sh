#!/bin/sh
# courtball -- starts the game in its data folder: the game reads its 19 files
# from the working directory and takes no command line. The prefix is found
# from this script's own place (bin/ beside libexec/ and share/), so the same
# script works under any prefix, staged or moved.
here=$(dirname "$(readlink -f "$0")")
prefix=$(dirname "$here")
cd "$prefix/share/courtball" || exit 2  # a start that fails, not a normal end
exec "$prefix/libexec/courtball/courtball"
