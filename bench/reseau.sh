#!/usr/bin/env bash
# The network table: ovane-serveur under ovane-charge on this machine, each run on a fresh data
# folder, traffic on the loopback only. Usage: bench/reseau.sh BUILD_FOLDER. DUREE (seconds,
# default 60) shortens the long runs for a quick look; ECHELLE lists the sizes tried for the
# largest number of games.
set -euo pipefail
b=$1
serveur=$b/serveur/ovane-serveur
charge=$b/tools/charge/ovane-charge
duree=${DUREE:-60}
court=$(( duree / 2 > 10 ? duree / 2 : 10 ))
dossier=$(mktemp -d)
pid=
arreter() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
  pid=
}
trap 'arreter; rm -rf "$dossier"' EXIT

# A server on an empty folder (or on the kept one, with --garder), its port in $port.
demarrer() {
  local garder=${1:-}
  [ "$garder" = --garder ] || { rm -rf "$dossier/donnees"; mkdir "$dossier/donnees"; }
  "$serveur" --port "${port_fixe:-0}" --ecoute 127.0.0.1 --donnees "$dossier/donnees" \
    >"$dossier/sortie" 2>>"$dossier/journal" &
  pid=$!
  for _ in $(seq 300); do grep -q '^port ' "$dossier/sortie" 2>/dev/null && break; sleep 0.1; done
  port=$(awk '/^port /{print $2}' "$dossier/sortie")
  if [ -z "$port" ]; then
    echo "the server did not start:" >&2
    tail -3 "$dossier/journal" >&2
    exit 1
  fi
}

# One load on a fresh server; its figures in $dossier/$1.
mesurer() {
  local nom=$1; shift
  demarrer
  "$charge" --serveur "127.0.0.1:$port" --pid "$pid" "$@" >"$dossier/$nom" || true
  arreter
}
val() { awk -v k="$2" '$1 == k { $1 = ""; sub(/^ /, ""); print }' "$dossier/$1"; }
champ() { val "$1" "$2" | awk -v n="$3" '{print $n}'; }

mesurer charge --parties 1000 --cadence 500 --duree "$duree"
mesurer inactives --parties 1000 --cadence 500 --duree "$court" --inactives 10000
mesurer hostiles --parties 1000 --cadence 500 --duree "$court" --hostiles
mesurer attente --parties 1000 --attente --duree 20

# The largest number of games one server carries at p99 <= 50 ms, at the same pace a game.
plus_grand=0
for n in ${ECHELLE:-100 250 500 1000 1500 2000 3000 4000}; do
  mesurer "echelle$n" --parties "$n" --cadence 500 --duree 20
  p99=$(champ "echelle$n" latence_ms 2)
  echo "$n games: p99 $p99 ms, $(val "echelle$n" actions_par_s) actions/s," \
    "server CPU $(val "echelle$n" cpu_serveur_s) s, waiting for a core $(val "echelle$n" attente_cpu_serveur_s) s" >&2
  awk -v p="$p99" 'BEGIN { exit !(p <= 50) }' || break
  [ "$(val "echelle$n" erreurs)" = 0 ] || break
  plus_grand=$n
done

# kill -9 in the middle of a load, then a restart on the same folder and port.
demarrer
port_fixe=$port
"$charge" --serveur "127.0.0.1:$port" --parties 1000 --cadence 500 --duree "$duree" --reprise \
  >"$dossier/tuer" &
outil=$!
# The games are seated within some seconds; the kill comes a third of the way through the play.
sleep $(( duree / 3 + 10 ))
kill -9 "$pid"; wait "$pid" 2>/dev/null || true
demarrer --garder
retrouvees=$(grep -o '[0-9]* parties retrouvées' "$dossier/journal" | tail -1 | awk '{print $1}')
wait "$outil" || true
arreter
port_fixe=

ligne() { printf '%-58s %22s %s\n' "$@"; }
pct() { awk -v s="$1" -v d="$2" 'BEGIN { printf "%.1f %%", 100 * s / d }'; }
echo
ligne "measure (1,000 games, 2 players each, computer-played)" "Ovane" "target"
ligne "actions per second, ${duree} s" "$(val charge actions_par_s)" ">= 2000"
ligne "action to ok, median / p99 / worst (ms)" "$(val charge latence_ms | tr ' ' /)" "p99 <= 50"
ligne "errors; players out of step with the host at the end" \
  "$(val charge erreurs); $(val charge desynchros) of $(val charge verifies)" "0; 0"
ligne "server resident memory (MiB)" "$(( $(champ charge memoire_serveur_kio 1) / 1024 ))" "<= 200"
ligne "server CPU (% of one core); waiting for a core" \
  "$(pct "$(val charge cpu_serveur_s)" "$duree"); $(pct "$(val charge attente_cpu_serveur_s)" "$duree")" ""
ligne "with 10,000 idle connections: p99 (ms); held" \
  "$(champ inactives latence_ms 2); $(val inactives inactives_tenues)" "<= 2 x p99"
ligne "  server resident memory then (MiB)" "$(( $(champ inactives memoire_serveur_kio 1) / 1024 ))" "<= 200"
ligne "with hostile clients: p99 (ms); errors" \
  "$(champ hostiles latence_ms 2); $(val hostiles erreurs)" "<= 2 x p99; 0"
ligne "  hostile connections opened; closed by the server" "$(val hostiles hostiles | tr ' ' ';')" ""
ligne "1,000 games waiting for a player: server CPU, 20 s" \
  "$(pct "$(val attente cpu_serveur_s)" 20)" "~ 0"
ligne "largest number of games at p99 <= 50 ms" "$plus_grand" "measured"
ligne "kill -9 under load: games back; seats taken back" \
  "$retrouvees; $(val tuer reprises) of 2000" "1000; 2000"
ligne "  players whose catch-up lacked a line they had" "$(val tuer pertes)" "0"
