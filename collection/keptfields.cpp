#include "collection/keptfields.h"

#include "card/cardrecord.h"
#include "card/cp1252.h"

namespace {

constexpr std::size_t listedIndex(Field field)
{
    for (std::size_t i = 0; i < kListedFields.size(); ++i) {
        if (kListedFields[i] == field)
            return i;
    }
    return kListedFields.size();
}

static_assert(kListedFields.size() <= 32, "one bit a listed field");

QByteArrayView recordBytes(QByteArrayView record, Field field)
{
    return record.sliced(fieldLayout(field).offset, fieldWidth(field));
}

// A field of the extension as its column shows it: the actors as the record
// joins them, the last viewing, the other lists' items between commas.
QString listedText(const CardValues &extension, Field field)
{
    if (!holdsList(field))
        return extension.text(field);
    const QStringList &items = extension.list(field);
    switch (fieldLayout(field).rule) {
    case FieldRule::Actors:
        return joinActorNames(items);
    case FieldRule::Dates:
        return items.last();
    default:
        return items.join(QStringLiteral(", "));
    }
}

}   // namespace

QString KeptText::text() const
{
    return utf8 ? QString::fromUtf8(bytes) : fromCp1252(bytes.data(), bytes.size());
}

KeptFields::KeptFields(QByteArrayView record, const CardValues &extension)
{
    // Made in a thread's own buffer, then copied once into memory of the right size.
    thread_local QByteArray made;
    made.clear();
    char folded[4 * kRecordWidth];
    for (std::size_t i = 0; i < kListedFields.size(); ++i) {
        const Field field = kListedFields[i];
        m_ends[i] = quint32(made.size());
        if (!extension.isBlank(field)) {
            made += listedText(extension, field).toUtf8();
            m_utf8 |= 1u << i;
        } else if (inRecord(field)) {
            made += trimRight(recordBytes(record, field));
        }
    }
    for (std::size_t i = 0; i < kSearchedFields.size(); ++i) {
        const Field field = kSearchedFields[i];
        m_ends[kListedFields.size() + i] = quint32(made.size());
        if (!extension.isBlank(field)) {
            appendFolded(made, extension, field);
        } else if (inRecord(field)) {
            const std::string_view text = foldedBytes(recordBytes(record, field), folded);
            made.append(text.data(), qsizetype(text.size()));
        }
    }
    m_ends.back() = quint32(made.size());
    m_bytes = QByteArray(made.constData(), made.size());
}

QByteArrayView KeptFields::part(std::size_t at) const
{
    return QByteArrayView(m_bytes.constData() + m_ends[at], m_ends[at + 1] - m_ends[at]);
}

FoldedFields KeptFields::folded() const
{
    FoldedFields fields;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const QByteArrayView bytes = part(kListedFields.size() + i);
        fields[i] = std::string_view(bytes.data(), size_t(bytes.size()));
    }
    return fields;
}

quint32 KeptFields::blankListed() const
{
    quint32 blanks = 0;
    for (std::size_t i = 0; i < kListedFields.size(); ++i)
        blanks |= m_ends[i] == m_ends[i + 1] ? 1u << i : 0u;
    return blanks;
}

KeptText KeptFields::kept(Field field) const
{
    const std::size_t at = listedIndex(field);
    Q_ASSERT(at < kListedFields.size());
    return { part(at), (m_utf8 >> at & 1u) != 0 };
}
