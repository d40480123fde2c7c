#!/usr/bin/env bash
# Installs the build into a temporary prefix, starts the program once with empty XDG folders,
# and checks what a file manager then sees of a saved game.
set -euo pipefail
build=$1
racine=$(mktemp -d)
trap 'rm -rf "$racine"' EXIT
prefixe="$racine/prefixe avec espace"

cmake --install "$build" --prefix "$prefixe" >/dev/null
for f in games/ovane games/ovane-rejeu share/games/ovane/ovane.hlp \
         share/applications/org.ovane.Ovane.desktop share/mime/packages/org.ovane.Ovane.xml \
         share/metainfo/org.ovane.Ovane.metainfo.xml share/man/man6/ovane.6.gz \
         share/man/man6/ovane-rejeu.6.gz share/doc/ovane/copyright share/doc/ovane/changelog.gz; do
  [ -s "$prefixe/$f" ] || { echo "missing after install: $f"; exit 1; }
done
for taille in 16 24 32 48 64 128 256; do
  for f in apps/org.ovane.Ovane.png mimetypes/application-x-ovane.png; do
    icone="$prefixe/share/icons/hicolor/${taille}x$taille/$f"
    file "$icone" | grep -q "PNG image data, $taille x $taille," || { echo "icon: $icone"; exit 1; }
  done
done
# The desktop entry names the program where this install put it, spaces and all.
grep -qxF "Exec=\"$prefixe/games/ovane\" %f" "$prefixe/share/applications/org.ovane.Ovane.desktop"
# So does the server's systemd unit, under this prefix's lib/systemd/system.
grep -qF "ExecStart=\"$prefixe/games/ovane-serveur\" --port" \
  "$prefixe/lib/systemd/system/ovane-serveur.service"

export XDG_DATA_HOME="$racine/donnees" XDG_CONFIG_HOME="$racine/config"
# Before the program's first start, as after installing the package: the installed files alone
# make it the saved games' handler, even where the games folder is not on the PATH.
update-mime-database "$prefixe/share/mime"
update-desktop-database "$prefixe/share/applications" 2>/dev/null
defaut=$(PATH=/usr/bin:/bin XDG_DATA_DIRS="$prefixe/share" gio mime application/x-ovane)
grep -q 'Default application.*org.ovane.Ovane.desktop' <<<"$defaut" || { echo "$defaut"; exit 1; }
# The association is registered when the window is created; the About box then waits, so the
# program is stopped once the desktop's caches, rebuilt beside it, are both there.
QT_QPA_PLATFORM=offscreen "$prefixe/games/ovane" &
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
printf 'enregistrer %s\n' "$partie" | "$prefixe/games/ovane-rejeu"
type=$(gio info -a standard::content-type "$partie" | sed -n 's/.*standard::content-type: //p')
[ "$type" = application/x-ovane ] || { echo "content type: $type"; exit 1; }
defaut=$(gio mime application/x-ovane)
grep -q 'Default application.*org.ovane.Ovane.desktop' <<<"$defaut" || { echo "$defaut"; exit 1; }
grep -qxF "Exec=\"$prefixe/games/ovane\" %f" "$XDG_DATA_HOME/applications/org.ovane.Ovane.desktop"
echo "installed, registered, recognised"
