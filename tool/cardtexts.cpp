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
                                                     : values.text(Field::Minutes) + QStringLiteral(" min");
    return values.text(Field::Heures) + QStringLiteral(" h ") + values.text(Field::Minutes);
}

QString posterText(qint64 bytes, const PosterInfo &picture)
{
    if (bytes == 0)
        return QStringLiteral("aucune");
    QString text = QStringLiteral("%1 octets, ").arg(bytes);
    if (picture.format.isEmpty())
        return text + QStringLiteral("image illisible");
    return text
        + QStringLiteral("%1, %2 × %3 pixels")
              .arg(QString::fromLatin1(picture.format).toUpper())
              .arg(picture.size.width())
              .arg(picture.size.height());
}

// "1er janvier 2024", "9 décembre 2026 à 21:13:09"; a text that is no date as it stands.
QString frenchDate(const QString &iso)
{
    const QDate date = QDate::fromString(iso.left(10), Qt::ISODate);
    if (!date.isValid())
        return iso;
    const QString day = date.day() == 1 ? QStringLiteral("1er") : QString::number(date.day());
    const QString time = iso.size() > 11 ? QStringLiteral(" à ") + iso.mid(11) : QString();
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
        dates << QStringLiteral("le ") + frenchDate(date);
    const QString seen = values.isBlank(Field::VuFois)
        ? QStringLiteral("oui")
        : QStringLiteral("oui, %1 fois").arg(values.text(Field::VuFois));
    if (dates.isEmpty())
        return seen;
    const QString last = dates.takeLast();
    return seen + QStringLiteral(", ")
        + (dates.isEmpty() ? last : dates.join(QStringLiteral(", ")) + QStringLiteral(" et ") + last);
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
    return (to.isEmpty() ? QString() : to + QLatin1Char(' ')) + QStringLiteral("depuis le ")
        + frenchDate(since);
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
    QList<Line> lines { { QStringLiteral("Fichier"), path },
        { QStringLiteral("Titre"), values.text(Field::Titre) } };
    addLine(lines, QStringLiteral("Titre original"), values.text(Field::TitreOriginal));
    addLine(lines, QStringLiteral("Titre de tri"), values.text(Field::TitreTri));
    addLine(lines, QStringLiteral("Saga"), values.text(Field::Saga));
    lines << Line { QStringLiteral("Année"), values.text(Field::Annee) }
          << Line { QStringLiteral("Durée"), duration(values) }
          << Line { QStringLiteral("Type"), values.text(Field::Type) };
    addLine(lines, QStringLiteral("Pays"), listText(values, Field::Pays));
    lines << Line { QStringLiteral("Réalisateur"), values.text(Field::Realisateur) }
          << Line { QStringLiteral("Acteurs"), values.list(Field::Acteurs).join(QLatin1Char('\n')) }
          << Line { QStringLiteral("Résumé"), values.text(Field::Resume) };
    addLine(lines, QStringLiteral("Vu"), seenText(values));
    addLine(lines, QStringLiteral("Note"), ratingText(values.text(Field::Note)));
    addLine(lines, QStringLiteral("Étiquettes"), listText(values, Field::Etiquettes));
    addLine(lines, QStringLiteral("Prêtée à"), loanText(values));
    addLine(lines, QStringLiteral("Support"), values.text(Field::Support));
    addLine(lines, QStringLiteral("Emplacement"), values.text(Field::Emplacement));
    addLine(lines, QStringLiteral("IMDb"), values.text(Field::Imdb));
    addLine(lines, QStringLiteral("TMDb"),
        values.text(Field::Tmdb)
            + (values.isBlank(Field::TmdbPrincipal) ? QString()
                                                    : QStringLiteral(" (identifiant principal)")));
    addLine(lines, QStringLiteral("Notes"), values.text(Field::Notes));
    addLine(lines, QStringLiteral("Ajoutée le"), frenchDate(values.text(Field::AjouteeLe)));
    lines << Line { QStringLiteral("Affiche"), posterText(posterBytes, picture) };
    return linesText(lines);
}
