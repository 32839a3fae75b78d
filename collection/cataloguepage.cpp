#include "collection/cataloguehtml.h"

// The grid and the table are one table of one row a card: the grid shows
// each row as a tile, so a poster is embedded once.
QString catalogueStyle()
{
    return QStringLiteral(R"(
:root { color-scheme: light dark; font-family: "DejaVu Sans", "Liberation Sans", sans-serif; }
body { margin: 1em 2em; }
header { display: flex; flex-wrap: wrap; align-items: baseline; gap: .5em 1.5em; }
h1 { font-size: 1.5em; margin: 0; }
#recherche { font-size: 1em; padding: .3em .5em; min-width: 16em; }
#vues button, #filtres select { font: inherit; }
#filtres { display: flex; gap: .5em; margin: 0; }
#vues button[aria-pressed="true"] { font-weight: bold; }
table { border-collapse: collapse; width: 100%; margin-top: 1em; }
th, td { text-align: left; vertical-align: top; padding: .3em .5em; border-bottom: 1px solid #8884; }
th button { font: inherit; font-weight: bold; background: none; border: none; padding: 0; color: inherit; cursor: pointer; }
th[aria-sort="ascending"] button::after { content: " ▲"; }
th[aria-sort="descending"] button::after { content: " ▼"; }
td.affiche img { width: 64px; height: auto; }
td.resume { white-space: pre-line; max-width: 30em; }
td.fichier { font-size: .8em; word-break: break-all; }
td.vu, td.note { white-space: nowrap; }
.vu-marque { color: #2e8b3e; font-weight: bold; }
.etoiles { position: relative; display: inline-block; color: #8889; }
.etoiles::before { content: "★★★★★"; position: absolute; left: 0; overflow: hidden; color: #e0a000; }
.n1::before { width: 10%; } .n2::before { width: 20%; } .n3::before { width: 30%; } .n4::before { width: 40%; }
.n5::before { width: 50%; } .n6::before { width: 60%; } .n7::before { width: 70%; } .n8::before { width: 80%; }
.n9::before { width: 90%; } .n10::before { width: 100%; }
.sur-dix { font-size: .8em; color: #888; }
button.etiquette { font: inherit; font-size: .8em; color: inherit; background: #8882; border: 1px solid #8886; border-radius: 1em; padding: 0 .6em; margin: .1em 0; cursor: pointer; }
.sans { display: inline-block; width: 64px; color: #888; font-size: .8em; }
tr[hidden] { display: none !important; }
table.affiches, table.affiches thead { display: block; }
table.affiches thead tr { display: flex; flex-wrap: wrap; gap: .2em 1em; }
table.affiches th { border: none; padding: 0; }
table.affiches th.affiche { display: none; }
table.affiches tbody { display: grid; grid-template-columns: repeat(auto-fill, minmax(180px, 1fr)); gap: 1.5em 1em; margin-top: 1em; }
table.affiches tbody tr { display: flex; flex-wrap: wrap; align-content: flex-start; column-gap: .6em; }
table.affiches td { display: none; border: none; padding: 0; }
table.affiches td.affiche, table.affiches td.titre, table.affiches td.annee, table.affiches td.etiquettes { display: block; flex-basis: 100%; }
table.affiches td.vu, table.affiches td.note { display: block; }
table.affiches td.affiche img { width: 100%; max-width: 256px; height: auto; }
table.affiches td.affiche .sans { display: flex; width: 100%; aspect-ratio: 2 / 3; align-items: center; justify-content: center; border: 1px dashed #888; }
table.affiches td.titre { font-weight: bold; margin-top: .3em; }
td.titre { overflow-wrap: anywhere; }
@media print {
  #recherche, #vues, #filtres, thead { display: none !important; }
  body { margin: 0; }
  table, table.affiches, tbody, table.affiches tbody { display: block; }
  tbody tr, table.affiches tbody tr { display: grid; grid-template-columns: 7em 1fr; column-gap: 1em; padding: .5em 0; border-bottom: 1px solid #888; break-inside: avoid; page-break-inside: avoid; }
  td, table.affiches td { display: block; border: none; padding: 0; }
  td.affiche { grid-row: 1 / span 12; }
  button.etiquette { background: none; }
  td.affiche img, table.affiches td.affiche img { width: 7em; height: auto; break-inside: avoid; }
}
)");
}

// Search, filters by seen and by tag, sort and views; it fetches nothing
// and writes text only as text.
QString catalogueScript()
{
    return QStringLiteral(R"(
"use strict";
(function () {
  const table = document.getElementById("fiches");
  const body = table.tBodies[0];
  const rows = Array.from(body.rows);
  const search = document.getElementById("recherche");
  const seenFilter = document.getElementById("filtre-vu");
  const tagFilter = document.getElementById("filtre-etiquette");
  const count = document.getElementById("compte");
  const fold = (text) => text.normalize("NFD").replace(/\p{M}/gu, "").toLowerCase()
    .replace(/œ/g, "oe").replace(/æ/g, "ae");
  const texts = rows.map((row) => fold(Array.from(row.cells, (cell) => cell.textContent).join("\n")));
  const collator = new Intl.Collator("fr", { numeric: true });
  const seen = rows.map((row) => row.querySelector("td.vu").dataset.tri);
  const tags = rows.map((row) => Array.from(row.querySelectorAll("button.etiquette"), (tag) => tag.textContent));
  const columns = Array.from(table.tHead.rows[0].cells);
  let sortedBy = null;
  let ascending = true;

  function showCount() {
    const shown = rows.filter((row) => !row.hidden).length;
    const all = rows.length + (rows.length > 1 ? " fiches" : " fiche");
    count.textContent = shown === rows.length ? all : shown + " sur " + all;
  }

  // Every tag once, in French order, as the choices of its filter; a
  // filter that could only show every card or none is left out.
  function listFilters() {
    const all = Array.from(new Set(tags.flat())).sort(collator.compare);
    all.forEach((tag) => tagFilter.add(new Option(tag, tag)));
    tagFilter.hidden = all.length === 0;
    seenFilter.hidden = !seen.includes("1");
  }

  function filter() {
    const words = fold(search.value).split(/\s+/).filter(Boolean);
    const wantSeen = seenFilter.value, wantTag = tagFilter.value;
    rows.forEach((row, i) => {
      row.hidden = !(words.every((word) => texts[i].includes(word))
        && (!wantSeen || seen[i] === wantSeen) && (!wantTag || tags[i].includes(wantTag)));
    });
    showCount();
  }

  // Blank values go last whichever way the column is sorted.
  function sortBy(column) {
    ascending = sortedBy === column ? !ascending : true;
    sortedBy = column;
    const index = columns.findIndex((th) => th.classList.contains(column));
    const key = (row) => {
      const cell = row.cells[index];
      return cell.dataset.tri !== undefined ? cell.dataset.tri : cell.textContent;
    };
    const order = rows.slice().sort((a, b) => {
      const x = key(a), y = key(b);
      if (!x || !y) return (x ? 0 : 1) - (y ? 0 : 1);
      return (ascending ? 1 : -1) * collator.compare(x, y);
    });
    order.forEach((row) => body.appendChild(row));
    columns.forEach((th) => th.removeAttribute("aria-sort"));
    columns[index].setAttribute("aria-sort", ascending ? "ascending" : "descending");
  }

  function showAs(grid) {
    table.className = grid ? "affiches" : "tableau";
    document.getElementById("vue-affiches").setAttribute("aria-pressed", String(grid));
    document.getElementById("vue-tableau").setAttribute("aria-pressed", String(!grid));
  }

  table.tHead.addEventListener("click", (event) => {
    const button = event.target.closest("button[data-colonne]");
    if (button) sortBy(button.dataset.colonne);
  });
  body.addEventListener("click", (event) => {
    const tag = event.target.closest("button.etiquette");
    if (!tag) return;
    tagFilter.value = tag.textContent;
    filter();
  });
  search.addEventListener("input", filter);
  seenFilter.addEventListener("change", filter);
  tagFilter.addEventListener("change", filter);
  document.getElementById("vue-affiches").addEventListener("click", () => showAs(true));
  document.getElementById("vue-tableau").addEventListener("click", () => showAs(false));
  listFilters();
  showCount();
})();
)");
}
