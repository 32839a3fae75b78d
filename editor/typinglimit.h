#pragma once
// The most characters the user may type or paste into a line box. A text
// the program puts in (a field of a loaded card) is taken whole, whatever
// its length, and the box then takes nothing more until it is shorter.
// Every character is taken: a card holds them all.

#include <QValidator>

class QLineEdit;

class TypingLimit : public QValidator {
    Q_OBJECT
public:
    // Limits box to limit characters; box owns the limit.
    static void apply(QLineEdit *box, int limit);
    // Puts text into box whole, beyond its limit if need be.
    static void setWhole(QLineEdit *box, const QString &text);

    State validate(QString &input, int &pos) const override;

private:
    TypingLimit(int limit, QObject *parent);
    int m_limit;
    mutable qsizetype m_room;   // the longest text the box may hold now
};
