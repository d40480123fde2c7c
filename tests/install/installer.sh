#!/usr/bin/env bash
# Installs the build into a temporary prefix, starts the program once with empty XDG folders,
# and checks what a file manager then sees of a saved game.
set -euo pipefail
build=$1
racine=$(mktemp -d)
trap 'rm -rf "$racine"' EXIT
prefixe="$racine/prefixe avec espace"

cmake --install "$build" --prefix "$prefixe" >/dev/null
for f in bin/ovane bin/ovane-rejeu share/ovane/ovane.hlp \
         share/applications/org.ovane.Ovane.desktop share/mime/packages/org.ovane.Ovane.xml \
         share/metainfo/org.ovane.Ovane.metainfo.xml \
         share/icons/hicolor/32x32/apps/org.ovane.Ovane.png \
         share/icons/hicolor/32x32/mimetypes/application-x-ovane.png; do
  [ -s "$prefixe/$f" ] || { echo "missing after install: $f"; exit 1; }
done

export XDG_DATA_HOME="$racine/donnees" XDG_CONFIG_HOME="$racine/config"
# The association is registered when the window is created; the About box then waits, so the
# program is stopped once the desktop's caches, rebuilt beside it, are both there.
QT_QPA_PLATFORM=offscreen "$prefixe/bin/ovane" &
programme=$!
for _ in $(seq 300); do
  [ -s "$XDG_DATA_HOME/applications/mimeinfo.cache" ] && [ -s "$XDG_DATA_HOME/mime/mime.cache" ] &&
    break
  kill -0 $programme 2>/dev/null || break
  sleep 0.1
done
kill $programme 2>/dev/null || true
wait $programme 2>/dev/null || true

partie="$racine/une partie.ovn"
printf 'enregistrer %s\n' "$partie" | "$prefixe/bin/ovane-rejeu"
type=$(gio info -a standard::content-type "$partie" | sed -n 's/.*standard::content-type: //p')
[ "$type" = application/x-ovane ] || { echo "content type: $type"; exit 1; }
defaut=$(gio mime application/x-ovane)
grep -q 'Default application.*org.ovane.Ovane.desktop' <<<"$defaut" || { echo "$defaut"; exit 1; }
grep -q "^Exec=\"$prefixe/bin/ovane\" %f$" "$XDG_DATA_HOME/applications/org.ovane.Ovane.desktop"
echo "installed, registered, recognised"
