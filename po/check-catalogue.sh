#!/usr/bin/env bash
# Collects the marked texts from the sources, checks that the catalogue (po/en.po) has a text for
# every one of them, and compiles it. Fails naming each text without one.
# usage: check-catalogue.sh SOURCE_ROOT PO_FILE MO_FILE WORK_DIR SOURCE...
set -euo pipefail
root=$1 po=$2 mo=$3 work=$4
shift 4
mkdir -p "$work" "$(dirname "$mo")"
cd "$root"
xgettext --language=C++ --from-code=UTF-8 --keyword --keyword=Tr --keyword=TrC:1c,2 --keyword=TrNoop \
  --keyword=CoreTr --keyword=CoreTrF --add-comments=TRANSLATORS: --sort-by-file --package-name=vrx -o "$work/vrx.pot" "$@"
msgmerge --quiet --no-fuzzy-matching --no-wrap "$po" "$work/vrx.pot" -o "$work/merged.po"
missing=$(msgattrib --untranslated --no-obsolete --no-wrap "$work/merged.po" | grep -v '^#' | sed '1,/^$/d' || true)
fuzzy=$(msgattrib --only-fuzzy --no-obsolete --no-wrap "$work/merged.po" | grep -v '^#' | sed '1,/^$/d' || true)
if [ -n "$missing$fuzzy" ]; then
  echo "$po: these texts have no entry (missing, empty or fuzzy):" >&2
  printf '%s\n%s\n' "$missing" "$fuzzy" | grep -E '^msg(ctxt|id)' >&2
  echo "Add them to $po (msgmerge --update $po $work/vrx.pot lists them there)." >&2
  exit 1
fi
unused=$(msgattrib --only-obsolete --no-wrap "$work/merged.po" | grep '^#~ msgid' || true)
[ -z "$unused" ] || printf '%s: entries no longer used in the code:\n%s\n' "$po" "$unused" >&2
# --check compares every format string's placeholders with its translation.
msgfmt --check --output-file="$mo" "$work/merged.po"
