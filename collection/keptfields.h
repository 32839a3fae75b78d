#pragma once
// What a collection keeps of a card's fields: the texts its list shows, and
// every field a search reads, folded. One block of memory a card; the texts
// are decoded only for the few cards on screen.

#include "collection/cardmatch.h"

#include <QByteArray>
#include <QString>

#include <array>

// A shown text as kept: the record's bytes (Windows-1252, without their
// final blanks), or the extension's exact text in UTF-8.
struct KeptText {
    QByteArrayView bytes;
    bool utf8 = false;
    QString text() const;
};

class KeptFields {
public:
    KeptFields() = default;
    // From a record's bytes (kRecordWidth of them) and the values of the
    // card's extension, which win where they hold a field.
    KeptFields(QByteArrayView record, const CardValues &extension);

    FoldedFields folded() const;
    // A listed field's text; the actors as the record joins them, "A|B|",
    // the viewings as the last one, the tags as "a, b".
    KeptText kept(Field field) const;
    QString text(Field field) const { return kept(field).text(); }
    // A bit a listed field, in kListedFields' order: its text is blank.
    quint32 blankListed() const;

private:
    static constexpr std::size_t kParts = kListedFields.size() + kSearchedFields.size();
    QByteArray m_bytes;                          // the listed fields' texts, then the searched ones folded
    std::array<quint32, kParts + 1> m_ends {};   // where each part begins, then the end
    quint32 m_utf8 = 0;                          // a bit a listed field: its text is in UTF-8

    QByteArrayView part(std::size_t at) const;
};
