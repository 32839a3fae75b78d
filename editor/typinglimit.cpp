#include "editor/typinglimit.h"

#include <QLineEdit>

#include <algorithm>

TypingLimit::TypingLimit(int limit, QObject *parent) : QValidator(parent), m_limit(limit), m_room(limit) { }

void TypingLimit::apply(QLineEdit *box, int limit)
{
    box->setValidator(new TypingLimit(limit, box));
}

void TypingLimit::setWhole(QLineEdit *box, const QString &text)
{
    if (const auto *limit = qobject_cast<const TypingLimit *>(box->validator()))
        limit->m_room = std::max<qsizetype>(limit->m_limit, text.size());
    box->setText(text);
}

// What goes past the room is taken back from what was just typed or
// pasted, the characters before the caret.
QValidator::State TypingLimit::validate(QString &input, int &pos) const
{
    const qsizetype excess = input.size() - m_room;
    if (excess > 0) {
        const qsizetype from = std::max<qsizetype>(0, pos - excess);
        input.remove(from, excess);
        pos = int(from);
    }
    m_room = std::max<qsizetype>(m_limit, input.size());
    return Acceptable;
}
