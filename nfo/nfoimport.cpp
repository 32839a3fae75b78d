#include "nfo/nfoimport.h"

#include "card/cardfields.h"

#include <QRegularExpression>

#include <algorithm>
#include <array>

namespace {

// A note names the control characters replaced in one field: a few dozen say enough.
constexpr qsizetype kNamedCharacters = 32;

// Values of one kind left out: one note names the first and counts the others.
class LeftOut {
public:
    void add(const NfoNote &note)
    {
        if (m_note)
            ++m_note->others;
        else
            m_note = note;
    }
    void addTo(QList<NfoNote> &notes) const
    {
        if (m_note)
            notes << *m_note;
    }

private:
    std::optional<NfoNote> m_note;
};

class MovieImport {
public:
    explicit MovieImport(QList<NfoNote> &notes) : m_notes(notes) { }

    // Stores the value given of a field that holds a text; false, said in
    // a note when the field refuses it, when it is not taken.
    bool text(Field field, const QString &given)
    {
        const QString value = cleaned(field, given);
        if (value.isEmpty())
            return false;
        if (const auto problem = applyEdit(m_card, { .field = field, .text = value })) {
            m_notes << NfoNote { .problem = *problem };
            return false;
        }
        return true;
    }

    // Stores the items given of a field that holds a list; those its rule
    // refuses, and those past the most a list holds, are said in notes.
    void list(Field field, const QStringList &given)
    {
        QStringList items;
        LeftOut refused;
        for (const QString &item : given) {
            QStringList one { cleaned(field, item) };
            if (one.first().isEmpty())
                continue;
            if (const auto problem = checkList(field, one))
                refused.add({ .problem = *problem });
            else
                items << one.first();
        }
        refused.addTo(m_notes);
        if (fieldLayout(field).rule != FieldRule::Actors)
            items.removeDuplicates();
        keepAtMostTheBound(field, items);
        if (items.isEmpty())
            return;
        if (const auto problem = applyEdit(m_card, { .field = field, .list = items }))
            m_notes << NfoNote { .problem = *problem };
    }

    // The items each split at ", ", joined with it: the card's text of the
    // genres, or of the directors.
    QString joinedParts(Field field, const QStringList &given)
    {
        QStringList parts;
        for (const QString &item : given) {
            for (const QString &part : cleaned(field, item).split(kNfoPartSeparator)) {
                if (!part.trimmed().isEmpty())
                    parts << part.trimmed();
            }
        }
        return parts.join(kNfoPartSeparator);
    }

    void year(const NfoMovie &movie)
    {
        static const QRegularExpression datedYear(QStringLiteral("^([0-9]{4})-"));
        const QString year = cleaned(Field::Annee, movie.year);
        text(Field::Annee, year.isEmpty() ? datedYear.match(movie.premiered.trimmed()).captured(1) : year);
    }

    // Minutes, possibly followed by a unit ("107", "107 min").
    void runtime(const QString &given)
    {
        static const QRegularExpression minutes(QStringLiteral("^([0-9]{1,4})(\\s*min\\w*)?$"));
        const QString runtime = cleaned(Field::Heures, given);
        const QRegularExpressionMatch match = minutes.match(runtime);
        const int total = match.hasMatch() ? match.captured(1).toInt() : -1;
        if (runtime.isEmpty() || total == 0)
            return;
        if (total < 0 || total >= 100 * 60) {
            m_notes << NfoNote { .kind = NfoNote::Kind::RuntimeRefused,
                .problem = { .field = Field::Heures, .value = runtime } };
            return;
        }
        text(Field::Heures, QString::number(total / 60));
        text(Field::Minutes, QStringLiteral("%1").arg(total % 60, 2, 10, QLatin1Char('0')));
    }

    // Media centres write 0 for no rating of the user's.
    void rating(const QString &given)
    {
        const QString rating = cleaned(Field::Note, given);
        bool number = false;
        if (rating.toDouble(&number) == 0 && number)
            return;
        text(Field::Note, rating);
    }

    // Seen or not: the plays counted when the file gives their number, else
    // <watched>, else whether it names a last viewing. The plays are kept
    // when there are more of them than the card shows otherwise.
    void viewings(const NfoMovie &movie)
    {
        const QString plays = cleaned(Field::VuFois, movie.playCount);
        const QString last = cleaned(Field::VuLe, movie.lastPlayed);
        bool counted = false;
        const qlonglong count = plays.toLongLong(&counted);
        counted = counted && count >= 0;
        if (!counted && !plays.isEmpty())
            text(Field::VuFois, plays);   // refused, said
        const std::optional<bool> watched = flag(Field::Vu, movie.watched);
        const bool seen = counted ? count > 0 : watched ? *watched : !last.isEmpty();
        if (!seen) {
            if (!last.isEmpty())
                m_notes << NfoNote { .kind = NfoNote::Kind::NotSeen,
                    .problem = { .field = Field::VuLe, .value = last } };
            return;
        }
        text(Field::Vu, kFlagSet);
        if (!last.isEmpty())
            list(Field::VuLe, { last });
        const qsizetype dated = cardValues(m_card).list(Field::VuLe).size();
        if (counted && count > std::max<qsizetype>(1, dated))
            text(Field::VuFois, QString::number(count));
    }

