// The card as the boxes show it, to be saved, and where a save goes.
#include "editor/editorwindow.h"

#include "card/cardfields.h"
#include "desktop/desktop.h"
#include "desktop/filedialog.h"
#include "desktop/messages.h"
#include "editor/actorlist.h"
#include "editor/summaryedit.h"
#include "texts/texts.h"

#include <QFileInfo>
#include <QLineEdit>

CardValues EditorWindow::shownValues() const
{
    CardValues values;
    values.text(Field::Titre) = m_titleEdit->text();
    values.text(Field::Annee) = m_yearEdit->text();
    values.text(Field::Heures) = m_hoursEdit->text();
    values.text(Field::Minutes) = m_minutesEdit->text();
    values.text(Field::Type) = m_genreEdit->text();
    values.text(Field::Realisateur) = m_directorEdit->text();
    values.list(Field::Acteurs) = m_actorsBox->names();
    values.text(Field::Resume) = m_summaryEdit->text();
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
        : rule == FieldRule::Hours                 ? hoursField(shown.text(field))
        : rule == FieldRule::Summary               ? summaryField(shown.text(field))
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
    return showFileDialog(FileDialogKind::Save, textOf(Text::SaveCardAsTitle), cardFilters(),
        kDocumentsFolder, this, FileDialogFlag::OverwritePrompt | FileDialogFlag::NoReadOnlyReturn, proposed,
        kCardExtension, folder);
}
