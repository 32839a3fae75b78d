#pragma once
// The editor's summary box. It has no length limit of its own: what goes
// past the room the card's field has (a line break takes two characters
// there) is taken back from the characters just typed or pasted. Ctrl+A
// selects the whole summary, and the character that key types is swallowed.

#include <QPlainTextEdit>

class QKeyEvent;

class SummaryEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit SummaryEdit(QWidget *parent);

    // The summary as typed, each line break a "\n".
    QString text() const;
    // A card's summary, whole however long; the room is then its length.
    void setWhole(const QString &text);

signals:
    // The summary changed, and fits its room.
    void edited();

protected:
    bool event(QEvent *event) override;

private:
    void keepWithinRoom();
    bool onKey(const QKeyEvent *event);

    qsizetype m_room;               // the longest summary the box may hold now, as stored
    bool m_selectedByKey = false;   // Ctrl+A selected all; its character is swallowed
};
