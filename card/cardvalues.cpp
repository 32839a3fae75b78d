#include "card/cardvalues.h"

#include "card/basics.h"
#include "card/cardfields.h"
#include "card/cp1252.h"
#include "card/numerictext.h"

namespace {

// The values' texts in Field's order; the actors are a list, not a text.
constexpr std::array<QString CardValues::*, kFieldTable.size()> kTextMembers
    = { &CardValues::titre, &CardValues::annee, &CardValues::heures, &CardValues::minutes, &CardValues::type,
          &CardValues::realisateur, nullptr, &CardValues::resume };

// The first character of text a field cannot hold: outside Windows-1252, or
// a control character (only the summary holds line breaks).
std::optional<FieldProblem> characterProblem(Field field, const QString &text)
{
    for (const char32_t c : text.toUcs4()) {
        if (c == U'\n' && fieldLayout(field).rule == FieldRule::Summary)
            continue;
        if (!isCp1252(c))
            return FieldProblem { .kind = FieldProblem::NotCp1252, .field = field, .character = c };
        if (QChar::category(c) == QChar::Other_Control)
            return FieldProblem { .kind = FieldProblem::ControlCharacter, .field = field, .character = c };
    }
    return std::nullopt;
}

std::optional<FieldProblem> actorsProblem(Field field, const QStringList &names)
{
    if (names.size() > CardActors::Max)
        return FieldProblem { .kind = FieldProblem::TooManyNames,
            .field = field,
            .length = names.size(),
            .limit = CardActors::Max };
    for (const QString &name : names) {
        FieldProblem problem { .kind = FieldProblem::EmptyName, .field = field };
        problem.value = name;
        if (name.isEmpty())
            return problem;
        if (const qsizetype bar = name.indexOf(QLatin1Char('|')); bar >= 0) {
            problem.kind = FieldProblem::NameWithBar;
            problem.character = U'|';
            return problem;
        }
        if (auto character = characterProblem(field, name)) {
            character->value = name;
            return character;
        }
        if (name.size() > CardActors::NameLength) {
            problem.kind = FieldProblem::NameTooLong;
            problem.length = name.size();
            problem.limit = CardActors::NameLength;
            return problem;
        }
    }
    return std::nullopt;
}

std::optional<FieldProblem> applyActors(CardRecord &record, Field field, const QStringList &given)
{
    QStringList names;
    for (const QString &name : given)
        names << name.normalized(QString::NormalizationForm_C);
    if (auto problem = actorsProblem(field, names))
        return problem;
    record.text(field) = fixedWidth(joinActorNames(names), fieldWidth(field));
    return std::nullopt;
}

QString storedText(FieldRule rule, const QString &text)
{
    if (rule == FieldRule::Hours)
        return dureeHField(text);
    return rule == FieldRule::Summary ? resumeField(text) : text;
}

}   // namespace

QString shownText(FieldRule rule, const QString &stored)
{
    if (rule == FieldRule::Summary)
        return summaryText(stored);
    QString text = TrimRight(stored);
    // Only the blank the writer adds is dropped, so that the value stores back the same.
    if (rule == FieldRule::Hours && text.startsWith(QLatin1Char(' ')) && dureeHField(text.mid(1)) == text)
        text.remove(0, 1);
    return text;
}

QString fieldName(Field field)
{
    const std::string_view key = fieldLayout(field).key;
    return QString::fromLatin1(key.data(), qsizetype(key.size()));
}

std::optional<Field> fieldNamed(const QString &name)
{
    for (const Field field : kFields) {
        if (name == fieldName(field))
            return field;
    }
    return std::nullopt;
}

QString &CardValues::text(Field field)
{
    return this->*kTextMembers[size_t(field)];
}

const QString &CardValues::text(Field field) const
{
    return this->*kTextMembers[size_t(field)];
}

CardValues cardValues(const CardRecord &record)
{
    CardValues values;
    for (const FieldLayout &entry : kFieldTable) {
        if (holdsNames(entry.field))
            values.acteurs = splitActorNames(record.text(entry.field));
        else
            values.text(entry.field) = shownText(entry.rule, record.text(entry.field));
    }
    return values;
}

QList<CardEdit> editsOf(const CardValues &values)
{
    QList<CardEdit> edits;
    for (const Field field : kFields) {
        if (holdsNames(field))
            edits << CardEdit { .field = field, .names = values.acteurs };
        else
            edits << CardEdit { .field = field, .text = values.text(field) };
    }
    return edits;
}

std::optional<FieldProblem> applyEdit(CardRecord &record, const CardEdit &edit)
{
    if (holdsNames(edit.field))
        return applyActors(record, edit.field, edit.names);
    const FieldLayout &field = fieldLayout(edit.field);
    QString text = edit.text.normalized(QString::NormalizationForm_C);
    if (field.rule == FieldRule::Summary)   // line breaks arrive as CR LF, CR or LF
        text = lfLineBreaks(text);
    if (auto problem = characterProblem(edit.field, text))
        return problem;
    if (isNumberRule(field.rule) && !text.isEmpty() && !IsNumericText(text, QLocale(QLocale::French))) {
        FieldProblem problem { .kind = FieldProblem::NotNumber, .field = edit.field };
        problem.value = text;
        return problem;
    }
    const QString stored = storedText(field.rule, text);
    if (stored.size() > field.width)
        return FieldProblem {
            .kind = FieldProblem::TooLong, .field = edit.field, .length = stored.size(), .limit = field.width
        };
    record.text(edit.field) = fixedWidth(stored, field.width);
    return std::nullopt;
}
