#include "collection/keptfields.h"

#include "card/cp1252.h"

namespace {

QByteArrayView withoutFinalBlanks(QByteArrayView bytes)
{
    while (!bytes.isEmpty() && bytes.back() == ' ')
        bytes.chop(1);
    return bytes;
}

}   // namespace

KeptFields::KeptFields(QByteArrayView record)
{
    const StoredFields stored = storedFields(record);
    char buffer[4 * kRecordWidth];
    char *end = buffer;
    FoldedFields folded;
    for (size_t field = 0; field < stored.size(); ++field) {
        folded[field] = foldedBytes(stored[field], end);
        end += folded[field].size();
    }
    qsizetype size = end - buffer;
    for (const QByteArrayView field : stored)
        size += withoutFinalBlanks(field).size();
    m_bytes.reserve(size);
    for (size_t field = 0; field < stored.size(); ++field) {
        m_ends[field] = quint16(m_bytes.size());
        m_bytes.append(withoutFinalBlanks(stored[field]));
    }
    for (size_t field = 0; field < folded.size(); ++field) {
        m_ends[FoldedCard::Count + field] = quint16(m_bytes.size());
        m_bytes.append(folded[field].data(), qsizetype(folded[field].size()));
    }
    m_ends.back() = quint16(m_bytes.size());
}

StoredFields KeptFields::stored() const
{
    StoredFields fields;
    for (size_t field = 0; field < fields.size(); ++field)
        fields[field]
            = QByteArrayView(m_bytes.constData() + m_ends[field], m_ends[field + 1] - m_ends[field]);
    return fields;
}

FoldedFields KeptFields::folded() const
{
    FoldedFields fields;
    for (size_t field = 0; field < fields.size(); ++field) {
        const size_t at = FoldedCard::Count + field;
        fields[field] = std::string_view(m_bytes.constData() + m_ends[at], m_ends[at + 1] - m_ends[at]);
    }
    return fields;
}

QString KeptFields::text(FoldedCard::Field field) const
{
    const QByteArrayView bytes = stored()[field];
    return fromCp1252(bytes.data(), bytes.size());
}
