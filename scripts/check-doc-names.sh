#!/usr/bin/env bash
# Every backticked path and name of the architecture guide exists: a path
# (with "/" or a file extension) in the repository, a C++ name (parts of
# "A::b" each) as a whole word somewhere in the sources. Code with spaces
# (a signature, a command line) is left alone.
# Usage: scripts/check-doc-names.sh [FILE.md...]   (default: docs/architecture.md)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
files=("$@")
[ ${#files[@]} -gt 0 ] || files=(docs/architecture.md)
missing=0
for doc in "${files[@]}"; do
  while IFS= read -r token; do
    [[ -z "$token" || "$token" == *" "* ]] && continue
    if [[ "$token" == */* || "$token" =~ \.(cpp|hpp|sh|md|html|mjs|json|txt|XML)$ ]]; then
      [ -e "${token%/}" ] || { echo "$doc: no such path: $token"; missing=1; }
      continue
    fi
    for part in ${token//::/ }; do
      [[ "$part" =~ ^[A-Za-z_][A-Za-z0-9_-]*$ ]] || { echo "$doc: not a name: $token"; missing=1; continue; }
      grep -rqw --include='*.cpp' --include='*.hpp' --include='*.txt' --include='*.sh' -- "$part" src tests scripts bench ||
        { echo "$doc: no such name: $part (in \`$token\`)"; missing=1; }
    done
  done < <(grep -o '`[^`]*`' "$doc" | tr -d '`' | sort -u)
done
exit $missing
