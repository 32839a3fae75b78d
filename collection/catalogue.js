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
