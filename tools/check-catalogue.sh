#!/usr/bin/env bash
# Checks the catalogue as its readers meet it: the HTML page opened in a
# headless Chromium shows no console error, every poster, filters as one
# types (accents ignored) and sorts by year; a hostile title stays text; the
# CSV reads back field for field with Python's csv module.
#
#   tools/check-catalogue.sh [BUILD] [--screenshot FILE]   BUILD: build by default
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/deps.sh
install_missing_packages chromium chromium-driver python3-selenium

build=build
screenshot=
while [ $# -gt 0 ]; do
    case $1 in
    --screenshot) screenshot=$(realpath -m "$2"); shift 2 ;;
    *) build=$1; shift ;;
    esac
done
[ -x "$build/cinefiche-card" ] || cmake --build "$build" --target cinefiche-card >/dev/null
tool=$(realpath "$build/cinefiche-card")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CACHE_HOME=$work/cache   # the user's own thumbnails stay untouched
films=$work/films
mkdir -p "$films/Drames"

# A few cards: JPEG posters, accents, one named without extension below, one
# without poster, one whose title and director are markup, one whose values
# are formulas, one whose title is a single long word.
samples=resources/samples
"$tool" poster $samples/le-phare-des-brumes.cfh "$work/phare.jpg"
"$tool" poster $samples/la-longue-traversee.cfh "$work/traversee.jpg"
"$tool" new titre='Élan vital' annee=1999 heures=1 minutes=40 type=Comédie realisateur='Étienne Roux' \
    acteurs='Anaïs Morel|Jean Dupont' --poster "$work/phare.jpg" "$films/elan.cfh"
"$tool" new titre='Zéro de conduite' annee=1933 type=Drame --poster "$work/traversee.jpg" "$films/Drames/zero"
"$tool" new titre='<script>alert(1)</script>' annee=2005 realisateur='"><img src=x onerror=alert(2)>' \
    --poster "$work/traversee.jpg" "$films/piege.cfh"
# Values a spreadsheet would run as formulas.
"$tool" new titre='=HYPERLINK("http://evil","x")' annee=2010 realisateur='-2+3' acteurs='@SUM(1+1)|+cmd' \
    "$films/formule.cfh"
"$tool" new titre=Intergouvernementalisationanticonstitutionnelle annee=1950 \
    --poster "$work/phare.jpg" "$films/long.cfh"
cp $samples/le-phare-des-brumes.cfh $samples/sans-affiche.cfh "$films/"
echo "pas une fiche" >"$films/notes.txt"

"$tool" catalogue -r "$films" -o "$work/catalogue.html"
"$tool" catalogue -r "$films" -o "$work/catalogue.csv" --separateur ';'
"$tool" show -r --json "$films" >"$work/cards.json"

/usr/bin/python3 - "$work" "$screenshot" <<'PYTHON'   # Debian's, with its selenium
import csv, json, re, sys
from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By

work, screenshot = sys.argv[1], sys.argv[2]
failures = []

def check(ok, what):
    print(("ok      " if ok else "ÉCHEC   ") + what)
    if not ok:
        failures.append(what)

# The CSV, field for field against show --json.
cards = {card["fichier"]: card for card in json.load(open(work + "/cards.json", encoding="utf-8"))}
# A cell that a spreadsheet would run as a formula is written after a "'",
# which reading back removes (unguardedCell).
unguarded = lambda cell: cell[1:] if re.match(r"'+[=+\-@\t\r]", cell) else cell
with open(work + "/catalogue.csv", newline="", encoding="utf-8") as table:
    rows = [{key: unguarded(cell) for key, cell in row.items()}
            for row in csv.DictReader(table, delimiter=";")]
formulas = open(work + "/catalogue.csv", encoding="utf-8").read()
check(";\"'=HYPERLINK(" in formulas and ";'-2+3;" in formulas, "CSV : aucune formule pour un tableur")
def expected(card):
    text = lambda value: "" if value is None else str(value)
    return {"fichier": card["fichier"], "titre": card["titre"], "annee": text(card["annee"]),
            "heures": text(card["heures"]), "minutes": text(card["minutes"]), "type": card["type"],
            "realisateur": card["realisateur"], "acteurs": " | ".join(card["acteurs"]),
            "resume": card["resume"].replace("\n", "\r\n"),
            "affiche": (card["affiche"] or {}).get("format") or ""}
check(len(rows) == len(cards) == 7, "CSV : une ligne par fiche (%d)" % len(rows))
check(all(row == expected(cards[row["fichier"]]) for row in rows), "CSV : relu champ pour champ par le module csv")

options = webdriver.ChromeOptions()
options.binary_location = "/usr/bin/chromium"
for argument in ("--headless=new", "--no-sandbox", "--disable-background-networking",
                 "--disable-component-update", "--disable-sync", "--no-first-run", "--disable-gpu",
                 "--window-size=1280,1000"):
    options.add_argument(argument)
options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
try:
    driver.get("file://" + work + "/catalogue.html")
    titles = lambda: driver.execute_script(
        "return Array.from(document.querySelectorAll('#fiches tbody tr'))"
        ".filter(r => !r.hidden).map(r => r.querySelector('td.titre').textContent)")
    posters = driver.execute_script("return Array.from(document.images, i => i.complete && i.naturalWidth)")
    check(len(posters) == 5 and all(posters), "chaque affiche est montrée (%s)" % posters)
    check("<script>alert(1)</script>" in titles(), "le titre piégé reste du texte")
    spilled = driver.execute_script(
        "const column = parseFloat(getComputedStyle(document.querySelector('#fiches tbody')).gridTemplateColumns);"
        "return Array.from(document.querySelectorAll('#fiches tbody td.titre'))"
        ".filter(c => c.scrollWidth > column + 1).map(c => c.textContent)")
    check(not spilled, "un long titre revient à la ligne dans sa case : %s" % spilled)

    box = driver.find_element(By.ID, "recherche")
    box.send_keys("elan")
    check(titles() == ["Élan vital"], "la recherche « elan » filtre : %s" % titles())
    box.clear()
    box.send_keys("ZERO drame")
    check(titles() == ["Zéro de conduite"], "deux mots, majuscules : %s" % titles())
    driver.execute_script("const b = document.getElementById('recherche'); b.value = '';"
                          "b.dispatchEvent(new Event('input'));")

    driver.find_element(By.ID, "vue-tableau").click()
    year = driver.find_element(By.CSS_SELECTOR, "button[data-colonne='annee']")
    years = lambda: driver.execute_script(
        "return Array.from(document.querySelectorAll('#fiches tbody td.annee'), c => c.textContent)")
    year.click()
    check(years() == ["1933", "1950", "1998", "1999", "2004", "2005", "2010"], "tri par année : %s" % years())
    year.click()
    check(years() == ["2010", "2005", "2004", "1999", "1998", "1950", "1933"], "tri inverse : %s" % years())

    errors = [entry["message"] for entry in driver.get_log("browser") if entry["level"] == "SEVERE"]
    check(not errors, "aucune erreur dans la console %s" % errors)
    if screenshot:
        driver.find_element(By.ID, "vue-affiches").click()
        driver.set_window_size(1100, 760)
        driver.save_screenshot(screenshot)
finally:
    driver.quit()
sys.exit(1 if failures else 0)
PYTHON
