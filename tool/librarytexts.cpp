#include "tool/tooltexts.h"

namespace {

// "1 fiche écrite", "0 fiche écrite", "3 fiches écrites": French counts
// take the plural from two on.
QString counted(qsizetype count, const QString &one, const QString &many)
{
    return QStringLiteral("%1 %2").arg(count).arg(count < 2 ? one : many);
}

}   // namespace

QString ToolText::nfoMark(const WrittenPoster &poster)
{
    const QString mark
        = kNfoMarkWord + QStringLiteral(" : écrit d'après une fiche de Cinefiche, remplacé à chaque export");
    if (poster.bytes < 0)
        return mark;
    return mark
        + QStringLiteral(" ; affiche écrite à côté : %1 octets, inode %2, modifiée à %3 ns")
              .arg(poster.bytes)
              .arg(poster.inode)
              .arg(poster.modifiedNs);
}

QString ToolText::nfoNote(const QString &nfoPath, const QString &note)
{
    return nfoPath + QStringLiteral(" : ") + note;
}

QString ToolText::nfoCount(qsizetype written, qsizetype kept, qsizetype failed)
{
    return QStringLiteral("nfo : %1, %2, %3")
        .arg(counted(written, QStringLiteral(".nfo écrit"), QStringLiteral(".nfo écrits")),
            counted(kept, QStringLiteral("gardé"), QStringLiteral("gardés")),
            counted(failed, QStringLiteral("en échec"), QStringLiteral("en échec")));
}

QString ToolText::cardImported(const QString &card, const QString &nfo, const QString &poster, bool dryRun)
{
    QString text = card
        + (dryRun ? QStringLiteral(" : fiche à écrire d'après %1")
                  : QStringLiteral(" : fiche écrite d'après %1"))
              .arg(nfo);
    if (!poster.isEmpty())
        text += QStringLiteral(", affiche %1").arg(poster);
    return text;
}

QString ToolText::importCount(
    qsizetype written, qsizetype kept, qsizetype failed, qsizetype withoutNfo, bool dryRun)
{
    const QString done = dryRun
        ? counted(written, QStringLiteral("fiche à écrire"), QStringLiteral("fiches à écrire"))
        : counted(written, QStringLiteral("fiche écrite"), QStringLiteral("fiches écrites"));
    QString text
        = (dryRun ? QStringLiteral("import, essai sans rien écrire : ") : QStringLiteral("import : ")) + done
        + QStringLiteral(", ") + counted(kept, QStringLiteral("gardée"), QStringLiteral("gardées"))
        + QStringLiteral(", ") + counted(failed, QStringLiteral("en échec"), QStringLiteral("en échec"));
    if (withoutNfo > 0)
        text += QStringLiteral(" ; ")
            + counted(withoutNfo, QStringLiteral("film sans .nfo"), QStringLiteral("films sans .nfo"));
    return text;
}

QString ToolText::importProgress(qsizetype movies)
{
    return QStringLiteral("import : %1…")
        .arg(counted(movies, QStringLiteral("film vu"), QStringLiteral("films vus")));
}
