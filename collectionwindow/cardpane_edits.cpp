// What the user does in the details pane: each choice becomes the edits of
// the cards shown, said at once.
#include "collectionwindow/cardpane.h"

#include "collection/cardchanges.h"
#include "collectionwindow/starrating.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>

void CardPane::connectHandlers()
{
    connect(m_seenBox, &QCheckBox::toggled, this, &CardPane::chooseSeen);
    connect(m_seenTodayButton, &QPushButton::clicked, this, &CardPane::chooseSeenToday);
    connect(m_stars, &StarRating::ratingChosen, this, &CardPane::chooseRating);
    connect(m_addTagButton, &QPushButton::clicked, this, [this] { chooseTag(CardEdit::Op::Add); });
    connect(m_tagEdit, &QLineEdit::returnPressed, this, [this] { chooseTag(CardEdit::Op::Add); });
    connect(m_removeTagButton, &QPushButton::clicked, this, [this] { chooseTag(CardEdit::Op::Remove); });
    const std::pair<QLineEdit *, Field> texts[]
        = { { m_sagaEdit, Field::Saga }, { m_originalTitleEdit, Field::TitreOriginal },
              { m_supportEdit, Field::Support }, { m_placeEdit, Field::Emplacement } };
    for (const auto &[edit, field] : texts)
        connect(edit, &QLineEdit::editingFinished, this, [this, edit, field] { chooseText(field, edit); });
    connect(m_lentToEdit, &QLineEdit::editingFinished, this, &CardPane::chooseLoan);
    connect(m_identifiersLabel, &QLabel::linkActivated, this,
        [this](const QString &link) { emit addressChosen(QUrl(link)); });
    connect(m_cancelButton, &QPushButton::clicked, this, &CardPane::cancelChosen);
}

// The notes are lines: they are kept as the box loses the keyboard.
bool CardPane::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_notesEdit && event->type() == QEvent::FocusOut)
        chooseNotes();
    return QWidget::eventFilter(watched, event);
}

void CardPane::chooseSeen(bool seen)
{
    choose({ { Field::Vu, seen ? kFlagSet : QString() } });
}

void CardPane::chooseSeenToday()
{
    choose(seenTodayEdits(QDate::currentDate()));
}

void CardPane::chooseRating(int rating)
{
    choose({ { Field::Note, rating > 0 ? QString::number(rating) : QString() } });
}

void CardPane::chooseTag(CardEdit::Op op)
{
    const QString tag = m_tagEdit->text().trimmed();
    if (tag.isEmpty())
        return;
    m_tagEdit->clear();
    choose({ { .field = Field::Etiquettes, .list = { tag }, .op = op } });
}

// A text typed for one card replaces its own; for many cards, a blank one
// clears nothing, so that no field of theirs is lost to a stray Tab.
void CardPane::chooseText(Field field, QLineEdit *edit)
{
    const QString text = edit->text();
    edit->setModified(false);
    if (m_shown == Shown::One ? text == m_values.text(field) : text.trimmed().isEmpty())
        return;
    choose({ { field, text } });
}

void CardPane::chooseLoan()
{
    const QString to = m_lentToEdit->text();
    m_lentToEdit->setModified(false);
    if (m_shown == Shown::One ? to.trimmed() == m_values.text(Field::PretA) : to.trimmed().isEmpty())
        return;
    choose(lendingEdits(to, QDate::currentDate()));
}

void CardPane::chooseNotes()
{
    if (m_shown != Shown::One || !m_notesEdit->document()->isModified())
        return;
    m_notesEdit->document()->setModified(false);
    const QString notes = m_notesEdit->toPlainText();
    if (notes != m_values.text(Field::Notes))
        choose({ { Field::Notes, notes } });
}

void CardPane::choose(const QList<CardEdit> &edits)
{
    if (m_shown != Shown::Nothing)
        emit editsChosen(edits);
}
