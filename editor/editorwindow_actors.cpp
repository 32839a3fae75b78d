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
    cboActeurs->clear();
    m_actorsLocked = false;
    clearActorEdit();
}

void EditorWindow::deselectActors()
{
    cboActeurs->setCurrentIndex(-1);
    m_card.pickActor(std::nullopt);
    cmdActSupp->setEnabled(false);
}

bool EditorWindow::addActorName(const QString &name)
{
    if (cboActeurs->count() >= CardActors::Max)
        return false;
    cboActeurs->addItem(name);
    lockIfFull();
    return true;
}

QStringList EditorWindow::actorNames() const
{
    QStringList names;
    for (int i = 0; i < cboActeurs->count(); ++i)
        names << cboActeurs->itemText(i);
    return names;
}

// The picked actor while it is still in the list.
std::optional<int> EditorWindow::pickedActor() const
{
    const std::optional<int> index = m_card.pickedActor();
    return index && *index >= 0 && *index < cboActeurs->count() ? index : std::nullopt;
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
    return joinActorNames(names).size() <= CardWidth::Acteurs;
}

void EditorWindow::clearActorEdit()
{
    deselectActors();
    cboActeurs->setEditText(QString());
}

// A full list takes no typing until a name is picked, however it got full.
void EditorWindow::lockIfFull()
{
    if (cboActeurs->count() >= CardActors::Max) {
        m_actorsLocked = true;
        cboActeurs->setEditText(QString());
    }
}

bool EditorWindow::cboActeursKey(QKeyEvent *event)
{
    int KeyAscii = 0;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        KeyAscii = 13;
    else if (event->key() == Qt::Key_Escape)
        KeyAscii = 27;
    else if (!event->text().isEmpty())
        KeyAscii = event->text().at(0).unicode();
    if (KeyAscii == 0)
        return false;
    cboActeurs_KeyPress(KeyAscii);
    return KeyAscii == 0;
}

void EditorWindow::cboActeurs_KeyPress(int &KeyAscii)
{
    const QString text = cboActeurs->currentText();
    if (KeyAscii == 13 && !text.isEmpty()) {
        KeyAscii = 0;
        const std::optional<int> picked = pickedActor();
        if (!actorFits(text, picked.value_or(-1)))
            return;
        if (picked) {
            cboActeurs->removeItem(*picked);
            cboActeurs->insertItem(*picked, text);
        } else if (cboActeurs->count() < CardActors::Max) {
            cboActeurs->addItem(text);
        } else {
            lockIfFull();
            return;
        }
        ChangeEdit(true);
        clearActorEdit();
        lockIfFull();
    } else if (KeyAscii == 27) {
        KeyAscii = 0;
        clearActorEdit();
        lockIfFull();
    } else if (KeyAscii == kSeparator.unicode()) {
        KeyAscii = 0;   // it would split the name in two in the card record
    }
}

void EditorWindow::cboActeurs_Change()
{
    QLineEdit *edit = cboActeurs->lineEdit();
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

void EditorWindow::cboActeurs_Click(int index)
{
    m_card.pickActor(index);
    cmdActSupp->setEnabled(true);
    m_actorsLocked = false;
    // The box wiped the entry's text while it was locked; a loaded name
    // longer than typing allows is shown whole.
    TypingLimit::setWhole(cboActeurs->lineEdit(), cboActeurs->itemText(index));
}

void EditorWindow::cmdActSupp_Click()
{
    const std::optional<int> picked = pickedActor();
    if (!picked)
        return;
    const QString text = cboActeurs->currentText();
    cboActeurs->removeItem(*picked);
    deselectActors();
    cboActeurs->setEditText(text);
    ChangeEdit(true);
}
