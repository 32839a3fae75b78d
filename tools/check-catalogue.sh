#!/usr/bin/env bash
# Checks the catalogue as its readers meet it: the HTML page opened in a
# headless Chromium shows no console error, every poster, the seen marks,
# the stars and the tags, filters as one types (accents ignored), by seen
# and by tag, and sorts by year; a hostile title or tag stays text; the CSV
# reads back field for field, every key of show --json, with Python's csv
# module. The screenshots are of the grid, the table and the page as printed.
#
#   tools/check-catalogue.sh [BUILD] [--screenshot FILE] [--table-screenshot FILE] [--print-screenshot FILE]
#   BUILD: build by default
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/deps.sh
install_missing_packages chromium chromium-driver python3-selenium

build=build
screenshot= table= printed=
while [ $# -gt 0 ]; do
    case $1 in
    --screenshot) screenshot=$(realpath -m "$2"); shift 2 ;;
    --table-screenshot) table=$(realpath -m "$2"); shift 2 ;;
    --print-screenshot) printed=$(realpath -m "$2"); shift 2 ;;
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
# without poster, one whose title, director and tag are markup, one whose
# values are formulas, one whose title is a single long word; seen or not,
# rated, tagged, one in exact Cyrillic with every field of its own.
samples=resources/samples
"$tool" poster $samples/le-phare-des-brumes.cfh "$work/phare.jpg"
"$tool" poster $samples/la-longue-traversee.cfh "$work/traversee.jpg"
"$tool" new titre='Élan vital' annee=1999 heures=1 minutes=40 type=Comédie realisateur='Étienne Roux' \
    acteurs='Anaïs Morel|Jean Dupont' vu_le=2024-01-03 note=7 etiquettes='comédie,préférés' \
    --poster "$work/phare.jpg" "$films/elan.cfh"
"$tool" new titre='Zéro de conduite' annee=1933 type=Drame vu=oui note=10 etiquettes=classique \
    --poster "$work/traversee.jpg" "$films/Drames/zero"
"$tool" new titre='<script>alert(1)</script>' annee=2005 realisateur='"><img src=x onerror=alert(2)>' \
    etiquettes='<b>gras</b>' --poster "$work/traversee.jpg" "$films/piege.cfh"
"$tool" new titre='Андрей Рублёв' titre_original='Андрей Рублёв' titre_tri='Andreï Roublev' saga='Aucune' \
    annee=1966 heures=3 minutes=25 type=Drame pays='URSS' realisateur='Андрей Тарковский' \
    acteurs='Анатолий Солоницын|Иван Лапиков' resume=$'Le moine peintre d\'icônes.\nLa Russie du XVe siècle.' \
    vu_le=2023-11-02,2025-03-05 note=9 etiquettes='classique,russe' pret_a=Paul pret_le=2025-06-01 \
    support=DVD emplacement='Étagère 2' imdb=tt0060107 tmdb=895 notes=$'Version longue\nsous-titrée' \
    --poster "$work/phare.jpg" "$films/roublev.cfh"
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

/usr/bin/python3 - "$work" "$screenshot" "$table" "$printed" <<'PYTHON'   # Debian's, with its selenium
import csv, json, re, sys
from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import Select

work, screenshot, table_shot, print_shot = sys.argv[1:5]
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
    reader = csv.DictReader(table, delimiter=";")
    rows = [{key: unguarded(cell) for key, cell in row.items()} for row in reader]
    header = reader.fieldnames
formulas = open(work + "/catalogue.csv", encoding="utf-8").read()
check(";\"'=HYPERLINK(" in formulas and ";'-2+3;" in formulas, "CSV : aucune formule pour un tableur")
first = ["fichier", "titre", "annee", "heures", "minutes", "type", "realisateur", "acteurs", "resume", "affiche"]
some = next(iter(cards.values()))
check(header[:len(first)] == first and sorted(header) == sorted(some),
      "CSV : les colonnes d'avant, puis les autres clés de show --json (%s)" % header[len(first):])
# A flag is "oui" or blank, a list joined by " | ", lines end as the CSV's.
def cell(key, value):
    if key == "affiche":
        return (value or {}).get("format") or ""
    if value is None or value is False:
        return ""
    if value is True:
        return "oui"
    if isinstance(value, list):
        return " | ".join(value)
    return str(value).replace("\n", "\r\n")
expected = lambda card: {key: cell(key, card[key]) for key in header}
check(len(rows) == len(cards) == 8, "CSV : une ligne par fiche (%d)" % len(rows))
wrong = [row["fichier"] for row in rows if row != expected(cards[row["fichier"]])]
check(not wrong, "CSV : relu champ pour champ par le module csv %s" % wrong)

options = webdriver.ChromeOptions()
options.binary_location = "/usr/bin/chromium"
for argument in ("--headless=new", "--no-sandbox", "--disable-background-networking",
                 "--disable-component-update", "--disable-sync", "--no-first-run", "--disable-gpu",
                 "--window-size=1280,1000", "--force-prefers-color-scheme=light"):
    options.add_argument(argument)
