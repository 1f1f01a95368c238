#!/usr/bin/env bash
# Collects every user-visible text of the program into resources/texts/tovalin_en.ts,
# the English catalogue a translator starts from (Qt Linguist).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
lupdate=${LUPDATE:-/usr/lib/qt6/bin/lupdate}
"$lupdate" -silent -no-obsolete -locations none -source-language en -target-language en \
  "$here/src" -ts "$here/resources/texts/tovalin_en.ts"
