#!/usr/bin/env bash
# The save as the system sees it: the folder opened before the new file is made, the new file
# synced before the rename and the folder after it; and, with a failure injected into one of
# these calls, the save reported as it went. Usage: appels_systeme.sh OVANE-REJEU
set -u
rejeu=$1
dossier=$(mktemp -d)
trap 'rm -rf "$dossier"' EXIT
# Where the system forbids tracing, there is nothing to check with.
strace -o /dev/null true 2>/dev/null || exit 77
cible=$dossier/p.ovn
echecs=0

printf ancien >"$cible"
printf 'enregistrer %s\n' "$cible" |
  strace -f -e trace=openat,fsync,rename,renameat,renameat2 -o "$dossier/appels" "$rejeu" >/dev/null
# The folder's descriptor, then the new file's (without a name, or under its own), each synced
# in its turn around the rename.
awk -v d="\"$dossier\"" '
  dossier == "" && index($0, "openat(AT_FDCWD, " d ",") && /O_DIRECTORY/ { dossier = $NF; next }
  dossier != "" && fichier == "" && /openat\(/ && /O_TMPFILE|O_CREAT/ { fichier = $NF; next }
  fichier != "" && !renomme && index($0, "fsync(" fichier ")") && $NF == 0 { fichierSync = 1 }
  /rename/ && /"p\.ovn"/ && $NF == 0 { renomme = 1; next }
  renomme && index($0, "fsync(" dossier ")") && $NF == 0 { dossierSync = 1 }
  END {
    if (fichier == "") print "the folder is not opened before the new file is made"
    else if (!fichierSync) print "the new file is not synced before the rename"
    else if (!renomme) print "the new file is not renamed over the target"
    else if (!dossierSync) print "the folder is not synced after the rename"
    exit !(fichier != "" && fichierSync && renomme && dossierSync)
  }' "$dossier/appels" || echecs=1

# name, the failure injected, the box the save shows ("" for none), what the file then holds.
panne() {
  local nom=$1 injection=$2 boite=$3 contenu=$4
  printf ancien >"$cible"
  printf 'enregistrer %s\n' "$cible" |
    strace -f -o /dev/null -e trace=fsync,fchmod -e inject="$injection" "$rejeu" \
      >"$dossier/sortie" 2>/dev/null
  local montre
  montre=$(cut -f4 "$dossier/sortie")
  if [ "$montre" != "$boite" ]; then
    echo "$nom: the save shows \"$montre\", expected \"$boite\""; echecs=1
  fi
  if [ "$contenu" = ancien ] && [ "$(cat "$cible")" != ancien ]; then
    echo "$nom: the earlier file was replaced"; echecs=1
  elif [ "$contenu" = nouveau ] && [ "$(stat -c %s "$cible")" -ne 9777 ]; then
    echo "$nom: the new game is not in place"; echecs=1
  fi
}

panne dossier_non_synchronise fsync:error=EIO:when=2 "" nouveau
panne fichier_non_synchronise fsync:error=EIO:when=1 "Erreur de données dans le fichier" ancien
panne droits_refuses fchmod:error=EPERM "Impossible de créer le fichier" ancien
exit $echecs
