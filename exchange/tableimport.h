#pragma once
// A spreadsheet's rows as cards: the catalogue's own columns (show --json's
// keys, as catalogue writes them), or the usual English ones (Title, Year,
// Director, Runtime, Genre, Cast, Plot, Original Title), as CsvReader reads
// them, a row at a time.

#include "exchange/historyexport.h"
#include "exchange/importedmovie.h"

#include <QIODevice>

#include <memory>
#include <variant>

class CsvReader;

class TableImport {
public:
    // in is open at the table's first byte, its header.
    explicit TableImport(QIODevice &in);
    ~TableImport();

    // Whether a column holds the title: without one, no row makes a card.
    bool hasTitle() const;
    // The columns no field takes, as the header names them: left out.
    QStringList columnsLeftOut() const { return m_leftOut; }
    // The next row as a movie, or why it is left out (unreadable, no
    // title); nullopt at the end.
    std::optional<std::variant<ImportedMovie, SkippedRow>> next();
    bool readFailed() const;

private:
    // What a column holds.
    enum class Holds { Nothing, Field, RunningTime, NamesByCommas };
    struct Column {
        Holds holds = Holds::Nothing;
        Field field = Field::Titre;
    };
    std::unique_ptr<CsvReader> m_reader;
    QList<Column> m_columns;
    QStringList m_leftOut;
    void readHeader();
    void put(ImportedMovie &movie, const Column &column, const QString &cell) const;
};
