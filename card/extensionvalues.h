#pragma once
// The values of a card's extension as its body holds them: each value in the
// form this version writes is checked on its bytes and decoded only when
// asked, so that a reader of a few fields (a search) makes no text of the
// others. A value in any other form is checked and put in its form as it
// is read (card/fieldrules.h), and kept decoded.

#include "card/cardvalues.h"

#include <QByteArray>
#include <QByteArrayView>

#include <array>
#include <memory>
#include <optional>

class ExtensionValues {
public:
    ExtensionValues() = default;
    // Values decoded already: an extension read whole.
    explicit ExtensionValues(CardValues decoded) : m_decoded(std::make_shared<CardValues>(std::move(decoded)))
    {
    }

    bool isBlank(Field field) const;
    QString text(Field field) const;
    QStringList list(Field field) const;
    // The value's JSON as the body holds it; empty when it is blank or
    // was decoded as it was read.
    QByteArrayView json(Field field) const;
    // Every value, decoded.
    CardValues decoded() const;
    void clear(Field field);

    // The body read, and where the value of field stands in it.
    void setBody(QByteArray body) { m_body = std::move(body); }
    qsizetype bodySize() const { return m_body.size(); }
    void setSpan(Field field, qsizetype at, qsizetype size, bool escaped)
    {
        m_spans[size_t(field)] = { quint32(at), quint32(size), escaped };
    }
    // Whether the value's JSON holds an escape.
    bool escaped(Field field) const { return m_spans[size_t(field)].escaped; }
    // The values decoded as they were read, the others blank.
    CardValues &decodedValues();
    const CardValues &decodedValues() const;

    bool operator==(const ExtensionValues &other) const { return decoded() == other.decoded(); }

private:
    struct Span {
        quint32 at = 0, size = 0;   // size 0: not in the body, of 1 MB at most
        bool escaped = false;
    };
    QByteArray m_body;
    std::array<Span, kFieldCount> m_spans {};
    std::shared_ptr<CardValues> m_decoded;   // made when a value is decoded as it is read; shared by copies
};

// Where the JSON value that starts at at in body ends, when it is in the
// form this version writes for field, so that reading it as field's rules
// say would keep it as it is; nullopt for any other value, which must be
// read and checked the long way. Only a text's string may hold escapes,
// each of a quote, a backslash, "/" or a control character but CR.
struct KeptValue {
    qsizetype end = 0;
    bool escaped = false;
};
std::optional<KeptValue> keptValue(QByteArrayView body, qsizetype at, Field field);
