// Writing the card shown in the editor.
#include "editor/editorwindow.h"

#include "app/common.h"
#include "app/desktop.h"
#include "app/messages.h"
#include "app/texts.h"
#include "card/cardfields.h"
#include "card/cardfile.h"
#include "card/cardsave.h"
#include "dialogs/filedialog.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>

CardValues EditorWindow::shownValues() const
{
    CardValues values;
    values.text(Field::Titre) = m_titleEdit->text();
    values.text(Field::Annee) = m_yearEdit->text();
    values.text(Field::Heures) = m_hoursEdit->text();
    values.text(Field::Minutes) = m_minutesEdit->text();
    values.text(Field::Type) = m_genreEdit->text();
    values.text(Field::Realisateur) = m_directorEdit->text();
    values.list(Field::Acteurs) = actorNames();
    values.text(Field::Resume) = summary();
    return values;
}

namespace {

// Every character typed is kept. A value the boxes let through but the
// field's rules refuse (a number longer than its field, loaded so and
// changed; an actor's name with "|") goes into the record as typed, as
// every version of the editor did.
void storeTyped(Card &card, Field field, const CardValues &shown)
{
    const CardEdit edit { .field = field, .text = shown.text(field), .list = shown.list(field) };
    if (!applyEdit(card, edit, ControlCharacters::Kept))
        return;
    const FieldRule rule = fieldLayout(field).rule;
    const QString text = rule == FieldRule::Actors ? joinActorNames(shown.list(field))
        : rule == FieldRule::Hours                 ? dureeHField(shown.text(field))
        : rule == FieldRule::Summary               ? resumeField(shown.text(field))
                                                   : shown.text(field);
    card.record.text(field) = fixedWidth(text, fieldWidth(field));
    card.extension.values.text(field).clear();
    card.extension.values.list(field).clear();
}

}   // namespace

// The record's fields as the boxes show them, the others as loaded or
// saved; a new card's first save dates it.
Card EditorWindow::collectCard() const
{
    Card card = m_card.content();
    const CardValues shown = shownValues();
    for (const Field field : kRecordFields)
        storeTyped(card, field, shown);
    if (!m_card.hasFile() && card.extension.values.text(Field::AjouteeLe).isEmpty())
        applyEdit(card, { .field = Field::AjouteeLe, .text = isoDate(QDate::currentDate()) });
    return card;
}

QString EditorWindow::chooseCardPath(const QString &proposed, const QString &folder)
{
    return ShowFileDialog(FileDialogKind::Save, textOf(Text::SaveCardAsTitle), cardFilters(),
        kDocumentsFolder, this, FileDialogFlag::OverwritePrompt | FileDialogFlag::NoReadOnlyReturn, proposed,
        kCardExtension, folder);
}

bool EditorWindow::saveNewCard()
{
    const QString path = chooseCardPath(m_titleEdit->text(), m_newCardFolder);
    // The dialog asked before replacing: a link chosen there is replaced, not written through.
    return !path.isEmpty()
        && savedAs(path, writeWholeCard(path, collectCard(), m_card.posterToSave(), LinkAtPath::Replace));
}

// The dialog opens where the card is, on its name. A poster removed since
// the load is not carried into the copy.
bool EditorWindow::writeCopy()
{
    const QString &source = m_card.file().path;
    const QString path = chooseCardPath(fileNameOf(source), QFileInfo(source).absolutePath());
    if (path.isEmpty())
        return false;
    const Card card = collectCard();
    return savedAs(path,
        m_card.posterChanged() && m_card.posterToSave().isEmpty()
            ? writeWholeCard(path, card, QString(), LinkAtPath::Replace)
            : writeCardCopy(source, path, card, m_card.posterToSave(), LinkAtPath::Replace));
}

bool EditorWindow::savedAs(const QString &path, const SaveResult &result)
{
    if (!saveSucceeded(result))
        return false;
    m_card.setContent(collectCard());
    m_card.savedAs(path, result.written);
    return true;
}

// Save of a card with a file writes over it only while it is the file the
// editor loaded or saved; the user decides what becomes of another
// program's change. A file removed since is written anew.
bool EditorWindow::saveOverFile()
{
    const CardFile &file = m_card.file();
    SaveResult result = file.version ? replaceIfUnchanged(file.path, *file.version, collectCard(),
                            m_card.posterToWrite(), LinkAtPath::Follow)
                                     : writeShownCard(std::nullopt);
    if (result.status == SaveStatus::SourceMissing && result.failedPath == file.path) {
        m_card.fileRemoved();
        result = writeShownCard(std::nullopt);
    }
    if (result.status == SaveStatus::Changed)
        return settleDiskChange();
    return savedOver(result);
}

// The card as the user sees it, in place of the file onDisk (nullopt: none
// there) that they chose to replace: Changed when another program wrote
// again since. The card opened through a link stays the card saved.
SaveResult EditorWindow::writeShownCard(const std::optional<CardVersion> &onDisk)
{
    const QString &path = m_card.file().path;
    const PosterChoice poster = m_card.posterShownToWrite();
    if (onDisk)
        return replaceIfUnchanged(path, *onDisk, collectCard(), poster, LinkAtPath::Follow);
    if (cardFingerprint(path))
        return { SaveStatus::Changed, path };
    return writeWholeCard(path, collectCard(), poster.path, LinkAtPath::Follow);
}

bool EditorWindow::savedOver(const SaveResult &result)
{
    if (!saveSucceeded(result))
        return false;
    m_card.setContent(collectCard());
    m_card.saved(result.written);
    return true;
}
