#include "tool/tooltexts.h"

#include <QDate>
#include <QLocale>

#include <algorithm>

namespace {

struct Line {
    QString label, value;
};

// The labels end in one column, past the longest; continued lines (actors,
// the summary's paragraphs) start under the values.
QString linesText(const QList<Line> &lines)
{
    qsizetype width = 11;   // "Réalisateur": a card of the record alone is laid out as ever
    for (const Line &line : lines)
        width = std::max(width, line.label.size());
    const QString indent(width + 3, QLatin1Char(' '));
    QString text;
    for (const Line &line : lines) {
        text += line.label.leftJustified(width + 1) + QStringLiteral(": ");
        text += QString(line.value).replace(QLatin1Char('\n'), QLatin1Char('\n') + indent);
        text += QLatin1Char('\n');
    }
    return text;
}

QString duration(const CardValues &values)
{
    if (values.text(Field::Heures).isEmpty())
        return values.text(Field::Minutes).isEmpty() ? QString()
                                                     : say(Say::CardMinutes, values.text(Field::Minutes));
    return say(Say::CardHoursMinutes, values.text(Field::Heures), values.text(Field::Minutes));
}

QString posterText(qint64 bytes, const PosterInfo &picture)
{
    if (bytes == 0)
        return toolText(Say::PosterNone);
    if (picture.format.isEmpty())
        return say(Say::PosterUnreadable, bytes);
    return say(Say::PosterPicture, bytes, QString::fromLatin1(picture.format).toUpper(), picture.size.width(),
        picture.size.height());
}

// "1er janvier 2024", "9 décembre 2026 à 21:13:09"; a text that is no date as it stands.
QString frenchDate(const QString &iso)
{
    const QDate date = QDate::fromString(iso.left(10), Qt::ISODate);
    if (!date.isValid())
        return iso;
    const QString day = date.day() == 1 ? toolText(Say::FirstOfMonth) : QString::number(date.day());
    const QString time = iso.size() > 11 ? say(Say::AtTime, iso.mid(11)) : QString();
    return QStringLiteral("%1 %2 %3%4")
        .arg(day, QLocale(QLocale::French).monthName(date.month()), QString::number(date.year()), time);
}

// "oui, 3 fois, le 3 janvier 2024 et le 5 mars 2025"; blank when not seen.
QString seenText(const CardValues &values)
{
    if (values.isBlank(Field::Vu) && values.isBlank(Field::VuLe))
        return {};
    QStringList dates;
    for (const QString &date : values.list(Field::VuLe))
        dates << say(Say::SeenOn, frenchDate(date));
    const QString seen = values.isBlank(Field::VuFois) ? toolText(Say::SeenYes)
                                                       : say(Say::SeenTimes, values.text(Field::VuFois));
    if (dates.isEmpty())
        return seen;
    const QString last = dates.takeLast();
    return seen + QStringLiteral(", ")
        + (dates.isEmpty() ? last : say(Say::SeenDatesAnd, dates.join(QStringLiteral(", ")), last));
}

// Five stars, a half one for an odd rating: 7 is "★★★½☆ 7/10".
QString ratingText(const QString &rating)
{
    bool number = false;
    const int value = rating.toInt(&number);
    if (!number || value < 1 || value > 10)
        return rating;
    return QString(value / 2, QChar(u'★')) + (value % 2 ? QStringLiteral("½") : QString())
        + QString((10 - value) / 2, QChar(u'☆')) + QStringLiteral(" %1/10").arg(value);
}

// "Paul depuis le 9 décembre 2026".
QString loanText(const CardValues &values)
{
    const QString &to = values.text(Field::PretA), &since = values.text(Field::PretLe);
    if (since.isEmpty())
        return to;
    return (to.isEmpty() ? QString() : to + QLatin1Char(' ')) + say(Say::LentSince, frenchDate(since));
}

// The lines of the fields only some cards hold, each where it belongs
// among the record's; blank values have none.
void addLine(QList<Line> &lines, const QString &label, const QString &value)
{
    if (!value.isEmpty())
        lines << Line { label, value };
}

QString listText(const CardValues &values, Field field)
{
    return values.list(field).join(QStringLiteral(", "));
}

}   // namespace

QString ToolText::cardText(
    const QString &path, const CardValues &values, qint64 posterBytes, const PosterInfo &picture)
{
    QList<Line> lines { { toolText(Say::LabelFile), path },
        { toolText(Say::LabelTitle), values.text(Field::Titre) } };
    addLine(lines, toolText(Say::LabelOriginalTitle), values.text(Field::TitreOriginal));
    addLine(lines, toolText(Say::LabelSortTitle), values.text(Field::TitreTri));
    addLine(lines, toolText(Say::LabelSaga), values.text(Field::Saga));
    lines << Line { toolText(Say::LabelYear), values.text(Field::Annee) }
          << Line { toolText(Say::LabelRunningTime), duration(values) }
          << Line { toolText(Say::LabelGenre), values.text(Field::Type) };
    addLine(lines, toolText(Say::LabelCountries), listText(values, Field::Pays));
    lines << Line { toolText(Say::LabelDirector), values.text(Field::Realisateur) }
          << Line { toolText(Say::LabelActors), values.list(Field::Acteurs).join(QLatin1Char('\n')) }
          << Line { toolText(Say::LabelSummary), values.text(Field::Resume) };
    addLine(lines, toolText(Say::LabelSeen), seenText(values));
    addLine(lines, toolText(Say::LabelRating), ratingText(values.text(Field::Note)));
    addLine(lines, toolText(Say::LabelTags), listText(values, Field::Etiquettes));
    addLine(lines, toolText(Say::LabelLentTo), loanText(values));
    addLine(lines, toolText(Say::LabelMedium), values.text(Field::Support));
    addLine(lines, toolText(Say::LabelPlace), values.text(Field::Emplacement));
    addLine(lines, toolText(Say::LabelImdb), values.text(Field::Imdb));
    addLine(lines, toolText(Say::LabelTmdb),
        values.text(Field::Tmdb)
            + (values.isBlank(Field::TmdbPrincipal) ? QString() : toolText(Say::TmdbMain)));
    addLine(lines, toolText(Say::LabelNotes), values.text(Field::Notes));
    addLine(lines, toolText(Say::LabelAdded), frenchDate(values.text(Field::AjouteeLe)));
    lines << Line { toolText(Say::LabelPoster), posterText(posterBytes, picture) };
    return linesText(lines);
}
