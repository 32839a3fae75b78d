// Loading a card into the editor, and emptying the editor.
#include "editor/editorwindow.h"

#include "app/common.h"
#include "app/messages.h"
#include "card/cardfields.h"
#include "card/cardfile.h"
#include "card/cardsave.h"
#include "card/workfolder.h"
#include "editor/typinglimit.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

bool EditorWindow::loadCard(const QString &cardPath)
{
    // The file is read before anything is emptied, so a file that is no card
    // leaves the editor with the card it showed. Its poster goes straight
    // into what becomes the card's reset folder.
    const QString folder = MakeWorkFolder(1);
    const CardRead read = ReadCardFile(cardPath, folder);
    if (read.status != CardReadStatus::Ok) {
        RemoveWorkFolder(folder);
        showCardReadFailure(read.status, cardPath, folder);
        return false;
    }
    m_card.loaded(cardPath, IsFileReadOnly(cardPath), read.version);
    emptyEditor();
    fillBoxes(cardValues(read.card));
    m_card.setContent(read.card);
    keepPosterCopy(folder);
    showPoster(m_card.ownPoster());
    m_resetPosterAction->setEnabled(true);
    setModified(false);
    followFile();
    if (read.extension == ExtensionStatus::Damaged)
        showExtensionDamaged(cardPath);
    return true;
}

void EditorWindow::removeWorkFolders()
{
    RemoveWorkFolder(m_card.resetFolder());
    RemoveWorkFolder(m_pasteFolder);   // a pasted poster goes with the card
    m_pasteFolder.clear();
}

void EditorWindow::emptyEditor()
{
    removeWorkFolders();
    m_card.forgetPoster();
    for (QLineEdit *box :
        { m_yearEdit, m_hoursEdit, m_minutesEdit, m_directorEdit, m_titleEdit, m_genreEdit })
        box->clear();
    setSummaryWhole(QString());
    emptyActors();
    showPoster(QString());
    setModified(false);
}

// Each step stands alone: a field that holds no number leaves its box empty.
void EditorWindow::fillBoxes(const CardValues &values)
{
    TypingLimit::setWhole(m_yearEdit, values.text(Field::Annee));
    if (const auto hours = hoursText(values.text(Field::Heures)))
        TypingLimit::setWhole(m_hoursEdit, *hours);
    if (const auto minutes = minutesText(values.text(Field::Minutes)))
        TypingLimit::setWhole(m_minutesEdit, *minutes);
    fillActors(values.list(Field::Acteurs));
    setSummaryWhole(values.text(Field::Resume));
    TypingLimit::setWhole(m_directorEdit, values.text(Field::Realisateur));
    TypingLimit::setWhole(m_genreEdit, values.text(Field::Type));
    TypingLimit::setWhole(m_titleEdit, values.text(Field::Titre));
}

void EditorWindow::fillActors(const QStringList &names)
{
    // Every name is kept, more than the list takes from the keyboard too.
    m_actorsBox->addItems(names);
    lockIfFull();
    clearActorEdit();   // the list takes its first name as the edit text otherwise
}

// The folder the load read the poster into keeps it while the card is
// edited, as its reset folder; a card without poster needs none.
void EditorWindow::keepPosterCopy(const QString &folder)
{
    const bool hasPoster = FileExists(folder + WorkFile::Image);
    if (!hasPoster)
        RemoveWorkFolder(folder);
    m_card.keepPoster(hasPoster ? folder : QString());
}
