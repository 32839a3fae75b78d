#include "collection/keptfields.h"

#include "card/basics.h"
#include "card/cp1252.h"

KeptFields::KeptFields(QByteArrayView record)
{
    StoredFields stored = storedFields(record);
    char buffer[4 * kRecordWidth];
    char *end = buffer;
    FoldedFields folded;
    qsizetype size = 0;
    for (size_t field = 0; field < stored.size(); ++field) {
        stored[field] = TrimRight(stored[field]);
        folded[field] = foldedBytes(stored[field], end);
        end += folded[field].size();
        size += stored[field].size() + qsizetype(folded[field].size());
    }
    m_bytes.reserve(size);
    for (size_t field = 0; field < stored.size(); ++field) {
        m_ends[field] = quint16(m_bytes.size());
        m_bytes.append(stored[field]);
    }
    for (size_t field = 0; field < folded.size(); ++field) {
        m_ends[FoldedCard::Count + field] = quint16(m_bytes.size());
        m_bytes.append(folded[field].data(), qsizetype(folded[field].size()));
    }
    m_ends.back() = quint16(m_bytes.size());
}

QByteArrayView KeptFields::part(size_t at) const
{
    return QByteArrayView(m_bytes.constData() + m_ends[at], m_ends[at + 1] - m_ends[at]);
}

StoredFields KeptFields::stored() const
{
    StoredFields fields;
    for (size_t field = 0; field < fields.size(); ++field)
        fields[field] = part(field);
    return fields;
}

FoldedFields KeptFields::folded() const
{
    FoldedFields fields;
    for (size_t field = 0; field < fields.size(); ++field) {
        const QByteArrayView bytes = part(FoldedCard::Count + field);
        fields[field] = std::string_view(bytes.data(), size_t(bytes.size()));
    }
    return fields;
}

QString KeptFields::text(FoldedCard::Field field) const
{
    const QByteArrayView bytes = part(size_t(field));
    return fromCp1252(bytes.data(), bytes.size());
}
