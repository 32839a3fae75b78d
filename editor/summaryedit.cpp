#include "editor/summaryedit.h"

#include "card/cardfields.h"
#include "card/fieldtable.h"

#include <QKeyEvent>
#include <QTextCursor>

#include <algorithm>

namespace {

// Ctrl alone among Shift, Ctrl and Alt.
bool ctrlAlone(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == Qt::ControlModifier;
}

// The character a keystroke types; Ctrl with a letter types its control
// code even where the event carries no text. 0 for a key without one.
int characterOf(const QKeyEvent *event)
{
    if (!event->text().isEmpty())
        return event->text().at(0).unicode();
    if ((event->modifiers() & Qt::ControlModifier) && event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z)
        return event->key() - Qt::Key_A + 1;
    return 0;
}

}   // namespace

SummaryEdit::SummaryEdit(QWidget *parent) : QPlainTextEdit(parent), m_room(fieldWidth(Field::Resume))
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, &SummaryEdit::keepWithinRoom);
}

QString SummaryEdit::text() const
{
    // The raw text keeps no-break spaces, which the plain text turns into blanks.
    QString text = document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text.replace(QChar::LineSeparator, QLatin1Char('\n'));
}

void SummaryEdit::setWhole(const QString &text)
{
    m_room = std::max<qsizetype>(fieldWidth(Field::Resume), summaryStoredLength(text));
    setPlainText(text);
}

void SummaryEdit::keepWithinRoom()
{
    qsizetype excess = summaryStoredLength(text()) - m_room;
    if (excess > 0) {
        QTextCursor cursor = textCursor();
        cursor.clearSelection();
        if (cursor.position() < excess)
            cursor.movePosition(QTextCursor::End);
        while (excess > 0 && cursor.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor))
            excess -= cursor.selectedText().front() == QChar::ParagraphSeparator ? 2 : 1;
        cursor.removeSelectedText();
        return;   // the removal is a change of its own
    }
    m_room = std::max<qsizetype>(fieldWidth(Field::Resume), summaryStoredLength(text()));
    emit edited();
}

bool SummaryEdit::event(QEvent *event)
{
    if (event->type() == QEvent::KeyPress && onKey(static_cast<QKeyEvent *>(event)))
        return true;
    return QPlainTextEdit::event(event);
}

// True when the key is taken.
bool SummaryEdit::onKey(const QKeyEvent *event)
{
    if (event->key() == Qt::Key_A && ctrlAlone(event->modifiers())) {
        selectAll();
        m_selectedByKey = true;
    }
    if (characterOf(event) == 0 || !m_selectedByKey)
        return false;
    m_selectedByKey = false;
    return true;
}
