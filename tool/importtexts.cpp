#include "tool/tooltexts.h"

namespace {

QString rowPlace(const QString &file, qint64 line)
{
    return say(Say::RowPlace, file, line);
}

}   // namespace

QString ToolText::cardImportedFrom(
    const QString &card, const QString &file, qint64 line, bool poster, bool dryRun)
{
    return say(dryRun ? Say::CardToWriteFrom : Say::CardWrittenFrom, card, rowPlace(file, line))
        + (poster ? toolText(Say::WithItsPoster) : QString());
}

QString ToolText::valueLeftOut(const QString &file, qint64 line, const FieldProblem &problem)
{
    return say(Say::ValueLeftOut, rowPlace(file, line), fieldProblem(problem));
}

QString ToolText::posterLeftOut(
    const QString &file, qint64 line, const QString &picture, ImportedMovie::PosterLeft why)
{
    Say cause = Say::PosterNotFound;
    if (why == ImportedMovie::PosterLeft::OutOfFolder)
        cause = Say::PosterOutOfFolder;
    else if (why == ImportedMovie::PosterLeft::NotPicture)
        cause = Say::PosterNotPicture;
    return say(Say::PosterLeftOut, rowPlace(file, line), picture, toolText(cause));
}

QString ToolText::columnsLeftOut(const QString &file, const QStringList &columns)
{
    return say(Say::ColumnsLeftOut, file, columns.join(QStringLiteral(", ")));
}

QString ToolText::fieldsLeftOut(const QString &file, const QStringList &fields)
{
    return say(Say::FieldsLeftOut, file, fields.join(QStringLiteral(", ")));
}

QString ToolText::catalogueRefused(const QString &file, const CatalogueRead &read)
{
    switch (read.status) {
    case CatalogueRead::Status::TooLarge:
        return historyRefused(file, HistoryRead::Status::TooLarge);
    case CatalogueRead::Status::ZipTooLarge:
        return historyRefused(file, HistoryRead::Status::ZipTooLarge);
    case CatalogueRead::Status::ZipDamaged:
        return historyRefused(file, HistoryRead::Status::ZipDamaged);
    case CatalogueRead::Status::NotCatalogue:
        return say(Say::NotCatalogue, file);
    case CatalogueRead::Status::XmlUnreadable:
        return say(Say::XmlUnreadable, rowPlace(file, read.line), read.error);
    case CatalogueRead::Status::XmlEntities:
        return say(Say::XmlEntities, rowPlace(file, read.line));
    case CatalogueRead::Status::XmlTooDeep:
        return say(Say::XmlTooDeep, rowPlace(file, read.line), kMostXmlNesting);
    case CatalogueRead::Status::Ok:
    case CatalogueRead::Status::Unreadable:
        break;
    }
    return say(Say::Unreadable, file);
}
