#!/usr/bin/env python3
"""Reads a workbook back as a spreadsheet program would, and prints what the
tests check as JSON: per sheet its name, merged ranges, size, and for each
cell its value, boldness, fill colour and horizontal alignment, and the runs
of rich text (text, bold, vertical alignment) straight from the sheet's XML,
which openpyxl does not give back."""
import json
import posixpath
import sys
import xml.etree.ElementTree as ET
import zipfile

import openpyxl

NS = {"m": "http://schemas.openxmlformats.org/spreadsheetml/2006/main",
      "r": "http://schemas.openxmlformats.org/officeDocument/2006/relationships",
      "rel": "http://schemas.openxmlformats.org/package/2006/relationships"}


def runs_par_feuille(chemin):
    z = zipfile.ZipFile(chemin)
    classeur = ET.fromstring(z.read("xl/workbook.xml"))
    liens = ET.fromstring(z.read("xl/_rels/workbook.xml.rels"))
    cibles = {l.get("Id"): l.get("Target") for l in liens.findall("rel:Relationship", NS)}
    resultat = {}
    for feuille in classeur.find("m:sheets", NS).findall("m:sheet", NS):
        rid = feuille.get("{%s}id" % NS["r"])
        xml = ET.fromstring(z.read(posixpath.normpath(posixpath.join("xl", cibles[rid]))))
        runs = {}
        for c in xml.iter("{%s}c" % NS["m"]):
            morceaux = c.findall("m:is/m:r", NS)
            if not morceaux:
                continue
            runs[c.get("r")] = [
                {"texte": "".join(t.text or "" for t in r.findall("m:t", NS)),
                 "gras": r.find("m:rPr/m:b", NS) is not None,
                 "position": (r.find("m:rPr/m:vertAlign", NS).get("val")
                              if r.find("m:rPr/m:vertAlign", NS) is not None else "")}
                for r in morceaux]
        resultat[feuille.get("name")] = runs
    return resultat


def main():
    chemin = sys.argv[1]
    wb = openpyxl.load_workbook(chemin)
    runs = runs_par_feuille(chemin)
    feuilles = []
    for ws in wb.worksheets:
        cellules = {}
        for ligne in ws.iter_rows():
            for c in ligne:
                if c.value is None and not c.font.b and c.fill.fgColor.rgb in (None, "00000000"):
                    continue
                cellules[c.coordinate] = {
                    "valeur": c.value,
                    "gras": bool(c.font.b),
                    "fond": c.fill.fgColor.rgb if c.fill.fill_type == "solid" else "",
                    "alignement": c.alignment.horizontal or "",
                }
        feuilles.append({"nom": ws.title,
                         "fusions": sorted(str(r) for r in ws.merged_cells.ranges),
                         "lignes": ws.max_row,
                         "colonnes": ws.max_column,
                         "cellules": cellules,
                         "runs": runs.get(ws.title, {})})
    json.dump({"feuilles": feuilles}, sys.stdout, ensure_ascii=False)


if __name__ == "__main__":
    main()
