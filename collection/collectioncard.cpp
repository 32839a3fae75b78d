// A card as a collection keeps it: its texts, folded fields and sort keys,
// made once as it is read.
#include "collection/cardcollection.h"

#include "card/card.h"
#include "card/cp1252.h"
#include "collection/cardorder.h"
#include "collection/duplicates.h"
#include "collection/frenchorder.h"

#include <cstring>

namespace {

QString relativeFolder(const QString &path, const QString &root)
{
    const QString folder = path.left(std::max<qsizetype>(path.lastIndexOf(QLatin1Char('/')), 0));
    if (!folder.startsWith(root) || folder.size() <= root.size())
        return {};
    return folder.mid(root.endsWith(QLatin1Char('/')) ? root.size() : root.size() + 1);
}

static_assert(fieldWidth(Field::Annee) == 4 && fieldWidth(Field::Heures) + fieldWidth(Field::Minutes) == 4);

// The number four stored bytes give, read once for each value they hold.
int numberOf(QHash<quint32, int> &known, QByteArrayView bytes, int (*read)(QByteArrayView))
{
    quint32 key = 0;
    std::memcpy(&key, bytes.data(), sizeof key);
    if (const auto found = known.constFind(key); found != known.constEnd())
        return *found;
    return *known.insert(key, read(bytes));
}

QString textOf(QByteArrayView bytes)
{
    return fromCp1252(bytes.data(), bytes.size());
}

// Hours and minutes, each read as the editor shows it.
int minutesOf(QByteArrayView heuresMinutes)
{
    bool hoursOk = false, minutesOk = false;
    const int hours = shownText(FieldRule::Hours, textOf(heuresMinutes.first(2))).toInt(&hoursOk);
    const int minutes = shownText(FieldRule::Minutes, textOf(heuresMinutes.sliced(2, 2))).toInt(&minutesOk);
    if (!hoursOk && !minutesOk)
        return -1;
    return (hoursOk ? hours * 60 : 0) + (minutesOk ? minutes : 0);
}

// The title a card is sorted by: the one its user gave for that, else the
// title without its article.
QString sortTitle(const CollectionCard &card, const CardValues &extension)
{
    if (const QString &given = extension.text(Field::TitreTri); !given.isEmpty())
        return given;
    const QString title = card.text(Field::Titre);
    const QStringView sorted = titleWithoutArticle(title);
    return sorted.size() == title.size() ? title : sorted.toString();
}

}   // namespace

CardMemo::CardMemo() : m_collator(frenchCollator()) { }

QCollatorSortKey CardMemo::keyOfRecurring(const QString &text)
{
    if (const auto known = m_keys.constFind(text); known != m_keys.constEnd())
        return *known;
    return *m_keys.insert(text, m_collator.sortKey(text));
}

QString CardMemo::shared(const QString &text)
{
    return *m_texts.insert(text);
}

const RecurringText &CardMemo::recurring(const KeptText &kept)
{
    auto &recurring = m_recurring[kept.utf8 ? 1 : 0];
    const std::string_view bytes(kept.bytes.data(), size_t(kept.bytes.size()));
    if (const auto known = recurring.find(bytes); known != recurring.end())
        return known->second;
    const QString text = kept.text();
    return recurring.emplace(std::string(bytes), RecurringText { foldedText(text), m_collator.sortKey(text) })
        .first->second;
}

QString CardMemo::folded(const QString &tag)
{
    if (const auto known = m_folded.constFind(tag); known != m_folded.constEnd())
        return *known;
    return *m_folded.insert(tag, foldedText(tag));
}

int CardMemo::year(QByteArrayView annee)
{
    return numberOf(m_years, annee, [](QByteArrayView bytes) { return yearOf(textOf(bytes)); });
}

int CardMemo::minutes(QByteArrayView heuresMinutes)
{
    return numberOf(m_minutes, heuresMinutes, minutesOf);
}

QString CollectionCard::actors() const
{
    return splitActorNames(text(Field::Acteurs)).join(QStringLiteral(", "));
}

CollectionCard collectionCard(const ScannedCard &scanned, const QString &root, CardMemo &memo)
{
    const QByteArrayView record(scanned.head.recordBytes.data(), qsizetype(scanned.head.recordBytes.size()));
    CollectionCard card;
    card.path = scanned.path;
    card.folder = memo.shared(relativeFolder(scanned.path, root));
    card.fields = KeptFields(record, scanned.head.card.extension.values);
    card.fingerprint = scanned.head.fingerprint;
    card.hasPoster = scanned.head.posterBytes > 0;
    card.year = memo.year(record.sliced(fieldLayout(Field::Annee).offset, 4));
    card.minutes = memo.minutes(record.sliced(fieldLayout(Field::Heures).offset, 4));
    const RecurringText &genre = memo.recurring(card.fields.kept(Field::Type));
    const RecurringText &director = memo.recurring(card.fields.kept(Field::Realisateur));
    card.genre = genre.folded;
    card.director = director.folded;
    const CardValues &mine = scanned.head.card.extension.values;
    card.rating = mine.text(Field::Note).toInt();
    card.seen = !mine.text(Field::Vu).isEmpty();
    card.saga = memo.recurring(card.fields.kept(Field::Saga)).folded;
    card.imdb = identifierNumber(mine.text(Field::Imdb));
    card.tmdb = identifierNumber(mine.text(Field::Tmdb));
    for (const QString &tag : mine.list(Field::Etiquettes)) {
        card.tags << memo.shared(tag);
        card.foldedTags << memo.folded(tag);
    }
    card.blankColumns = blankColumns(card);
    card.keys.reserve(kTextKeys);
    for (int column = 0; column < kCardColumns; ++column) {
        if (sortOf(CardColumn(column)) != ColumnSort::Text)
            continue;
        const std::optional<Field> field = fieldOf(CardColumn(column));
        card.keys << (!field                   ? memo.keyOfRecurring(card.folder)
                : *field == Field::Titre       ? memo.keyOf(sortTitle(card, mine))
                : *field == Field::Type        ? genre.key
                : *field == Field::Realisateur ? director.key
                                               : memo.keyOf(card.text(*field)));
    }
    return card;
}

CollectionCard collectionCardOf(const QString &path, const Card &card, bool hasPoster, const QString &root)
{
    ScannedCard scanned { path, {} };
    scanned.head.card = card;
    const QByteArray record = encodeRecord(card.record);
    std::copy_n(record.constData(), std::min<qsizetype>(record.size(), kRecordWidth),
        scanned.head.recordBytes.begin());
    scanned.head.posterBytes = hasPoster ? 1 : 0;
    CardMemo memo;
    CollectionCard made = collectionCard(scanned, root, memo);
    made.fingerprint.reset();
    return made;
}

std::optional<CollectionCard> readCollectionCard(const QString &path, const QString &root, CardMemo &memo)
{
    CardHead head = readCardHead(path, PosterHeader::Skip, RecordText::BytesOnly);
    if (head.status != CardReadStatus::Ok)
        return std::nullopt;
    return collectionCard({ path, std::move(head) }, root, memo);
}
