#include "tool/fileimport.h"
#include "tool/commandline.h"
#include "tool/nfocards.h"
#include "tool/tooltexts.h"

#include "exchange/catalogueimport.h"
#include "exchange/exchangefile.h"
#include "exchange/tableimport.h"

namespace {

// Writes the cards one file gives into a folder, a line each, then the count.
class FileImport {
public:
    FileImport(ToolIo &io, const QString &file, const QString &folder, bool dryRun, bool force)
        : m_io(io), m_file(file), m_dryRun(dryRun), m_cards(folder, force, dryRun)
    {
    }

    void movie(const ImportedMovie &movie)
    {
        const ImportedCard made = m_cards.write(movie);
        if (made.outcome == ImportedCard::Outcome::Kept) {
            printLine(m_io.out, say(Say::CardKept, made.path));
            ++m_kept;
            return;
        }
        if (made.outcome == ImportedCard::Outcome::Failed) {
            saveFailed(m_io, made.saved);
            ++m_failed;
            return;
        }
        for (const FieldProblem &problem : movie.refused)
            report(m_io, ToolText::valueLeftOut(m_file, movie.line, problem));
        if (movie.posterLeft != ImportedMovie::PosterLeft::None)
            report(m_io, ToolText::posterLeftOut(m_file, movie.line, movie.posterName, movie.posterLeft));
        const bool poster = movie.poster.kind != PosterChoice::Kind::Remove;
        printLine(m_io.out, ToolText::cardImportedFrom(made.path, m_file, movie.line, poster, m_dryRun));
        ++m_written;
    }

    void skipped(SkippedRow row)
    {
        row.file = m_file;
        report(m_io, ToolText::rowSkipped(row));
        ++m_failed;
    }

    int finish(int status)
    {
        printLine(m_io.out, ToolText::importCount(m_written, m_kept, m_failed, 0, m_dryRun));
        return m_failed > 0 ? ExitStatus::FileFailed : status;
    }

private:
    ToolIo &m_io;
    QString m_file;
    bool m_dryRun;
    CardsImport m_cards;
    qsizetype m_written = 0, m_kept = 0, m_failed = 0;
};

int importTable(ToolIo &io, QIODevice &in, FileImport &import, const QString &file)
{
    TableImport table(in);
    if (!table.hasTitle()) {
        report(io, say(Say::TableWithoutTitle, file));
        return ExitStatus::FileFailed;
    }
    if (!table.columnsLeftOut().isEmpty())
        report(io, ToolText::columnsLeftOut(file, table.columnsLeftOut()));
    while (const auto row = table.next()) {
        if (const auto *movie = std::get_if<ImportedMovie>(&*row))
            import.movie(*movie);
        else
            import.skipped(std::get<SkippedRow>(*row));
    }
    if (table.readFailed()) {
        report(io, say(Say::Unreadable, file));
        return import.finish(ExitStatus::FileFailed);
    }
    return import.finish(ExitStatus::Done);
}

int importCatalogue(ToolIo &io, ImportSource source, FileImport &import, const QString &file)
{
    const CatalogueRead read = source == ImportSource::Tellico ? readTellico(file) : readGcstar(file);
    if (read.status != CatalogueRead::Status::Ok) {
        report(io,
            read.status == CatalogueRead::Status::Unreadable ? unreadableFile(file)
                                                             : ToolText::catalogueRefused(file, read));
        return ExitStatus::FileFailed;
    }
    if (!read.leftOut.isEmpty())
        report(io, ToolText::fieldsLeftOut(file, read.leftOut));
    for (const ImportedMovie &movie : read.movies)
        import.movie(movie);
    return import.finish(ExitStatus::Done);
}

}   // namespace

int importFile(
    ToolIo &io, ImportSource source, const QString &file, const QString &folder, bool dryRun, bool force)
{
    if (!isFolder(folder)) {
        report(io, anythingAt(folder) ? say(Say::NotFolder, folder) : say(Say::Missing, folder));
        return ExitStatus::FileFailed;
    }
    FileImport import(io, file, folder, dryRun, force);
    if (source != ImportSource::Table)
        return importCatalogue(io, source, import, file);
    QFile in;
    switch (openExchangeFile(in, file)) {
    case ExchangeFileStatus::Unreadable:
        report(io, unreadableFile(file));
        return ExitStatus::FileFailed;
    case ExchangeFileStatus::TooLarge:
        report(io, ToolText::historyRefused(file, HistoryRead::Status::TooLarge));
        return ExitStatus::FileFailed;
    case ExchangeFileStatus::Ok:
        break;
    }
    return importTable(io, in, import, file);
}
