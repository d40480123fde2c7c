#!/bin/sh
# A save syncs the new file, and after the rename its folder, so that the new name survives a
# power cut as well as the content. Usage: synchronisation.sh OVANE-REJEU
set -eu
dossier=$(mktemp -d)
trap 'rm -rf "$dossier"' EXIT
# Where the system forbids tracing, there is nothing to check with.
strace -o /dev/null true 2>/dev/null || exit 77
printf 'enregistrer %s/p.ovn\n' "$dossier" |
  strace -f -e trace=openat,rename,fsync -o "$dossier/appels" "$1" >/dev/null
awk -v d="\"$dossier\"" '
  /rename\(/ && /\/p\.ovn"\)/ { renomme = 1; next }
  renomme && index($0, "openat(AT_FDCWD, " d ",") && /O_DIRECTORY/ { dossier = $NF }
  renomme && dossier != "" && index($0, "fsync(" dossier ")") && $NF == 0 { synchronise = 1 }
  END { exit !synchronise }' "$dossier/appels" || { echo "folder not synced after the rename"; exit 1; }
