#!/usr/bin/env bash
# The include check itself is checked: on a copy of the tree, one include of the window
# into the core, one of Qt, one of the window into the platform, and one pointing back
# up inside the core (the procedures taking in a seat) must each be caught.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
copy="$(mktemp -d)"
trap 'rm -rf "$copy"' EXIT

plant() {  # FILE LINE: the copy with LINE added to FILE must fail the check, naming FILE
  rm -rf "${copy:?}"/*
  cp -r "$root"/cards "$root"/flow "$root"/seats "$root"/ports "$root"/platform "$copy"/
  [[ -d "$root/speech" ]] && cp -r "$root/speech" "$copy"/
  echo "$2" >> "$copy/$1"
  if out="$("$root/tools/check-includes.sh" "$copy")"; then
    echo "not caught: $2 in $1"; exit 1
  fi
  grep -q "^$1:" <<<"$out" || { echo "caught, but not named: $2 in $1: $out"; exit 1; }
  echo "caught: $2 in $1"
}
"$root/tools/check-includes.sh" "$root" >/dev/null || { echo "the tree itself fails the check"; exit 1; }
plant flow/refill.cpp '#include "ui/form1.h"'
plant cards/card_names.h '#include <QWidget>'
plant platform/random_sources.h '#include "ui/table_surface.h"'
plant flow/refill.cpp '#include "seats/computer_choice.h"'
