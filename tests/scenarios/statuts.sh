#!/usr/bin/env bash
# The replay tool's exit status and error line for each kind of input a user can give it.
# Usage: statuts.sh OVANE-REJEU
set -u
rejeu=$1
dossier=$(mktemp -d)
trap 'rm -rf "$dossier"' EXIT
echecs=0

# name, expected status, command (the tool is "$rejeu").
cas() {
  local nom=$1 attendu=$2
  bash -c "$3" rejeu "$rejeu" >/dev/null 2>"$dossier/erreurs"
  local statut=$?
  local message
  message=$(cat "$dossier/erreurs")
  if [ "$statut" -ne "$attendu" ]; then
    echo "$nom: status $statut, expected $attendu"; echecs=1
  elif [ "$attendu" -ne 0 ] && { [ "$(wc -l <"$dossier/erreurs")" -ne 1 ] ||
       [ "${message#ovane-rejeu: }" = "$message" ] || [ ${#message} -gt 200 ]; }; then
    echo "$nom: not one short 'ovane-rejeu: ' line: ${message:0:300}"; echecs=1
  fi
}

cas script_joue            0 'printf "etat\nclic 0 1\n" | "$1"'
cas ligne_illisible        2 'printf "etat\nclic 9 0\n" | "$1"'
cas octet_nul_commande     2 'printf "ouvrir /nulle/part.ovn\0/autre\n" | "$1"'
cas ligne_trop_longue      2 'head -c 10000000 /dev/zero | tr "\0" x | "$1"'
cas entree_dossier         1 '"$1" < /'
cas sortie_pleine          1 'printf "etat\n" | "$1" > /dev/full'
exit $echecs
