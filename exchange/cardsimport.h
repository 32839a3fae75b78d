#pragma once
// The cards of a spreadsheet or of another catalogue written into one
// folder, as the card tool's import and the collection window make them:
// each named after its title, a card standing there kept unless forced.

#include "card/cardsave.h"
#include "exchange/importedmovie.h"

#include <optional>

enum class ImportSource { Table, Tellico, Gcstar };

// The source a file's extension names: .tc Tellico, .gcs GCstar, .csv,
// .tsv and .txt a spreadsheet; nullopt for another.
std::optional<ImportSource> importSourceOf(const QString &path);

// What became of one movie.
struct ImportedCard {
    enum class Outcome { Written, Kept, Failed };
    Outcome outcome = Outcome::Written;
    QString path {};
    SaveResult saved {};   // Failed: why
};

class CardsImport {
public:
    // With force, a card (or a link) standing at a card's path is replaced;
    // without, it is kept. A dry run writes nothing.
    CardsImport(const QString &folder, bool force, bool dryRun = false);
    ImportedCard write(const ImportedMovie &movie);

private:
    QString m_folder;
    bool m_force, m_dryRun;
    CardNames m_names;
};
