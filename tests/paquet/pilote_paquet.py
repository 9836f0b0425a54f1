#!/usr/bin/env python3
"""Starts an installed Galvora on one of its simulated units, on the X display
of the environment (Xvfb), and drives its real windows with xdotool the way a
user would: the unit choice when several units are installed, then F10 for an
acquisition. Passes when the main window appears and a curve of the first
input's colour is drawn across the screen.

  pilote_paquet.py <galvora> <simulators folder> <SP5|V6|CAMPUS> <work folder>
"""
import os
import shutil
import signal
import subprocess
import sys
import time

# Window names, as xdotool's regular expressions.
TITRE_FENETRE = "^Galvora : pilotage des interfaces"
TITRE_CHOIX = "^Choix de la centrale"
TITRE_MESSAGE = "^Galvora$"
TITRE_TITRE = "^Galvora - "
# Default colour of input 0's curves (red 144, green 0, blue 0).
COULEUR_COURBE = (144, 0, 0)
TOLERANCE = 12
# A curve spans the graph: that many pixel columns at least carry its colour
# (the input's legend alone shows it in a few dozen).
COLONNES_MIN = 500


def attend(condition, delai, pas=0.2):
    fin = time.monotonic() + delai
    while True:
        resultat = condition()
        if resultat or time.monotonic() > fin:
            return resultat
        time.sleep(pas)


def fenetres(titre):
    r = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", titre],
                       capture_output=True, text=True)
    return [int(x) for x in r.stdout.split()]


def touches(fenetre, *noms):
    subprocess.run(["xdotool", "windowfocus", "--sync", str(fenetre)], check=True, timeout=10)
    time.sleep(0.3)
    for nom in noms:
        subprocess.run(["xdotool", "key", "--clearmodifiers", nom], check=True, timeout=10)
        time.sleep(0.25)


def capture(chemin):
    """The whole screen, saved as PNG; returns (width, height, RGB bytes)."""
    subprocess.run(["import", "-window", "root", chemin], check=True, timeout=30)
    ppm = subprocess.run(["convert", chemin, "-depth", "8", "ppm:-"], check=True,
                         capture_output=True, timeout=30).stdout
    magique, dimensions, maximum, pixels = ppm.split(b"\n", 3)
    assert magique == b"P6" and maximum == b"255", "unexpected screenshot format"
    largeur, hauteur = map(int, dimensions.split())
    return largeur, hauteur, pixels


def colonnes_couleur(image):
    largeur, hauteur, pixels = image
    r0, g0, b0 = COULEUR_COURBE
    colonnes = set()
    for y in range(hauteur):
        ligne = pixels[y * largeur * 3:(y + 1) * largeur * 3]
        for x in range(largeur):
            r, g, b = ligne[3 * x], ligne[3 * x + 1], ligne[3 * x + 2]
            if abs(r - r0) <= TOLERANCE and abs(g - g0) <= TOLERANCE and abs(b - b0) <= TOLERANCE:
                colonnes.add(x)
    return len(colonnes)


def echec(message):
    print("ÉCHEC: " + message, flush=True)
    return 1


def main():
    programme, simulateurs, centrale, travail = sys.argv[1:5]
    maison = os.path.join(travail, "maison-" + centrale)
    shutil.rmtree(maison, ignore_errors=True)
    execution = os.path.join(maison, "run")
    os.makedirs(execution, mode=0o700)
    # The simulated V6 and CAMPUS are offered by linking them from the
    # installed simulators into the user's unit folder, as the README says.
    dossier_centrales = os.path.join(maison, ".local", "share", "Galvora", "centrales")
    os.makedirs(dossier_centrales)
    liens = {"SP5": [], "V6": ["FTD2XX-V6.DLL"], "CAMPUS": ["FTD2XX-V6.DLL", "Campus.DLL"]}[centrale]
    for nom in liens:
        os.symlink(os.path.join(simulateurs, nom), os.path.join(dossier_centrales, nom))

    env = {"PATH": os.environ["PATH"], "DISPLAY": os.environ["DISPLAY"], "HOME": maison,
           "XDG_RUNTIME_DIR": execution, "QT_QPA_PLATFORM": "xcb", "LANG": "C.UTF-8"}
    if "XAUTHORITY" in os.environ:
        env["XAUTHORITY"] = os.environ["XAUTHORITY"]
    journal = open(os.path.join(travail, "galvora-" + centrale + ".log"), "w")
    processus = subprocess.Popen([programme], env=env, stdout=journal, stderr=subprocess.STDOUT)
    try:
        # Two units or more: the choice dialog, answered from the keyboard
        # (focus starts on the first unit's button; each Tab moves to the
        # next shown button).
        if centrale != "SP5":
            choix = attend(lambda: fenetres(TITRE_CHOIX), 30)
            if not choix:
                return echec("the unit choice dialog did not appear")
            tabulations = {"V6": 1, "CAMPUS": 2}[centrale]
            touches(choix[0], *(["Tab"] * tabulations), "space", "Tab", "space")
            if centrale == "CAMPUS":
                # The warning about a V6 connected beside the CAMPUS.
                avertissement = attend(lambda: fenetres(TITRE_MESSAGE), 15)
                if not avertissement:
                    return echec("the V6 beside CAMPUS warning did not appear")
                touches(avertissement[0], "Return")
        fenetre = attend(lambda: fenetres(TITRE_FENETRE), 30)
        if processus.poll() is not None:
            return echec("the program ended (code %d)" % processus.returncode)
        if not fenetre:
            return echec("the main window did not appear")
        # The title window fades out over the main one within a few seconds.
        attend(lambda: not fenetres(TITRE_TITRE), 15)
        time.sleep(1)
        avant = colonnes_couleur(capture(os.path.join(travail, "avant-" + centrale + ".png")))
        touches(fenetre[0], "F10")
        ecran = os.path.join(travail, "acquisition-" + centrale + ".png")
        apres = attend(lambda: (lambda n: n if n >= COLONNES_MIN and n - avant >= COLONNES_MIN - 100 else 0)(
            colonnes_couleur(capture(ecran))), 40, pas=1.0)
        print("%s: %d pixel columns of the curve colour before the acquisition, %d after (%s)"
              % (centrale, avant, apres, ecran), flush=True)
        if not apres:
            return echec("no curve drawn after F10 on " + centrale)
        if processus.poll() is not None:
            return echec("the program ended during the acquisition")
        return 0
    finally:
        if processus.poll() is None:
            processus.send_signal(signal.SIGTERM)
            try:
                processus.wait(10)
            except subprocess.TimeoutExpired:
                processus.kill()
                processus.wait()
        journal.close()


if __name__ == "__main__":
    sys.exit(main())
