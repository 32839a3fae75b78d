#include "tool/nfoimport.h"

#include "card/cardfields.h"
#include "card/cp1252.h"
#include "tool/tooltexts.h"

#include <QRegularExpression>

namespace {

constexpr QChar kEllipsis(0x2026);   // has a Windows-1252 byte

// A character a card cannot hold: its letters without accents when those
// fit ("ă" gives "a", "ﬁ" gives "fi", "Ł" gives "L"), else "?".
QString fallback(char32_t c)
{
    // Latin letters with a stroke have no decomposition.
    static const QString stroked = QStringLiteral("ŁłĐđĦħıŦŧƗƀ"), plain = QStringLiteral("LlDdHhiTtIb");
    if (const qsizetype at = c < 0x10000 ? stroked.indexOf(QChar(char16_t(c))) : -1; at >= 0)
        return plain.mid(at, 1);
    const QString decomposed = QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_KD);
    QString base;
    for (const char32_t part : decomposed.toUcs4()) {
        if (QChar::category(part) == QChar::Mark_NonSpacing)
            continue;
        if (!isCp1252(part) || QChar::category(part) == QChar::Other_Control)
            return QStringLiteral("?");
        base += QString::fromUcs4(&part, 1);
    }
    return base.isEmpty() ? QStringLiteral("?") : base;
}

// A line lists the replacements of one field: a few dozen say enough.
constexpr qsizetype kNamedReplacements = 32;

// The text with what a card cannot hold replaced, each replacement added to
// replaced; line breaks stay only in the summary, other blanks become spaces.
QString holdable(Field field, const QString &given, ToolText::Replacements &replaced)
{
    const QString text = lfLineBreaks(given.normalized(QString::NormalizationForm_C).trimmed());
    QString result;
    for (const char32_t c : text.toUcs4()) {
        if (c == U'\n' && fieldLayout(field).rule == FieldRule::Summary)
            result += QLatin1Char('\n');
        else if (c == U'\n' || c == U'\t')
            result += QLatin1Char(' ');
        else if (isCp1252(c) && QChar::category(c) != QChar::Other_Control)
            result += QString::fromUcs4(&c, 1);
        else {
            const QString by = fallback(c);
            result += by;
            if (replaced.size() < kNamedReplacements && !replaced.contains(std::pair(c, by)))
                replaced.append({ c, by });
        }
    }
    return result;
}

void noteReplaced(Field field, const ToolText::Replacements &replaced, QStringList &notes)
{
    if (!replaced.isEmpty())
        notes << ToolText::charactersReplaced(field, replaced);
}

QString holdable(Field field, const QString &given, QStringList &notes)
{
    ToolText::Replacements replaced;
    const QString text = holdable(field, given, replaced);
    noteReplaced(field, replaced, notes);
    return text;
}

// Values of one kind left out: one line names the first and counts the
// others, however many a file repeats.
struct LeftOut {
    QString first;
    qsizetype count = 0;
    void add(const QString &value)
    {
        if (count++ == 0)
            first = value;
    }
};

QString fitted(Field field, const QString &text, QStringList &notes)
{
    const int width = fieldWidth(field);
    const bool summary = fieldLayout(field).rule == FieldRule::Summary;
    const qsizetype length = summary ? summaryStoredLength(text) : text.size();
    if (length <= width)
        return text;
    const QString cut = cutAtWord(text, width, summary);
    notes << ToolText::shortened(field, length, summary ? summaryStoredLength(cut) : cut.size());
    return cut;
}

// A field's value when the card takes it as it is; left out, said in notes, otherwise.
QString taken(Field field, const QString &text, QStringList &notes)
{
    Card scratch;
    if (text.isEmpty() || !applyEdit(scratch, { .field = field, .text = text }))
        return text;
    notes << ToolText::valueLeftOut(field, text);
    return {};
}

QString year(const NfoMovie &movie, QStringList &notes)
{
    QString year = holdable(Field::Annee, movie.year, notes);
    static const QRegularExpression datedYear(QStringLiteral("^(\\d{4})-"));
    if (year.isEmpty())
        year = datedYear.match(movie.premiered.trimmed()).captured(1);
    return taken(Field::Annee, year, notes);
}

