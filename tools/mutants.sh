#!/bin/bash
# make mutants — proves that the tests catch real faults. Each line of
# tools/mutants.txt names one deliberate fault:
#
#   id | file | perl code run on the whole file (-0777) | optional CTest regex
#
# (fields separated by " | " with its spaces)
#
# For each, a scratch copy of the tree (never the work tree) gets that one
# change, is rebuilt, and the tests of the file's layer run (or those the
# fourth field names, such as an end-to-end scenario). A mutant is killed
# when a test fails. The command fails if any mutant survives, does not
# apply or does not build.
#
#   tools/mutants.sh [regex of ids or files]      MUTANT_ARCH=win64|win32  MUTANT_DIR=...
#   MUTANTS_FILE=path: faults of that file instead of tools/mutants.txt
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
filter=${1:-.}
arch=${MUTANT_ARCH:-win64}
scratch=${MUTANT_DIR:-$root/build/mutants}
src=$scratch/src
# A display of its own, so that a mutant run never shares keys and focus
# with a test run on the usual display.
export KWIBRA_DISPLAY=${MUTANT_DISPLAY:-:78}
jobs=$(nproc)

# The copy holds what the work tree holds now, committed or not.
# Only files that differ from the last run's copy are copied, with a new
# time, so the build redoes what changed and nothing else; src/build holds
# the copy's Wine prefix and stays.
mkdir -p "$src"
: >"$scratch/files.new"
git ls-files -z --cached --others --exclude-standard | while IFS= read -r -d '' f; do
    [[ -e $f ]] || continue
    printf '%s\n' "$f" >>"$scratch/files.new"
    cmp -s "$f" "$src/$f" || { mkdir -p "$src/$(dirname "$f")" && cp "$f" "$src/$f"; }
done
(cd "$src" && find . -path ./build -prune -o -type f -print | sed 's|^\./||' | sort) >"$scratch/files.old"
sort "$scratch/files.new" | comm -23 "$scratch/files.old" - | while IFS= read -r gone; do rm -f "$src/$gone"; done
rm -f "$scratch/files.new" "$scratch/files.old"

build() { cmake --build "$scratch/$1" -j "$jobs" >"$scratch/build.log" 2>&1; }

# A tree is configured, built unchanged and, for Windows, given its Wine
# the first time a mutant needs it.
declare -A ready=()
prepare() { # tree
    [[ -n ${ready[$1]:-} ]] && return 0
    local args=(-S "$src" -B "$scratch/$1" -DCMAKE_BUILD_TYPE=Release)
    [[ $1 == win32 ]] && args+=(-DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-i686.cmake")
    [[ $1 == win64 ]] && args+=(-DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-x86_64.cmake")
    echo "mutants: building the unchanged $1 tree"
    cmake "${args[@]}" >/dev/null && build "$1" ||
        { echo "mutants: the unchanged $1 tree does not build"; tail -30 "$scratch/build.log"; exit 1; }
    if [[ $1 != native ]]; then
        source "$src/tools/wine-env.sh"
        kwibra_ensure_display
        kwibra_use_arch "$1"
        kwibra_ensure_prefix
        kwibra_start_wineserver
        trap 'wineserver -k 2>/dev/null' EXIT
    fi
    ready[$1]=1
}

# The tests of a file's layer, by its folder.
tests_for() {
    case $1 in
    data/*) echo '^data' ;;
    framework/*) echo '^framework' ;;
    menus/*) echo '^(menus|app)' ;;
    app/*) echo '^app' ;;
    settings/*) echo '^(settings|app)' ;;
    *) echo '^(framework|menus|app|settings)' ;;
    esac
}

declare -A count=()
report=()
while IFS= read -r line; do
    [[ $line =~ ^[[:space:]]*(#|$) ]] && continue
    # Fields are separated by " | "; the perl code may hold "|" without spaces.
    IFS=$'\x1f' read -r id file code regex <<<"${line// | /$'\x1f'}"
    id=$(echo "$id" | xargs)
    file=$(echo "$file" | xargs)
    [[ $id =~ $filter || $file =~ $filter ]] || continue
    code=$(echo "$code" | sed 's/^ *//; s/ *$//')
    regex=$(echo "${regex:-}" | xargs)
    [[ -n $regex ]] || regex=$(tests_for "$file")
    tree=$arch
    [[ $file == data/* && $regex == '^data' ]] && tree=native

    prepare "$tree"
    # The copy, not the work tree, holds the unchanged file: the work tree may change meanwhile.
    cp "$src/$file" "$scratch/unchanged"
    perl -0777 -pi -e "$code" "$src/$file"
    if cmp -s "$scratch/unchanged" "$src/$file"; then
        result="not applied"
    elif ! build "$tree"; then
        result="build failed"
    elif (cd "$scratch/$tree" && ctest -R "$regex" --timeout 300 >"$scratch/$id.log" 2>&1); then
        result="SURVIVED"
    else
        result="killed"
    fi
    cp "$scratch/unchanged" "$src/$file"
    count[$result]=$((${count[$result]:-0} + 1))
    report+=("$(printf '%-28s %-14s %-40s %s' "$id" "$result" "$file" "$regex")")
    printf '%-28s %s\n' "$id" "$result"
done <"${MUTANTS_FILE:-tools/mutants.txt}"

# Leave the copies built as the work tree is, for the next run.
for tree in "${!ready[@]}"; do build "$tree"; done

echo
printf '%s\n' "${report[@]}"
echo
for k in "${!count[@]}"; do printf '%s: %d\n' "$k" "${count[$k]}"; done
[[ ${count[SURVIVED]:-0} -eq 0 && ${count["not applied"]:-0} -eq 0 && ${count["build failed"]:-0} -eq 0 ]]
