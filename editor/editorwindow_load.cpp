// Loading a card into the editor, and emptying the editor.
#include "editor/editorwindow.h"

#include "card/cardfields.h"
#include "card/cardfile.h"
#include "card/workfolder.h"
#include "desktop/messages.h"
#include "editor/actorlist.h"
#include "editor/posterpanel.h"
#include "editor/summaryedit.h"
#include "editor/typinglimit.h"

#include <QAction>
#include <QLineEdit>

bool EditorWindow::loadCard(const QString &cardPath)
{
    // The file is read before anything is emptied, so a file that is no card
    // leaves the editor with the card it showed. Its poster goes straight
    // into what becomes the card's reset folder.
    const QString folder = makeWorkFolder(1);
    const CardRead read = m_card.load(cardPath, folder);
    if (read.status != CardReadStatus::Ok) {
        removeWorkFolder(folder);
        showCardReadFailure(read.status, cardPath, folder);
        return false;
    }
    emptyEditor();
    fillBoxes(cardValues(read.card));
    m_posterPanel->showPicture(m_card.ownPoster());
    m_posterPanel->setResettable(true);
    setModified(false);
    m_cardWatch->watch(cardPath);
    if (read.extension == ExtensionStatus::Damaged)
        showExtensionDamaged(cardPath);
    return true;
}

// The boxes and the poster, once the card's state was changed.
void EditorWindow::emptyEditor()
{
    for (QLineEdit *box :
        { m_yearEdit, m_hoursEdit, m_minutesEdit, m_directorEdit, m_titleEdit, m_genreEdit })
        box->clear();
    m_summaryEdit->setWhole(QString());
    m_actorsBox->setNames({});
    m_posterPanel->showPicture(QString());
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
    m_actorsBox->setNames(values.list(Field::Acteurs));
    m_summaryEdit->setWhole(values.text(Field::Resume));
    TypingLimit::setWhole(m_directorEdit, values.text(Field::Realisateur));
    TypingLimit::setWhole(m_genreEdit, values.text(Field::Type));
    TypingLimit::setWhole(m_titleEdit, values.text(Field::Titre));
}