    // IMDb's and TMDb's identifiers, the first of each, and which one is the
    // default when the card holds both; an older file's <id> when it is IMDb's.
    void identifiers(const NfoMovie &movie)
    {
        bool imdb = false, tmdb = false;
        QString defaultType;
        LeftOut others;
        for (const NfoIdentifier &identifier : movie.identifiers) {
            const QString type = identifier.type.trimmed().toLower();
            const QString value = cleaned(type == u"tmdb" ? Field::Tmdb : Field::Imdb, identifier.value);
            if (identifier.isDefault && defaultType.isEmpty())
                defaultType = type;
            if (value.isEmpty())
                continue;
            if (type == u"imdb" && !imdb)
                imdb = text(Field::Imdb, value);
            else if (type == u"tmdb" && !tmdb)
                tmdb = text(Field::Tmdb, value);
            else
                others.add({ .kind = NfoNote::Kind::OtherIdentifier,
                    .problem = { .field = Field::Imdb, .value = value },
                    .detail = identifier.type.trimmed() });
        }
        others.addTo(m_notes);
        static const QRegularExpression imdbId(QStringLiteral("^tt[0-9]+$"));
        const QString id = cleaned(Field::Imdb, movie.id);
        if (!imdb && imdbId.match(id).hasMatch())
            imdb = text(Field::Imdb, id);
        if (imdb && tmdb && defaultType == u"tmdb")
            text(Field::TmdbPrincipal, kFlagSet);
    }

    Card finish()
    {
        for (const Field field : kFields) {
            const QList<char32_t> &replaced = m_replaced[size_t(field)];
            if (!replaced.isEmpty())
                m_notes << NfoNote { .kind = NfoNote::Kind::ControlReplaced,
                    .problem = { .field = field },
                    .characters = replaced };
        }
        return m_card;
    }

private:
    QList<NfoNote> &m_notes;
    Card m_card;
    std::array<QList<char32_t>, kFieldCount> m_replaced;

    // The text as the field keeps it: composed, trimmed, line breaks only in
    // a field of lines, tabs and other breaks as spaces; a control character
    // no field holds becomes "?", said once for the field.
    QString cleaned(Field field, const QString &given)
    {
        const QString text = lfLineBreaks(given.normalized(QString::NormalizationForm_C)).trimmed();
        QString result;
        result.reserve(text.size());
        for (const QChar c : text) {
            if (c == u'\n' && holdsLines(field)) {
                result += c;
            } else if (c == u'\n' || c == u'\t') {
                result += u' ';
            } else if (c.category() == QChar::Other_Control) {
                QList<char32_t> &replaced = m_replaced[size_t(field)];
                if (replaced.size() < kNamedCharacters && !replaced.contains(c.unicode()))
                    replaced << c.unicode();
                result += u'?';
            } else {
                result += c;
            }
        }
        return result;
    }

    // A flag's value given, or nullopt when none is given or it is refused (said).
    std::optional<bool> flag(Field field, const QString &given)
    {
        QString value = cleaned(field, given);
        if (value.isEmpty())
            return std::nullopt;
        if (const auto problem = checkText(field, value)) {
            m_notes << NfoNote { .problem = *problem };
            return std::nullopt;
        }
        return !value.isEmpty();
    }

    void keepAtMostTheBound(Field field, QStringList &items)
    {
        const qsizetype most = FieldBounds::MostItems;
        if (items.size() <= most)
            return;
        m_notes << NfoNote { .problem = { .kind = FieldProblem::TooManyItems,
                                 .field = field,
                                 .length = items.size(),
                                 .limit = int(most),
                                 .value = items[most] },
            .others = items.size() - most - 1 };
        items.resize(most);
    }
};

}   // namespace

Card cardOfMovie(const NfoMovie &movie, QList<NfoNote> &notes)
{
    MovieImport import(notes);
    import.text(Field::Titre, movie.title);
    import.text(Field::TitreOriginal, movie.originalTitle);
    import.text(Field::TitreTri, movie.sortTitle);
    import.year(movie);
    import.runtime(movie.runtime);
    import.text(Field::Type, import.joinedParts(Field::Type, movie.genres));
    import.text(Field::Realisateur, import.joinedParts(Field::Realisateur, movie.directors));
    import.list(Field::Acteurs, movie.actors);
    import.text(Field::Resume, movie.plot);
    import.text(Field::Saga, movie.set);
    import.list(Field::Pays, movie.countries);
    import.list(Field::Etiquettes, movie.tags);
    import.rating(movie.userRating);
    import.viewings(movie);
    import.identifiers(movie);
    import.text(Field::AjouteeLe, movie.dateAdded);
    return import.finish();
}
