#include "collectionwindow/exchangerows.h"

#include "collectionwindow/fieldlabels.h"
#include "desktop/messages.h"
#include "exchange/tableimport.h"
#include "texts/texts.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <array>

namespace {

QString movieText(const HistoryEntry &movie)
{
    return movie.year == 0 ? movie.title
                           : textOf(Text::MovieYear).arg(movie.title, QString::number(movie.year));
}

QString cardsText(const QStringList &cards, const QString &root)
{
    QStringList relative;
    for (const QString &card : cards)
        relative << QDir(root).relativeFilePath(card);
    return relative.join(QStringLiteral(", "));
}

// What a card gains, a field after the other: "Vu : oui ; Note : 9".
QString gainsText(const HistoryGains &gains)
{
    QStringList changes;
    for (const CardEdit &edit : gains.edits) {
        const QString value = holdsList(edit.field) ? edit.list.join(QStringLiteral(", ")) : edit.text;
        changes << textOf(Text::OutcomeCount).arg(fieldLabel(edit.field), value);
    }
    if (gains.keptRating != 0)
        changes << textOf(Text::RatingKept).arg(gains.keptRating).arg(gains.cardRating);
    return changes.join(QStringLiteral(" ; "));
}

QString leftOutText(const ImportedMovie &movie)
{
    QStringList notes;
    for (const FieldProblem &problem : movie.refused)
        notes << textOf(Text::ValueLeftOut).arg(fieldLabel(problem.field), problem.value);
    static constexpr std::array<Text, 3> kPosterLeft { Text::PosterMissing, Text::PosterOutOfFolder,
        Text::PosterNotPicture };
    if (movie.posterLeft != ImportedMovie::PosterLeft::None)
        notes << textOf(kPosterLeft[size_t(movie.posterLeft) - 1]).arg(movie.posterName);
    return notes.join(QStringLiteral(" ; "));
}

QString catalogueRefusal(const QString &file, const CatalogueRead &read)
{
    switch (read.status) {
    case CatalogueRead::Status::Ok:
        return {};
    case CatalogueRead::Status::Unreadable:
        return textOf(Text::ReadFailed) + u'\r' + file;
    case CatalogueRead::Status::TooLarge:
        return textOf(Text::ExchangeTooLarge);
    case CatalogueRead::Status::ZipTooLarge:
    case CatalogueRead::Status::ZipDamaged:
        return textOf(Text::ZipRefused);
    case CatalogueRead::Status::NotCatalogue:
        return textOf(Text::NotCollection);
    case CatalogueRead::Status::XmlUnreadable:
        return textOf(Text::XmlUnreadable).arg(read.line).arg(read.error);
    case CatalogueRead::Status::XmlEntities:
        return textOf(Text::XmlEntities);
    case CatalogueRead::Status::XmlTooDeep:
        return textOf(Text::XmlTooDeep);
    }
    return {};
}

CollectionImported importCatalogue(const QString &file, ImportSource source, CardsImport &cards,
    const std::atomic<bool> &cancel, const std::function<void(const ExchangeRow &, int)> &onRow)
{
    const CatalogueRead read = source == ImportSource::Tellico ? readTellico(file) : readGcstar(file);
    if (read.status != CatalogueRead::Status::Ok)
        return { .refusal = catalogueRefusal(file, read) };
    for (qsizetype i = 0; i < read.movies.size() && !cancel; ++i) {
        const ImportedMovie &movie = read.movies[i];
        onRow(importedRow(movie, cards.write(movie)), int((i + 1) * 1000 / read.movies.size()));
    }
    return { .leftOut
        = read.leftOut.isEmpty() ? QString() : textOf(Text::FieldsLeftOut).arg(read.leftOut.join(u", ")) };
}

CollectionImported importTable(const QString &file, CardsImport &cards, const std::atomic<bool> &cancel,
    const std::function<void(const ExchangeRow &, int)> &onRow)
{
    QFile in;
    switch (openExchangeFile(in, file)) {
    case ExchangeFileStatus::Unreadable:
        return { .refusal = textOf(Text::ReadFailed) + u'\r' + file };
    case ExchangeFileStatus::TooLarge:
        return { .refusal = textOf(Text::ExchangeTooLarge) };
    case ExchangeFileStatus::Ok:
        break;
    }
    TableImport table(in);
    if (!table.hasTitle())
        return { .refusal = textOf(Text::TableWithoutTitle) };
    const qint64 size = std::max<qint64>(1, in.size());
    while (!cancel) {
        const auto row = table.next();
        if (!row)
            break;
        const int permille = int(std::min<qint64>(1000, in.pos() * 1000 / size));
        if (const auto *movie = std::get_if<ImportedMovie>(&*row)) {
            onRow(importedRow(*movie, cards.write(*movie)), permille);
        } else {
            SkippedRow skipped = std::get<SkippedRow>(*row);
            skipped.file = file;
            onRow(skippedRow(skipped), permille);
        }
    }
    if (table.readFailed())
        return { .refusal = textOf(Text::ReadFailed) + u'\r' + file };
    const QStringList leftOut = table.columnsLeftOut();
    return { .leftOut
        = leftOut.isEmpty() ? QString() : textOf(Text::FieldsLeftOut).arg(leftOut.join(u", ")) };
}

}   // namespace

