#include "tool/tooltexts.h"

namespace {

QString rowPlace(const QString &file, qint64 line)
{
    return QStringLiteral("%1, ligne %2").arg(file).arg(line);
}

}   // namespace

QString ToolText::cardImportedFrom(
    const QString &card, const QString &file, qint64 line, bool poster, bool dryRun)
{
    return card
        + (dryRun ? QStringLiteral(" : fiche à écrire d'après ") : QStringLiteral(" : fiche écrite d'après "))
        + rowPlace(file, line) + (poster ? QStringLiteral(", avec son affiche") : QString());
}

QString ToolText::valueLeftOut(const QString &file, qint64 line, const FieldProblem &problem)
{
    return rowPlace(file, line) + QStringLiteral(" : ") + fieldProblem(problem)
        + QStringLiteral(" ; laissé de côté");
}

QString ToolText::posterLeftOut(
    const QString &file, qint64 line, const QString &picture, ImportedMovie::PosterLeft why)
{
    QString cause;
    switch (why) {
    case ImportedMovie::PosterLeft::OutOfFolder:
        cause = QStringLiteral("hors du dossier du fichier (ou par un lien qui en sort), laissée de côté");
        break;
    case ImportedMovie::PosterLeft::NotPicture:
        cause = QStringLiteral("ce n'est pas une image qu'une fiche peut contenir, laissée de côté");
        break;
    case ImportedMovie::PosterLeft::Missing:
    case ImportedMovie::PosterLeft::None:
        cause = QStringLiteral("introuvable");
        break;
    }
    return rowPlace(file, line) + QStringLiteral(" : affiche « %1 » : ").arg(picture) + cause;
}

QString ToolText::columnsLeftOut(const QString &file, const QStringList &columns)
{
    return file + QStringLiteral(" : colonnes sans place dans une fiche, laissées de côté : ")
        + columns.join(QStringLiteral(", "));
}

QString ToolText::fieldsLeftOut(const QString &file, const QStringList &fields)
{
    return file + QStringLiteral(" : champs sans place dans une fiche, laissés de côté : ")
        + fields.join(QStringLiteral(", "));
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
        return file + QStringLiteral(" : ce n'est pas une collection de films de ce programme, refusé");
    case CatalogueRead::Status::XmlUnreadable:
        return rowPlace(file, read.line) + QStringLiteral(" : XML illisible (%1)").arg(read.error);
    case CatalogueRead::Status::XmlEntities:
        return rowPlace(file, read.line)
            + QStringLiteral(
                " : le XML déclare ou emploie des entités, refusé (elles peuvent grossir sans fin)");
    case CatalogueRead::Status::XmlTooDeep:
        return rowPlace(file, read.line)
            + QStringLiteral(" : XML imbriqué à plus de %1 niveaux, refusé").arg(kMostXmlNesting);
    case CatalogueRead::Status::Ok:
    case CatalogueRead::Status::Unreadable:
        break;
    }
    return say(Say::Unreadable, file);
}
