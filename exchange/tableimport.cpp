#include "exchange/tableimport.h"

#include "collection/cataloguecsv.h"
#include "collection/csvreader.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// The English names spreadsheets and other programs give their columns.
struct EnglishColumn {
    QStringView name;
    Field field;
};
constexpr EnglishColumn kEnglishColumns[] = {
    { u"title", Field::Titre },
    { u"original title", Field::TitreOriginal },
    { u"year", Field::Annee },
    { u"director", Field::Realisateur },
    { u"directors", Field::Realisateur },
    { u"genre", Field::Type },
    { u"genres", Field::Type },
    { u"cast", Field::Acteurs },
    { u"actors", Field::Acteurs },
    { u"plot", Field::Resume },
};

// Our own list cells are joined by " | "; items of one line stay whole.
QStringList itemsOf(const QString &cell)
{
    QStringList items;
    for (const QString &item : cell.split(u'|'))
        items << item.trimmed();
    return items;
}

}   // namespace

TableImport::TableImport(QIODevice &in) : m_reader(std::make_unique<CsvReader>(in))
{
    readHeader();
}

TableImport::~TableImport() = default;

void TableImport::readHeader()
{
    const auto header = m_reader->next();
    for (const QString &cell : header ? header->cells : QStringList()) {
        const QString name = cell.trimmed().toCaseFolded();
        Column column;
        const auto english = std::find_if(std::begin(kEnglishColumns), std::end(kEnglishColumns),
            [&](const EnglishColumn &c) { return c.name == name; });
        if (const auto field = fieldNamed(name)) {
            column = { Holds::Field, *field };
        } else if (english != std::end(kEnglishColumns)) {
            const bool names = english->field == Field::Acteurs;
            column = { names ? Holds::NamesByCommas : Holds::Field, english->field };
        } else if (name == u"runtime" || name == u"runtime (mins)") {
            column = { Holds::RunningTime, Field::Heures };
        } else if (name != u"fichier" && name != u"affiche" && !name.isEmpty()) {
            m_leftOut << cell.trimmed();   // the catalogue's file and poster columns name no value
        }
        m_columns << column;
    }
}

bool TableImport::hasTitle() const
{
    return std::any_of(m_columns.begin(), m_columns.end(),
        [](const Column &c) { return c.holds != Holds::Nothing && c.field == Field::Titre; });
}

bool TableImport::readFailed() const
{
    return m_reader->readFailed();
}

void TableImport::put(ImportedMovie &movie, const Column &column, const QString &cell) const
{
    const QString value = unguardedCell(cell);
    switch (column.holds) {
    case Holds::Nothing:
        break;
    case Holds::RunningTime:
        setRunningTime(movie, minutesOf(value));
        break;
    case Holds::NamesByCommas:
        movie.add(Field::Acteurs, value.contains(u'|') ? itemsOf(value) : value.split(u','));
        break;
    case Holds::Field:
        if (holdsList(column.field))
            movie.add(column.field, itemsOf(value));
        else
            movie.set(
                column.field, holdsLines(column.field) ? QString(value).replace(u"\r\n"_s, u"\n"_s) : value);
        break;
    }
}

std::optional<std::variant<ImportedMovie, SkippedRow>> TableImport::next()
{
    const auto row = m_reader->next();
    if (!row)
        return std::nullopt;
    if (row->broken || row->cells.size() > m_columns.size())
        return SkippedRow { .line = row->line, .cause = SkippedRow::Cause::Unreadable };
    ImportedMovie movie { .line = row->line };
    // The catalogue's own table says when each card was added, blank for none.
    movie.datedBySource = std::any_of(m_columns.begin(), m_columns.end(),
        [](const Column &c) { return c.holds == Holds::Field && c.field == Field::AjouteeLe; });
    for (qsizetype i = 0; i < row->cells.size(); ++i)
        put(movie, m_columns[i], row->cells[i]);
    if (movie.title().isEmpty())
        return SkippedRow { .line = row->line, .cause = SkippedRow::Cause::NoTitle };
    return movie;
}
