#!/bin/bash
# make format: rewrites every C++ source of the project in the style of
# .clang-format. tools/format.sh --check only lists the files that differ and
# fails if there are any (make test runs it so).
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [[ ${1:-} != --check ]]; then
  clang-format -i "${files[@]}"
  exit 0
fi
differ=()
for f in "${files[@]}"; do
  clang-format "$f" | cmp -s - "$f" || differ+=("$f")
done
((${#differ[@]} == 0)) && exit 0
echo "format: these files differ from .clang-format (make format rewrites them):" >&2
printf '  %s\n' "${differ[@]}" >&2
exit 1
