#include "editor/editorwindow.h"

#include "editor/typinglimit.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr QChar kSeparator = QLatin1Char('|');   // ends each name in the card record

}   // namespace

void EditorWindow::emptyActors()
{
    m_actorsBox->clear();
    m_actorsLocked = false;
    clearActorEdit();
}

void EditorWindow::deselectActors()
{
    m_actorsBox->setCurrentIndex(-1);
    m_card.pickActor(std::nullopt);
    m_deleteActorButton->setEnabled(false);
}

bool EditorWindow::addActorName(const QString &name)
{
    if (m_actorsBox->count() >= CardActors::Max)
        return false;
    m_actorsBox->addItem(name);
    lockIfFull();
    return true;
}

QStringList EditorWindow::actorNames() const
{
    QStringList names;
    for (int i = 0; i < m_actorsBox->count(); ++i)
        names << m_actorsBox->itemText(i);
    return names;
}

// The picked actor while it is still in the list.
std::optional<int> EditorWindow::pickedActor() const
{
    const std::optional<int> index = m_card.pickedActor();
    return index && *index >= 0 && *index < m_actorsBox->count() ? index : std::nullopt;
}

// Whether the names, with name in place of the one at index (or added when
// -1), still fit the card's field: names loaded from elsewhere may be long.
bool EditorWindow::actorFits(const QString &name, int index) const
{
    QStringList names = actorNames();
    if (index >= 0)
        names[index] = name;
    else
        names << name;
    return joinActorNames(names).size() <= fieldWidth(Field::Acteurs);
}

void EditorWindow::clearActorEdit()
{
    deselectActors();
    m_actorsBox->setEditText(QString());
}

// A full list takes no typing until a name is picked, however it got full.
void EditorWindow::lockIfFull()
{
    if (m_actorsBox->count() >= CardActors::Max) {
        m_actorsLocked = true;
        m_actorsBox->setEditText(QString());
    }
}

namespace {

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

// Enter puts the name typed in the list, in place of the picked one; Esc
// empties the entry; the separator is never typed. True when the key is taken.
bool EditorWindow::onActorsKey(const QKeyEvent *event)
{
    const char16_t character = actorKeyCharacter(event);
    if (character == kEnter && !m_actorsBox->currentText().isEmpty()) {
        enterActor(m_actorsBox->currentText());
        return true;
    }
    if (character == kEscape) {
        clearActorEdit();
        lockIfFull();
        return true;
    }
    return character == kSeparator.unicode();   // it would split the name in two in the card record
}

void EditorWindow::enterActor(const QString &text)
{
    const std::optional<int> picked = pickedActor();
    if (!actorFits(text, picked.value_or(-1)))
        return;
    if (picked) {
        m_actorsBox->removeItem(*picked);
        m_actorsBox->insertItem(*picked, text);
    } else if (m_actorsBox->count() < CardActors::Max) {
        m_actorsBox->addItem(text);
    } else {
        lockIfFull();
        return;
    }
    setModified(true);
    clearActorEdit();
    lockIfFull();
}

bool EditorWindow::actorTyped() const
{
    const QString typed = m_actorsBox->lineEdit()->text();
    const std::optional<int> picked = m_card.pickedActor();
    return !typed.isEmpty() && (!picked || typed != m_actorsBox->itemText(*picked));
}

void EditorWindow::cleanActorEdit()
{
    QLineEdit *edit = m_actorsBox->lineEdit();
    if (m_actorsLocked) {
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

void EditorWindow::pickActor(int index)
{
    m_card.pickActor(index);
    m_deleteActorButton->setEnabled(true);
    m_actorsLocked = false;
    // The box wiped the entry's text while it was locked; a loaded name
    // longer than typing allows is shown whole.
    TypingLimit::setWhole(m_actorsBox->lineEdit(), m_actorsBox->itemText(index));
}

void EditorWindow::deleteActor()
{
    const std::optional<int> picked = pickedActor();
    if (!picked)
        return;
    const QString text = m_actorsBox->currentText();
    m_actorsBox->removeItem(*picked);
    deselectActors();
    m_actorsBox->setEditText(text);
    setModified(true);
}
