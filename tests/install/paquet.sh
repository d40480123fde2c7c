#!/usr/bin/env bash
# Builds the Debian packages from a build folder and checks them as a distribution would:
# their contents, lintian (no error, no warning), the AppStream metadata, the desktop entry, the
# manual pages and the server's systemd unit.
set -euo pipefail
build=$1
racine=$(mktemp -d)
trap 'rm -rf "$racine"' EXIT

journal=$(cpack --config "$build/CPackConfig.cmake" -G DEB -B "$racine" 2>&1) || { echo "$journal"; exit 1; }
paquet=$(echo "$racine"/ovane_*.deb)
symboles=$(echo "$racine"/ovane-dbgsym_*.ddeb)
arbre="$racine/arbre"
dpkg-deb -x "$paquet" "$arbre"
dpkg-deb -x "$symboles" "$arbre"
version=$(dpkg-deb -f "$paquet" Version)

echo "== lintian"
avis=$(lintian --fail-on error,warning --display-info "$paquet" "$symboles" 2>&1) || { echo "$avis"; exit 1; }
grep -v '^running with root privileges' <<<"$avis" || true

# Stripped programs whose symbols the -dbgsym package carries, found by build id.
for programme in ovane ovane-rejeu ovane-serveur; do
  chemin="$arbre/usr/games/$programme"
  file "$chemin" | grep -q ', stripped$' || { echo "not stripped: $programme"; exit 1; }
  id=$(readelf -n "$chemin" | sed -n 's/.*Build ID: //p')
  [ -s "$arbre/usr/lib/debug/.build-id/${id:0:2}/${id:2}.debug" ] || { echo "no symbols: $programme"; exit 1; }
done
# The version block, the package and the metadata's release tell the same version.
readelf -p ovane_version "$arbre/usr/games/ovane" | grep -qF "\\FileVersion=$version\\n"
grep -qF "<release version=\"$version\"" "$arbre/usr/share/metainfo/org.ovane.Ovane.metainfo.xml"

echo "== appstreamcli, desktop-file-validate"
appstreamcli validate --pedantic --strict --no-net \
  "$arbre/usr/share/metainfo/org.ovane.Ovane.metainfo.xml"
entree="$arbre/usr/share/applications/org.ovane.Ovane.desktop"
grep -qxF 'Exec="/usr/games/ovane" %f' "$entree"
avis=$(desktop-file-validate "$entree" 2>&1) && [ -z "$avis" ] || { echo "$avis"; exit 1; }

echo "== man --warnings"
for page in ovane ovane-rejeu ovane-serveur; do
  avis=$(LC_ALL=C.UTF-8 man --warnings -l "$arbre/usr/share/man/man6/$page.6.gz" 2>&1 >/dev/null)
  [ -z "$avis" ] || { echo "$page.6: $avis"; exit 1; }
done
echo "== systemd-analyze verify, security --offline"
# Offline, as no systemd runs here: verify follows the unit's dependencies under the same root, so
# systemd's own units join the package's tree; security needs only the unit.
unite=ovane-serveur.service
grep -qxF 'ExecStart="/usr/games/ovane-serveur" --port ${OVANE_PORT} --donnees %S/ovane-serveur $OVANE_OPTIONS' \
  "$arbre/lib/systemd/system/$unite"
cp -an /lib/systemd/system/. "$arbre/lib/systemd/system/"
avis=$(systemd-analyze verify --root="$arbre" --man=no --recursive-errors=no "$unite" 2>&1) &&
  [ -z "$avis" ] || { echo "$avis"; exit 1; }
# 20 tenths: an exposure of 2.0 at most, "OK" or better.
avis=$(systemd-analyze security --offline=true --threshold=20 --root="$arbre" "$unite" 2>&1) ||
  { echo "$avis"; exit 1; }
grep 'Overall exposure level' <<<"$avis"
echo "package $version checked"
