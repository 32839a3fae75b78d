#pragma once
// JSON as a card's extension writes and reads it: a writer of strings, and
// a strict reader of one flat object that never recurses, so that a
// hostile extension cannot make it run deep or long. Strings must be valid
// UTF-8; nothing may follow the object but blanks.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <optional>

// Appends text as a JSON string: quotes, backslashes and control
// characters escaped, everything else in UTF-8 as it is.
void appendJsonString(QByteArray &out, const QString &text);

// How many of the first bytes are ASCII and stand in a JSON string as they
// are: none below a blank, no quote, no backslash. Eight at a time.
qsizetype plainAsciiLength(QByteArrayView bytes);

class JsonReader {
public:
    explicit JsonReader(QByteArrayView json) : m_json(json) { }

    // The object's opening brace; then, before each member, nextMember,
    // false at its closing brace (or on an error), and the member's key.
    bool objectStart();
    bool nextMember();
    std::optional<QString> key();
    // The same when the key holds no escape, as its UTF-8 bytes; otherwise
    // nullopt, and the reader stays where it was.
    std::optional<QByteArrayView> plainKey();
    // The member's value, when it is of that kind (null consumes a null).
    bool null();
    std::optional<bool> boolean();
    std::optional<QString> digits();   // a whole number of at most 18 digits, as written
    std::optional<QString> string();
    std::optional<QStringList> stringArray(int mostItems);
    // Any value, as written: arrays and objects nest at most 32 deep.
    std::optional<QByteArrayView> rawValue();
    // Whether the object was read whole, without error, and only blanks follow.
    bool atEnd();
    // Where the member's value starts, blanks skipped; moveTo goes on reading
    // at a place past a value read by other means.
    qsizetype valueStart();
    void moveTo(qsizetype at) { m_at = at; }

private:
    QByteArrayView m_json;
    qsizetype m_at = 0;
    bool m_first = true;
    bool m_closed = false;
    bool m_failed = false;

    void skipBlanks();
    bool take(char c);
    std::optional<QByteArrayView> plainBytes();
    bool takeWord(QByteArrayView word);
    bool skipString();
    bool skipNumber();
    bool skipScalar();
};