// Minutes, possibly followed by a unit ("107", "107 min").
void runtime(const NfoMovie &movie, CardValues &values, QStringList &notes)
{
    static const QRegularExpression minutes(QStringLiteral("^(\\d{1,4})(\\s*min\\w*)?$"));
    const QString text = movie.runtime.trimmed();
    const QRegularExpressionMatch match = minutes.match(text);
    const int total = match.hasMatch() ? match.captured(1).toInt() : -1;
    if (text.isEmpty() || total == 0)
        return;
    if (total < 0 || total >= 100 * 60) {
        notes << ToolText::runtimeLeftOut(text);
        return;
    }
    values.text(Field::Heures) = QString::number(total / 60);
    values.text(Field::Minutes) = QStringLiteral("%1").arg(total % 60, 2, 10, QLatin1Char('0'));
}

QString genres(const NfoMovie &movie, QStringList &notes)
{
    QString joined;
    LeftOut leftOut;
    ToolText::Replacements replaced;
    for (const QString &given : movie.genres) {
        const QString genre = holdable(Field::Type, given, replaced);
        if (genre.isEmpty())
            continue;
        const QString longer = joined.isEmpty() ? genre : joined + QStringLiteral(", ") + genre;
        if (leftOut.count > 0 || longer.size() > fieldWidth(Field::Type))
            leftOut.add(genre);
        else
            joined = longer;
    }
    noteReplaced(Field::Type, replaced, notes);
    if (leftOut.count > 0)
        notes << ToolText::genreLeftOut(leftOut.first, leftOut.count - 1);
    return joined;
}

QString director(const NfoMovie &movie, QStringList &notes)
{
    QString first;
    bool seen = false;
    LeftOut leftOut;
    ToolText::Replacements replaced;
    for (const QString &given : movie.directors) {
        const QString name = holdable(Field::Realisateur, given, replaced);
        if (name.isEmpty())
            continue;
        if (seen)
            leftOut.add(name);
        else
            first = taken(Field::Realisateur, name, notes);
        seen = true;
    }
    noteReplaced(Field::Realisateur, replaced, notes);
    if (leftOut.count > 0)
        notes << ToolText::directorLeftOut(leftOut.first, leftOut.count - 1);
    return first;
}

QStringList actors(const NfoMovie &movie, QStringList &notes)
{
    QStringList names;
    LeftOut tooMany, tooLong;
    ToolText::Replacements replaced;
    for (const QString &given : movie.actors) {
        const QString name = holdable(Field::Acteurs, given, replaced);
        if (name.isEmpty())
            continue;
        if (names.size() == CardActors::Max)
            tooMany.add(name);
        else if (name.size() > CardActors::NameLength || name.contains(QLatin1Char('|')))
            tooLong.add(name);
        else
            names << name;
    }
    noteReplaced(Field::Acteurs, replaced, notes);
    if (tooLong.count > 0)
        notes << ToolText::actorLeftOut(tooLong.first, tooLong.count - 1);
    if (tooMany.count > 0)
        notes << ToolText::actorTooMany(tooMany.first, tooMany.count - 1);
    return names;
}

}   // namespace

QString cutAtWord(const QString &text, int limit, bool lineBreaksCountTwo)
{
    qsizetype used = 0, end = 0, lastBlank = -1;
    for (; end < text.size(); ++end) {
        const qsizetype cost = lineBreaksCountTwo && text[end] == u'\n' ? 2 : 1;
        if (used + cost > limit - 1)   // room for the ellipsis
            break;
        used += cost;
        if (text[end].isSpace())
            lastBlank = end;
    }
    QString cut = text.left(lastBlank > 0 ? lastBlank : end);
    while (!cut.isEmpty() && (cut.back().isSpace() || QStringLiteral(",;:").contains(cut.back())))
        cut.chop(1);
    return cut + kEllipsis;
}

NfoImport importMovie(const NfoMovie &movie)
{
    NfoImport result;
    CardValues &values = result.values;
    QStringList &notes = result.notes;
    values.text(Field::Titre) = fitted(Field::Titre, holdable(Field::Titre, movie.title, notes), notes);
    values.text(Field::Annee) = year(movie, notes);
    runtime(movie, values, notes);
    values.text(Field::Type) = genres(movie, notes);
    values.text(Field::Realisateur) = director(movie, notes);
    values.list(Field::Acteurs) = actors(movie, notes);
    values.text(Field::Resume) = fitted(Field::Resume, holdable(Field::Resume, movie.plot, notes), notes);
    return result;
}
