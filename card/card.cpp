#include "card/card.h"

#include "card/cardfields.h"
#include "card/cp1252.h"
#include "card/transliteration.h"

namespace {

// The record's form of a field's value, as the record stores it.
QString storedText(FieldRule rule, const QString &text)
{
    if (rule == FieldRule::Hours)
        return hoursField(text);
    return rule == FieldRule::Summary ? summaryField(text) : text;
}

bool fitsRecord(const QString &stored, int width)
{
    return stored.size() <= width && nonCp1252Spans(stored).isEmpty();
}

void storeRecordText(Card &card, Field field, const QString &text)
{
    const int width = fieldWidth(field);
    const QString stored = storedText(fieldLayout(field).rule, text);
    const bool fits = fitsRecord(stored, width);
    card.record.text(field) = fixedWidth(fits ? stored : windows1252Form(stored).left(width), width);
    card.extension.values.text(field) = fits ? QString() : text;
}

// Names the record holds as they are: every name, even more than ten, as
// long as they fit, the last one's "|" left out if need be, as a record
// cut at its width holds it.
bool recordHoldsNames(const QStringList &names, int width)
{
    const QString joined = joinActorNames(names);
    return (joined.size() <= width || (joined.size() == width + 1 && !names.last().isEmpty()))
        && nonCp1252Spans(joined).isEmpty();
}

// Otherwise the record holds at most ten of them, whole, each in its
// Windows-1252 form, and the extension all of them.
void storeActors(Card &card, Field field, const QStringList &names)
{
    const int width = fieldWidth(field);
    const bool exact = recordHoldsNames(names, width);
    QStringList kept;
    for (const QString &name : exact ? QStringList() : names) {
        const QString form = windows1252Form(name);
        if (kept.size() == CardActors::Max || joinActorNames(kept + QStringList { form }).size() > width)
            break;
        if (!form.isEmpty())
            kept << form;
    }
    card.record.text(field) = fixedWidth(joinActorNames(exact ? names : kept), width);
    card.extension.values.list(field) = exact ? QStringList() : names;
}

QStringList editedList(
    const Card &card, const CardEdit &edit, ControlCharacters controls, std::optional<FieldProblem> &problem)
{
    QStringList given = edit.list;
    if ((problem = checkList(edit.field, given, controls)) || edit.op == CardEdit::Op::Set)
        return given;
    QStringList items = cardValues(card).list(edit.field);
    for (const QString &item : given) {
        if (edit.op == CardEdit::Op::Remove)
            items.removeAll(item);
        else if (!items.contains(item))
            items << item;
    }
    problem = checkList(edit.field, items, controls);
    return items;
}

void storeValue(Card &card, Field field, const QString &text, const QStringList &items)
{
    if (inRecord(field) && holdsList(field))
        storeActors(card, field, items);
    else if (inRecord(field))
        storeRecordText(card, field, text);
    else if (holdsList(field))
        card.extension.values.list(field) = items;
    else
        card.extension.values.text(field) = text;
}

// What one field's change brings to another.
void storeConsequences(Card &card, Field field)
{
    CardValues &values = card.extension.values;
    if ((field == Field::VuLe && !values.list(Field::VuLe).isEmpty())
        || (field == Field::VuFois && !values.text(Field::VuFois).isEmpty()))
        values.text(Field::Vu) = kFlagSet;
    if (field == Field::Vu && values.text(Field::Vu).isEmpty()) {
        values.list(Field::VuLe).clear();
        values.text(Field::VuFois).clear();
    }
    if (field == Field::PretA && values.text(Field::PretA).isEmpty())
        values.text(Field::PretLe).clear();
}

std::optional<FieldProblem> sizeProblem(const Card &card, Field field)
{
    if (card.extension.isEmpty())
        return std::nullopt;
    static const QByteArray blankRecord(kRecordWidth, ' ');
    const qsizetype size = encodeExtension(card.extension, blankRecord).size() - ExtensionLayout::TrailerSize;
    if (size <= ExtensionLayout::MostBodyBytes)
        return std::nullopt;
    return FieldProblem { .kind = FieldProblem::TooLong,
        .field = field,
        .length = size,
        .limit = int(ExtensionLayout::MostBodyBytes) };
}

}   // namespace

CardValues cardValues(const Card &card)
{
    CardValues values = recordValues(card.record);
    for (const Field field : kFields) {
        if (card.extension.values.isBlank(field))
            continue;
        if (holdsList(field))
            values.list(field) = card.extension.values.list(field);
        else
            values.text(field) = card.extension.values.text(field);
    }
    return values;
}

QList<CardEdit> editsOf(const CardValues &values)
{
    QList<CardEdit> edits;
    for (const Field field : kFields) {
        if (holdsList(field))
            edits << CardEdit { .field = field, .list = values.list(field) };
        else
            edits << CardEdit { .field = field, .text = values.text(field) };
    }
    return edits;
}

std::optional<FieldProblem> applyEdit(Card &card, const CardEdit &edit, ControlCharacters controls)
{
    std::optional<FieldProblem> problem;
    QString text = edit.text;
    QStringList items;
    if (holdsList(edit.field))
        items = editedList(card, edit, controls, problem);
    else
        problem = checkText(edit.field, text, controls);
    if (problem)
        return problem;
    Card changed = card;
    storeValue(changed, edit.field, text, items);
    storeConsequences(changed, edit.field);
    if (auto tooLarge = sizeProblem(changed, edit.field))
        return tooLarge;
    card = std::move(changed);
    return std::nullopt;
}

QString isoDate(const QDate &date)
{
    return date.toString(Qt::ISODate);
}
