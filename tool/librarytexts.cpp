#include "tool/tooltexts.h"

namespace {

// "1 fiche écrite", "0 fiche écrite", "3 fiches écrites": French counts
// take the plural from two on.
QString counted(qsizetype count, Say one, Say many)
{
    return QStringLiteral("%1 %2").arg(QString::number(count), toolText(count < 2 ? one : many));
}

}   // namespace

QString ToolText::nfoMark(const WrittenPoster &poster)
{
    const QString mark = say(Say::NfoMark, kNfoMarkWord);
    if (poster.bytes < 0)
        return mark;
    return mark + say(Say::NfoMarkPoster, poster.bytes, poster.inode, poster.modifiedNs);
}

QString ToolText::nfoNote(const QString &nfoPath, const QString &note)
{
    return nfoPath + QStringLiteral(" : ") + note;
}

QString ToolText::nfoCount(qsizetype written, qsizetype kept, qsizetype failed)
{
    return say(Say::NfoCount, counted(written, Say::NfoWrittenOne, Say::NfoWrittenMany),
        counted(kept, Say::NfoKeptOne, Say::NfoKeptMany), counted(failed, Say::Failed, Say::Failed));
}

QString ToolText::cardImported(const QString &card, const QString &nfo, const QString &poster, bool dryRun)
{
    QString text = say(dryRun ? Say::CardToWriteFrom : Say::CardWrittenFrom, card, nfo);
    if (!poster.isEmpty())
        text += say(Say::WithPosterNamed, poster);
    return text;
}

QString ToolText::importCount(
    qsizetype written, qsizetype kept, qsizetype failed, qsizetype withoutNfo, bool dryRun)
{
    const QString done = dryRun ? counted(written, Say::CardToWriteOne, Say::CardToWriteMany)
                                : counted(written, Say::CardWrittenOne, Say::CardWrittenMany);
    QString text = say(dryRun ? Say::ImportTrialCount : Say::ImportCount, done,
        counted(kept, Say::CardKeptOne, Say::CardKeptMany), counted(failed, Say::Failed, Say::Failed));
    if (withoutNfo > 0)
        text += say(Say::WithoutNfo, counted(withoutNfo, Say::MovieWithoutNfoOne, Say::MovieWithoutNfoMany));
    return text;
}

QString ToolText::importProgress(qsizetype movies)
{
    return say(Say::ImportProgress, counted(movies, Say::MovieSeenOne, Say::MovieSeenMany));
}
