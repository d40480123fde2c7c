#!/usr/bin/env python3
"""The board window read through the desktop's accessibility bus (AT-SPI), as a screen reader
reads it: the board's name and cells, the six status panels, the message line, the gauge, and
the announcement of a change of team.

Run under an X server and a session bus of its own:
    xvfb-run -a dbus-run-session -- python3 atspi_plateau.py /path/to/ovane
Exits with 77 (skipped) only when the accessibility bus cannot start."""

import os
import subprocess
import sys
import tempfile
import time

SAUTE = 77


def attendre(condition, secondes):
    """The condition's first true value within the time, or its last value."""
    fin = time.monotonic() + secondes
    while time.monotonic() < fin:
        valeur = condition()
        if valeur:
            return valeur
        time.sleep(0.1)
    return condition()


def bus_pret():
    adresse = subprocess.run(
        ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
         "org.a11y.Bus.GetAddress"], capture_output=True, text=True, check=False)
    return adresse.returncode == 0 and "unix:" in adresse.stdout


def demarrer_bus():
    """The accessibility bus of this session; None if it cannot start."""
    lanceur = "/usr/libexec/at-spi-bus-launcher"
    if not os.environ.get("DBUS_SESSION_BUS_ADDRESS") or not os.path.exists(lanceur):
        return None
    processus = subprocess.Popen([lanceur, "--launch-immediately"], stdout=subprocess.DEVNULL,
                                 stderr=subprocess.DEVNULL)
    if not attendre(bus_pret, 10):
        processus.terminate()
        return None
    return processus


def descendants(racine, role, profondeur=6):
    """Every descendant of the role, cells of tables left out."""
    trouves = []
    if profondeur == 0 or racine is None:
        return trouves
    for enfant in racine:
        if enfant is None:
            continue
        if enfant.getRole() == role:
            trouves.append(enfant)
        if enfant.getRole() != pyatspi.ROLE_TABLE:
            trouves.extend(descendants(enfant, role, profondeur - 1))
    return trouves


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Ovane":
            return app
    return None


def noms(conteneur):
    return [enfant.name for enfant in conteneur]


def verifier(condition, message, fautes):
    if not condition:
        fautes.append(message)


def main():
    programme = sys.argv[1]
    bus = demarrer_bus()
    if bus is None:
        print("SKIPPED: the accessibility bus (at-spi-bus-launcher) could not start")
        return SAUTE
    global pyatspi
    import pyatspi  # pylint: disable=import-outside-toplevel,redefined-outer-name
    from gi.repository import GLib  # pylint: disable=import-outside-toplevel

    fautes = []
    with tempfile.TemporaryDirectory() as dossier:
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb",
                   XDG_CONFIG_HOME=os.path.join(dossier, "config"),
                   XDG_DATA_HOME=os.path.join(dossier, "data"))
        ovane = subprocess.Popen([programme], env=env)
        try:
            app = attendre(application, 20)
            if app is None:
                print("FAILED: Ovane never appeared on the accessibility bus")
                return 1

            # The board's window, once the About box has closed itself.
            def plateau():
                if app.childCount != 1:
                    return None
                tables = descendants(app, pyatspi.ROLE_TABLE)
                return tables[0] if len(tables) == 1 else None
            table = attendre(plateau, 20)
            if table is None:
                print("FAILED: no single board table in one window")
                return 1
            verifier(table.name == "Plateau", f"board named {table.name!r}", fautes)
            verifier(table.childCount == 99, f"{table.childCount} cells", fautes)
            centre = table.getChildAtIndex(4 * 11 + 5)
            verifier(centre.name == "Case 4, 5 : pion-palet", f"centre cell {centre.name!r}",
                     fautes)

            # The message line says what to do once the window has taken in the new game.
            message = ["Message : Bleus : placez le pion n°1"]

            def lignes_pretes():
                barres = {barre.childCount: barre for barre in
                          descendants(app, pyatspi.ROLE_STATUS_BAR)}
                return barres if 1 in barres and noms(barres[1]) == message else None

            lignes = attendre(lignes_pretes, 10) or {
                barre.childCount: barre for barre in descendants(app, pyatspi.ROLE_STATUS_BAR)}
            attendus = ["Score : Bleus 0-0 Rouges", "Tour : 1/40", "Action : Placement",
                        "Séquence : Pion n°1", "Joueur : Bleus", "Temps : 0:00"]
            verifier(6 in lignes and noms(lignes[6]) == attendus,
                     f"panels {noms(lignes[6]) if 6 in lignes else None}", fautes)
            verifier(1 in lignes and noms(lignes[1]) == message,
                     f"message line {noms(lignes[1]) if 1 in lignes else None}", fautes)

            jauges = descendants(app, pyatspi.ROLE_PROGRESS_BAR)
            verifier(len(jauges) == 1, f"{len(jauges)} gauges", fautes)
            if jauges:
                jauge = jauges[0]
                valeur = jauge.queryValue()
                verifier(jauge.name == "Occupation", f"gauge named {jauge.name!r}", fautes)
                verifier(jauge.description == "Occupation",
                         f"gauge described {jauge.description!r}", fautes)
                verifier((valeur.currentValue, valeur.minimumValue, valeur.maximumValue) ==
                         (50, 0, 100), f"gauge value {valeur.currentValue}", fautes)

            # A placement by the keyboard hands the play to Rouges: announced as it shows.
            annonces = []

            def entendre(evenement):
                source = evenement.source
                if evenement.detail1 == 1 and source.getRole() == pyatspi.ROLE_NOTIFICATION:
                    annonces.append(source.name)
            pyatspi.Registry.registerEventListener(entendre, "object:state-changed:showing")
            boucle = GLib.MainLoop()

            def jouer():
                subprocess.run(["xdotool", "search", "--sync", "--name", "^Ovane$",
                                "windowfocus", "--sync", "key", "Down", "Return"], check=False)
                return False
            GLib.timeout_add(200, jouer)
            GLib.timeout_add(100, lambda: boucle.quit() if annonces else True)
            GLib.timeout_add(8000, boucle.quit)
            boucle.run()
            verifier(annonces == ["Aux Rouges de jouer"], f"announcements {annonces}", fautes)
            verifier(noms(lignes.get(6, []))[4:5] == ["Joueur : Rouges"],
                     f"panels after the placement {noms(lignes.get(6, []))}", fautes)
        finally:
            ovane.terminate()
            ovane.wait(10)
            bus.terminate()
    for faute in fautes:
        print("FAILED:", faute)
    return 1 if fautes else 0


if __name__ == "__main__":
    sys.exit(main())
