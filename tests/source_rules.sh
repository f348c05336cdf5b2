#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quorvin developers
#
# SPDX-License-Identifier: MIT

# Rules of the source tree that no compiler checks.
#
#   source_rules.sh qt-includes SOURCE_DIR FOLDER...
#       Fails naming every C++ file under SOURCE_DIR/quorvin that includes a Qt header
#       (<Q...>, <Qt...>) outside the given folders (relative to SOURCE_DIR, such as
#       quorvin/toolkit): Qt stays behind the toolkit's plain C++ headers.
#   source_rules.sh format SOURCE_DIR CLANG_FORMAT
#       Fails when clang-format with the repository's .clang-format would change any tracked
#       *.cpp or *.h file. Skipped (exit 77) where Git tracks none: outside a Git checkout.
set -euo pipefail

skip=77

rule=$1
source_dir=$2
shift 2

case $rule in
qt-includes)
    (($# > 0)) || { echo "source_rules: qt-includes needs at least one allowed folder" >&2; exit 2; }
    cd "$source_dir"
    offenders=()
    while IFS= read -r file; do
        allowed=false
        for folder in "$@"; do
            [[ $file == "${folder%/}/"* ]] && allowed=true
        done
        $allowed || offenders+=("$file")
    done < <(grep -rlE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' quorvin \
                 --include='*.cpp' --include='*.h' --include='*.hpp' --include='*.cc' | sort)
    if ((${#offenders[@]} > 0)); then
        echo "source_rules: FAIL: Qt is included outside $*:" >&2
        for file in "${offenders[@]}"; do
            grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' "$file" | sed "s|^|  $file:|" >&2
        done
        exit 1
    fi
    echo "source_rules: Qt is included only under $*"
    ;;
format)
    clang_format=${1:?source_rules: format needs the clang-format program}
    command -v "$clang_format" >/dev/null ||
        { echo "source_rules: FAIL: no $clang_format (scripts/install-deps test installs it)" >&2; exit 1; }
    if ! git -C "$source_dir" rev-parse --git-dir >/dev/null 2>&1; then
        echo "source_rules: SKIP: $source_dir is no Git checkout, so it names no tracked files"
        exit $skip
    fi
    cd "$source_dir"
    mapfile -t files < <(git ls-files '*.cpp' '*.h')
    if ((${#files[@]} == 0)); then
        # A source tree unpacked inside some other checkout.
        echo "source_rules: SKIP: Git tracks no *.cpp or *.h file under $source_dir"
        exit $skip
    fi
    # --dry-run -Werror reports every file and line it would change, and fails if there is one.
    if ! "$clang_format" --dry-run -Werror "${files[@]}"; then
        echo "source_rules: FAIL: the files above differ from what clang-format makes of them" \
             "(make format rewrites them)" >&2
        exit 1
    fi
    echo "source_rules: ${#files[@]} files formatted as .clang-format says ($("$clang_format" --version))"
    ;;
*)
    echo "source_rules: unknown rule '$rule' (qt-includes, format)" >&2
    exit 2
    ;;
esac
