#!/usr/bin/env bash
# Collects every user-visible text of the program into the catalogues of
# resources/texts/: tovalin_en.ts, the English catalogue a translator starts from
# (Qt Linguist), and tovalin_<lang>.ts for each translation (today Dutch). New texts
# arrive in a translation marked unfinished; texts no longer in the code are dropped.
# The test translations/complete fails until every text has its translation.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
lupdate=${LUPDATE:-/usr/lib/qt6/bin/lupdate}
"$lupdate" -silent -no-obsolete -locations none -source-language en -target-language en \
  "$here/src" -ts "$here/resources/texts/tovalin_en.ts"
for ts in "$here"/resources/texts/tovalin_*.ts; do
  lang=$(basename "$ts" .ts); lang=${lang#tovalin_}
  [ "$lang" = en ] && continue
  "$lupdate" -silent -no-obsolete -locations none -source-language en -target-language "$lang" \
    "$here/src" -ts "$ts"
done