QString kindText(ExchangeRow::Kind kind)
{
    static constexpr std::array<Text, kExchangeKinds> kKinds { Text::ChangedOutcome, Text::UpToDateOutcome,
        Text::AmbiguousOutcome, Text::NotFoundOutcome, Text::WrittenOutcome, Text::KeptOutcome,
        Text::FailedOutcome, Text::SkippedOutcome };
    return textOf(kKinds[size_t(kind)]);
}

ExchangeRow historyRow(const HistoryMatch &match, const QString &root)
{
    ExchangeRow row { .kind = ExchangeRow::Kind(match.outcome),
        .movie = movieText(match.movie),
        .cards = cardsText(match.cards, root),
        .details = gainsText(match.gains) };
    QStringList others;
    for (const HistoryEntry &other : match.others)
        others << movieText(other);
    if (!others.isEmpty())
        row.details = textOf(Text::AlsoFoundBy).arg(others.join(QStringLiteral(", ")));
    return row;
}

ExchangeRow skippedRow(const SkippedRow &row)
{
    static constexpr std::array<Text, 6> kCauses { Text::RowUnreadable, Text::RowWithoutTitle,
        Text::RowBadYear, Text::RowBadRating, Text::RowBadDate, Text::RowBadIdentifier };
    const QString cause = textOf(kCauses[size_t(row.cause)]);
    return { .kind = ExchangeRow::Kind::Skipped,
        .movie = textOf(Text::MovieLine).arg(QFileInfo(row.file).fileName()).arg(row.line),
        .details = cause.contains(u"%1") ? cause.arg(row.value) : cause };
}

ExchangeRow importedRow(const ImportedMovie &movie, const ImportedCard &card)
{
    static constexpr std::array<ExchangeRow::Kind, 3> kKinds { ExchangeRow::Kind::Written,
        ExchangeRow::Kind::Kept, ExchangeRow::Kind::Failed };
    const QString year = cardValues(movie.card).text(Field::Annee);
    return { .kind = kKinds[size_t(card.outcome)],
        .movie = year.isEmpty() ? movie.title() : textOf(Text::MovieYear).arg(movie.title(), year),
        .cards = QFileInfo(card.path).fileName(),
        .details = card.outcome == ImportedCard::Outcome::Failed ? saveFailureText(card.saved.status)
            : card.outcome == ImportedCard::Outcome::Written     ? leftOutText(movie)
                                                                 : QString() };
}

QString historyRefusal(const HistoryRead &refused)
{
    switch (refused.status) {
    case HistoryRead::Status::Ok:
        return {};
    case HistoryRead::Status::Unreadable:
        return textOf(Text::ReadFailed) + u'\r' + refused.place;
    case HistoryRead::Status::TooLarge:
        return textOf(Text::ExchangeTooLarge);
    case HistoryRead::Status::NotHistory:
        return textOf(Text::NotHistory).arg(refused.place);
    case HistoryRead::Status::ZipTooLarge:
    case HistoryRead::Status::ZipDamaged:
        return textOf(Text::ZipRefused);
    }
    return {};
}

CollectionImported importMovies(const QString &file, const QString &folder, const std::atomic<bool> &cancel,
    const std::function<void(const ExchangeRow &row, int permille)> &onRow)
{
    CardsImport cards(folder, false);
    const ImportSource source = importSourceOf(file).value_or(ImportSource::Table);
    if (source == ImportSource::Table)
        return importTable(file, cards, cancel, onRow);
    return importCatalogue(file, source, cards, cancel, onRow);
}
