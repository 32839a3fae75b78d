#include "exchange/cardsimport.h"

#include "card/nativepath.h"

#include <QFileInfo>

#include <sys/stat.h>

namespace {

bool anythingAt(const QString &path)
{
    struct stat info { };
    return ::stat(nativePath(path).constData(), &info) == 0;
}

}   // namespace

std::optional<ImportSource> importSourceOf(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"tc")
        return ImportSource::Tellico;
    if (suffix == u"gcs")
        return ImportSource::Gcstar;
    if (suffix == u"csv" || suffix == u"tsv" || suffix == u"txt")
        return ImportSource::Table;
    return std::nullopt;
}

CardsImport::CardsImport(const QString &folder, bool force, bool dryRun)
    : m_folder(folder), m_force(force), m_dryRun(dryRun)
{
}

ImportedCard CardsImport::write(const ImportedMovie &movie)
{
    ImportedCard made { .path
        = m_folder + u'/' + m_names.nameFor(movie.title(), cardValues(movie.card).text(Field::Annee)) };
    if (anythingAt(made.path) && !m_force) {
        made.outcome = ImportedCard::Outcome::Kept;
        return made;
    }
    if (m_dryRun)
        return made;
    made.saved = writeImportedCard(made.path, movie.card, movie.poster,
        m_force ? LinkAtPath::Replace : LinkAtPath::Refuse,
        movie.datedBySource ? Dating::AsGiven : Dating::WhenUndated);
    if (!made.saved.ok())
        made.outcome = ImportedCard::Outcome::Failed;
    return made;
}
