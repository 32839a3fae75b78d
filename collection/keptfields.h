#pragma once
// The fields a collection shows and searches, as a card stores them
// (Windows-1252, without their final blanks), and each folded for a search:
// one block of memory a card, decoded only for the few cards on screen.

#include "collection/cardmatch.h"

#include <QByteArray>
#include <QString>

#include <array>

class KeptFields {
public:
    KeptFields() = default;
    // From a record's bytes (kRecordWidth of them).
    explicit KeptFields(QByteArrayView record);

    StoredFields stored() const;
    FoldedFields folded() const;
    // The field's text, without its final blanks.
    QString text(FoldedCard::Field field) const;

private:
    QByteArray m_bytes;                                         // the stored fields, then the folded ones
    std::array<quint16, 2 * FoldedCard::Count + 1> m_ends {};   // where each begins, then the end

    QByteArrayView part(size_t at) const;   // a stored field, then a folded one at Count + field
};
