#include "editor/actorlist.h"

#include "card/cardrecord.h"
#include "editor/typinglimit.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace {

constexpr QChar kSeparator = QLatin1Char('|');   // ends each name in the card record
constexpr char16_t kEnter = 13, kEscape = 27;

// The character a key types into the actor box; Enter and Esc count as their
// control characters. 0 for a key without one.
char16_t actorKeyCharacter(const QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return kEnter;
    if (event->key() == Qt::Key_Escape)
        return kEscape;
    return event->text().isEmpty() ? 0 : event->text().at(0).unicode();
}

}   // namespace

ActorList::ActorList(QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);   // Enter is the actor box's own
    setCompleter(nullptr);
    TypingLimit::apply(lineEdit(), CardActors::NameLength);
    connect(this, &QComboBox::editTextChanged, this, &ActorList::cleanEntry);
    connect(this, &QComboBox::activated, this, &ActorList::pick);
    installEventFilter(this);
    lineEdit()->installEventFilter(this);
}

QStringList ActorList::names() const
{
    QStringList names;
    for (int i = 0; i < count(); ++i)
        names << itemText(i);
    return names;
}

void ActorList::setNames(const QStringList &names)
{
    clear();
    m_locked = false;
    clearEntry();
    // Every name is kept, more than the list takes from the keyboard too.
    addItems(names);
    lockIfFull();
    clearEntry();   // the list takes its first name as the edit text otherwise
}

void ActorList::deselect()
{
    setCurrentIndex(-1);
    m_picked.reset();
    emit picked(false);
}

bool ActorList::typing() const
{
    const QString typed = lineEdit()->text();
    return !typed.isEmpty() && (!m_picked || typed != itemText(*m_picked));
}

void ActorList::deletePicked()
{
    const std::optional<int> picked = pickedIndex();
    if (!picked)
        return;
    const QString text = currentText();
    removeItem(*picked);
    deselect();
    setEditText(text);
    emit changed();
}

bool ActorList::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && (watched == this || watched == lineEdit()))
        return onKey(static_cast<QKeyEvent *>(event));
    return QComboBox::eventFilter(watched, event);
}

// True when the key is taken.
bool ActorList::onKey(const QKeyEvent *event)
{
    const char16_t character = actorKeyCharacter(event);
    if (character == kEnter && !currentText().isEmpty()) {
        enter(currentText());
        return true;
    }
    if (character == kEscape) {
        clearEntry();
        lockIfFull();
        return true;
    }
    return character == kSeparator.unicode();   // it would split the name in two in the card record
}

void ActorList::enter(const QString &text)
{
    const std::optional<int> picked = pickedIndex();
    if (!fits(text, picked.value_or(-1)))
        return;
    if (picked) {
        removeItem(*picked);
        insertItem(*picked, text);
    } else if (count() < CardActors::Max) {
        addItem(text);
    } else {
        lockIfFull();
        return;
    }
    emit changed();
    clearEntry();
    lockIfFull();
}

void ActorList::clearEntry()
{
    deselect();
    setEditText(QString());
}

void ActorList::cleanEntry()
{
    QLineEdit *edit = lineEdit();
    if (m_locked) {
        if (!edit->text().isEmpty())
            edit->clear();
        return;
    }
    QString text = edit->text();
    int caret = edit->cursorPosition();
    caret -= int(text.left(caret).count(kSeparator));   // a pasted separator goes too
    text.remove(kSeparator);
    if (text != edit->text()) {
        edit->setText(text);
        edit->setCursorPosition(caret);
    }
}

void ActorList::pick(int index)
{
    m_picked = index;
    emit picked(true);
    m_locked = false;
    // The box wiped the entry's text while it was locked; a loaded name
    // longer than typing allows is shown whole.
    TypingLimit::setWhole(lineEdit(), itemText(index));
}

// Whether the names, with name in place of the one at index (or added when
// -1), still fit the card's field: names loaded from elsewhere may be long.
bool ActorList::fits(const QString &name, int index) const
{
    QStringList names = this->names();
    if (index >= 0)
        names[index] = name;
    else
        names << name;
    return joinActorNames(names).size() <= fieldWidth(Field::Acteurs);
}

// The picked name while it is still in the list.
std::optional<int> ActorList::pickedIndex() const
{
    return m_picked && *m_picked >= 0 && *m_picked < count() ? m_picked : std::nullopt;
}

// A full list takes no typing until a name is picked, however it got full.
void ActorList::lockIfFull()
{
    if (count() >= CardActors::Max) {
        m_locked = true;
        setEditText(QString());
    }
}
