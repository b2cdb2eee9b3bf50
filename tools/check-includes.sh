#!/usr/bin/env bash
# Every arrow between the folders points one way. The game's core includes nothing but
# itself and the C++ standard library: no window, no platform, no Qt. Inside it each
# folder takes in only those below it: the ports the game draws through (ports/), then
# the cards and their catalogue (cards/), then the procedures (flow/), then the two
# seats' moves (seats/). The platform's pieces (platform/) and the spoken table
# (speech/) take in the core besides themselves, never the window. The window (ui/)
# may include anything. Prints each include that breaks this and exits with 1.
#
#   tools/check-includes.sh [ROOT]      ROOT defaults to the project folder
set -euo pipefail
root="${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
cd "$root"

core="cards flow seats ports"
# The folders each layer may include from, besides the standard library.
declare -A allowed=(
  [ports]="ports" [cards]="ports cards" [flow]="ports cards flow" [seats]="$core"
  [platform]="$core platform"
  [speech]="$core speech"
)

# The headers of the C++ standard library (C++20), and the C library's in their C++ names.
standard=" algorithm any array atomic barrier bit bitset charconv chrono codecvt compare
 complex concepts condition_variable coroutine deque exception execution expected filesystem
 format forward_list fstream functional future initializer_list iomanip ios iosfwd iostream
 istream iterator latch limits list locale map memory memory_resource mutex new numbers
 numeric optional ostream queue random ranges ratio regex scoped_allocator semaphore set
 shared_mutex source_location span sstream stack stdexcept stop_token streambuf string
 string_view syncstream system_error thread tuple type_traits typeindex typeinfo
 unordered_map unordered_set utility valarray variant vector version cassert cctype cerrno
 cfenv cfloat cinttypes climits clocale cmath csetjmp csignal cstdarg cstddef cstdint cstdio
 cstdlib cstring ctime cuchar cwchar cwctype "

standard=" $(echo $standard) "  # one space between names, and at both ends

status=0
for layer in "${!allowed[@]}"; do
  [[ -d "$layer" ]] || continue
  while IFS= read -r -d '' file; do
    while IFS= read -r line; do
      number="${line%%:*}"
      include="${line#*:}"
      if [[ "$include" =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]]; then
        target="${BASH_REMATCH[1]}"
        ok=0
        for folder in ${allowed[$layer]}; do [[ "$target" == "$folder/"* ]] && ok=1; done
        if [[ $ok == 0 ]]; then
          echo "$file:$number: $layer/ may include only ${allowed[$layer]// /, }: \"$target\""
          status=1
        fi
      elif [[ "$include" =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\<([^\>]+)\> ]]; then
        target="${BASH_REMATCH[1]}"
        if [[ "$standard" != *" $target "* ]]; then
          echo "$file:$number: $layer/ may include only the standard library: <$target>"
          status=1
        fi
      fi
    done < <(grep -n -E '^[[:space:]]*#[[:space:]]*include' "$file" || true)
  done < <(find "$layer" -type f \( -name '*.h' -o -name '*.cpp' \) -print0)
done
[[ $status == 0 ]] && echo "includes: every arrow points one way"
exit $status