options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
try:
    driver.get("file://" + work + "/catalogue.html")
    titles = lambda: driver.execute_script(
        "return Array.from(document.querySelectorAll('#fiches tbody tr'))"
        ".filter(r => !r.hidden).map(r => r.querySelector('td.titre').textContent)")
    posters = driver.execute_script("return Array.from(document.images, i => i.complete && i.naturalWidth)")
    check(len(posters) == 6 and all(posters), "chaque affiche est montrée (%s)" % posters)
    check("<script>alert(1)</script>" in titles(), "le titre piégé reste du texte")
    spilled = driver.execute_script(
        "const column = parseFloat(getComputedStyle(document.querySelector('#fiches tbody')).gridTemplateColumns);"
        "return Array.from(document.querySelectorAll('#fiches tbody td.titre'))"
        ".filter(c => c.scrollWidth > column + 1).map(c => c.textContent)")
    check(not spilled, "un long titre revient à la ligne dans sa case : %s" % spilled)

    # The marks of the grid's tiles, as seen: the lit part of the stars
    # is the rating's share of the five.
    seen = driver.execute_script(
        "return Array.from(document.querySelectorAll('#fiches tbody td.vu'))"
        ".filter(c => c.offsetHeight > 0 && c.textContent).length")
    check(seen == 3, "la marque « vu » de chaque fiche vue, dans la grille (%d)" % seen)
    lit = driver.execute_script(
        "return Array.from(document.querySelectorAll('.etoiles'), s => [s.className,"
        " Math.round(100 * parseFloat(getComputedStyle(s, '::before').width) / s.getBoundingClientRect().width)])")
    check(sorted(lit) == [["etoiles n10", 100], ["etoiles n7", 70], ["etoiles n9", 90]],
          "les étoiles allumées selon la note : %s" % lit)
    check("<b>gras</b>" in driver.execute_script(
        "return Array.from(document.querySelectorAll('button.etiquette'), b => b.textContent)"),
        "l'étiquette piégée reste du texte")

    box = driver.find_element(By.ID, "recherche")
    box.send_keys("elan")
    check(titles() == ["Élan vital"], "la recherche « elan » filtre : %s" % titles())
    box.clear()
    box.send_keys("ZERO drame")
    check(titles() == ["Zéro de conduite"], "deux mots, majuscules : %s" % titles())
    driver.execute_script("const b = document.getElementById('recherche'); b.value = '';"
                          "b.dispatchEvent(new Event('input'));")

    seen_filter = Select(driver.find_element(By.ID, "filtre-vu"))
    tag_filter = Select(driver.find_element(By.ID, "filtre-etiquette"))
    choices = [option.text for option in tag_filter.options]
    check(choices == ["Toutes les étiquettes", "<b>gras</b>", "classique", "comédie", "préférés", "russe"],
          "chaque étiquette une fois, dans l'ordre français : %s" % choices)
    seen_filter.select_by_value("1")
    check(sorted(titles()) == ["Zéro de conduite", "Élan vital", "Андрей Рублёв"], "les fiches vues : %s" % titles())
    seen_filter.select_by_value("0")
    check(len(titles()) == 5 and "Élan vital" not in titles(), "les fiches pas vues : %s" % titles())
    seen_filter.select_by_value("")
    tag_filter.select_by_visible_text("classique")
    check(sorted(titles()) == ["Zéro de conduite", "Андрей Рублёв"], "l'étiquette « classique » : %s" % titles())
    seen_filter.select_by_value("0")
    check(titles() == [], "pas vues et « classique » : aucune (%s)" % titles())
    seen_filter.select_by_value("")
    driver.execute_script("Array.from(document.querySelectorAll('#fiches tbody tr'))"
                          ".find(r => r.querySelector('td.titre').textContent === 'Élan vital')"
                          ".querySelector('button.etiquette').click()")
    check(titles() == ["Élan vital"] and tag_filter.first_selected_option.text == "comédie",
          "un clic sur une étiquette montre les fiches qui la portent : %s" % titles())
    count = driver.find_element(By.ID, "compte").text
    check(count == "1 sur 8 fiches", "le compte dit ce qui est montré : %s" % count)
    if screenshot:
        tag_filter.select_by_value("")
        driver.set_window_size(1100, 900)
        driver.save_screenshot(screenshot)
    tag_filter.select_by_value("")

    driver.find_element(By.ID, "vue-tableau").click()
    year = driver.find_element(By.CSS_SELECTOR, "button[data-colonne='annee']")
    years = lambda: driver.execute_script(
        "return Array.from(document.querySelectorAll('#fiches tbody td.annee'), c => c.textContent)")
    year.click()
    check(years() == ["1933", "1950", "1966", "1998", "1999", "2004", "2005", "2010"], "tri par année : %s" % years())
    year.click()
    check(years() == ["2010", "2005", "2004", "1999", "1998", "1966", "1950", "1933"], "tri inverse : %s" % years())
    notes = lambda: driver.execute_script(
        "return Array.from(document.querySelectorAll('#fiches tbody td.note'), c => c.dataset.tri)")
    driver.find_element(By.CSS_SELECTOR, "button[data-colonne='note']").click()
    driver.find_element(By.CSS_SELECTOR, "button[data-colonne='note']").click()
    check(notes()[:3] == ["10", "9", "7"] and not any(notes()[3:]),
          "tri par note, les fiches sans note à la fin : %s" % notes())
    if table_shot:
        driver.set_window_size(1800, 1000)
        driver.save_screenshot(table_shot)

    errors = [entry["message"] for entry in driver.get_log("browser") if entry["level"] == "SEVERE"]
    check(not errors, "aucune erreur dans la console %s" % errors)
    if print_shot:
        driver.find_element(By.ID, "vue-affiches").click()
        driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"media": "print"})
        driver.set_window_size(800, 1400)
        driver.save_screenshot(print_shot)
finally:
    driver.quit()
sys.exit(1 if failures else 0)
PYTHON
