#include "collection/keptfields.h"

#include "card/basics.h"
#include "card/cp1252.h"

#include <numeric>

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

QByteArrayView viewOf(const QByteArray &bytes)
{
    return QByteArrayView(bytes.constData(), bytes.size());
}

}   // namespace

QString KeptText::text() const
{
    return utf8 ? QString::fromUtf8(bytes) : fromCp1252(bytes.data(), bytes.size());
}

KeptFields::KeptFields(QByteArrayView record, const CardValues &extension)
{
    std::array<QByteArrayView, kParts> parts;
    std::array<QByteArray, kParts> exact;   // the parts the extension gives
    char folded[4 * kRecordWidth];          // the record's fields folded, one after the other
    char *end = folded;
    for (std::size_t i = 0; i < kListedFields.size(); ++i) {
        const Field field = kListedFields[i];
        if (!extension.isBlank(field)) {
            exact[i] = holdsList(field) ? joinActorNames(extension.list(field)).toUtf8()
                                        : extension.text(field).toUtf8();
            parts[i] = viewOf(exact[i]);
            m_utf8 |= 1u << i;
        } else if (inRecord(field)) {
            parts[i] = TrimRight(recordBytes(record, field));
        }
    }
    for (std::size_t i = 0; i < kSearchedFields.size(); ++i) {
        const Field field = kSearchedFields[i];
        const std::size_t at = kListedFields.size() + i;
        if (!extension.isBlank(field)) {
            exact[at] = foldedValue(extension, field);
            parts[at] = viewOf(exact[at]);
        } else if (inRecord(field)) {
            const std::string_view text = foldedBytes(recordBytes(record, field), end);
            end += text.size();
            parts[at] = QByteArrayView(text.data(), qsizetype(text.size()));
        }
    }
    m_bytes.reserve(std::accumulate(parts.begin(), parts.end(), qsizetype(0),
        [](qsizetype size, QByteArrayView part) { return size + part.size(); }));
    for (std::size_t i = 0; i < kParts; ++i) {
        m_ends[i] = quint32(m_bytes.size());
        m_bytes.append(parts[i]);
    }
    m_ends.back() = quint32(m_bytes.size());
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

KeptText KeptFields::kept(Field field) const
{
    const std::size_t at = listedIndex(field);
    Q_ASSERT(at < kListedFields.size());
    return { part(at), (m_utf8 >> at & 1u) != 0 };
}
