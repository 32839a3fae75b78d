#include "card/cardvalues.h"

#include "card/basics.h"
#include "card/cardfields.h"
#include "card/cp1252.h"
#include "card/numerictext.h"

namespace {

struct FieldInfo {
    const char *name;
    QString CardRecord::*member;
    int width;
    bool numeric;   // the editor's numeric boxes
};

const FieldInfo &info(Field field)
{
    static const std::array<FieldInfo, 8> table = { {
        { "titre", &CardRecord::Titre, CardWidth::Titre, false },
        { "annee", &CardRecord::Annee, CardWidth::Annee, true },
        { "heures", &CardRecord::DureeH, CardWidth::DureeH, true },
        { "minutes", &CardRecord::DureeM, CardWidth::DureeM, true },
        { "type", &CardRecord::Type, CardWidth::Type, false },
        { "realisateur", &CardRecord::Realisateur, CardWidth::Realisateur, false },
        { "acteurs", &CardRecord::Acteurs, CardWidth::Acteurs, false },
        { "resume", &CardRecord::Resume, CardWidth::Resume, false },
    } };
    return table[size_t(field)];
}

// The first character of text a field cannot hold: outside Windows-1252, or
// a control character (only the summary holds line breaks).
std::optional<FieldProblem> characterProblem(Field field, const QString &text)
{
    for (const char32_t c : text.toUcs4()) {
        if (c == U'\n' && field == Field::Resume)
            continue;
        if (!isCp1252(c))
            return FieldProblem { .kind = FieldProblem::NotCp1252, .field = field, .character = c };
        if (QChar::category(c) == QChar::Other_Control)
            return FieldProblem { .kind = FieldProblem::ControlCharacter, .field = field, .character = c };
    }
    return std::nullopt;
}

std::optional<FieldProblem> actorsProblem(const QStringList &names)
{
    if (names.size() > CardActors::Max)
        return FieldProblem { .kind = FieldProblem::TooManyNames,
            .field = Field::Acteurs,
            .length = names.size(),
            .limit = CardActors::Max };
    for (const QString &name : names) {
        FieldProblem problem { .kind = FieldProblem::EmptyName, .field = Field::Acteurs };
        problem.value = name;
        if (name.isEmpty())
            return problem;
        if (const qsizetype bar = name.indexOf(QLatin1Char('|')); bar >= 0) {
            problem.kind = FieldProblem::NameWithBar;
            problem.character = U'|';
            return problem;
        }
        if (auto character = characterProblem(Field::Acteurs, name)) {
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

std::optional<FieldProblem> applyActors(CardRecord &record, const QStringList &given)
{
    QStringList names;
    for (const QString &name : given)
        names << name.normalized(QString::NormalizationForm_C);
    if (auto problem = actorsProblem(names))
        return problem;
    record.Acteurs = fixedWidth(joinActorNames(names), CardWidth::Acteurs);
    return std::nullopt;
}

QString storedText(Field field, const QString &text)
{
    if (field == Field::Heures)
        return dureeHField(text);
    return field == Field::Resume ? resumeField(text) : text;
}

}   // namespace

QString fieldName(Field field)
{
    return QString::fromLatin1(info(field).name);
}

std::optional<Field> fieldNamed(const QString &name)
{
    for (const Field field : kFields) {
        if (name == fieldName(field))
            return field;
    }
    return std::nullopt;
}

CardValues cardValues(const CardRecord &record)
{
    CardValues values;
    values.titre = TrimRight(record.Titre);
    values.annee = TrimRight(record.Annee);
    values.heures = TrimRight(record.DureeH);
    // Only the blank the writer adds is dropped, so that the value stores back the same.
    if (values.heures.startsWith(QLatin1Char(' ')) && dureeHField(values.heures.mid(1)) == values.heures)
        values.heures.remove(0, 1);
    values.minutes = TrimRight(record.DureeM);
    values.type = TrimRight(record.Type);
    values.realisateur = TrimRight(record.Realisateur);
    values.acteurs = splitActorNames(record.Acteurs);
    values.resume = summaryText(record.Resume);
    return values;
}

QList<CardEdit> editsOf(const CardValues &values)
{
    return { { .field = Field::Titre, .text = values.titre }, { .field = Field::Annee, .text = values.annee },
        { .field = Field::Heures, .text = values.heures },
        { .field = Field::Minutes, .text = values.minutes }, { .field = Field::Type, .text = values.type },
        { .field = Field::Realisateur, .text = values.realisateur },
        { .field = Field::Acteurs, .names = values.acteurs },
        { .field = Field::Resume, .text = values.resume } };
}

std::optional<FieldProblem> applyEdit(CardRecord &record, const CardEdit &edit)
{
    if (edit.field == Field::Acteurs)
        return applyActors(record, edit.names);
    const FieldInfo &field = info(edit.field);
    QString text = edit.text.normalized(QString::NormalizationForm_C);
    if (edit.field == Field::Resume)   // line breaks arrive as CR LF, CR or LF
        text = lfLineBreaks(text);
    if (auto problem = characterProblem(edit.field, text))
        return problem;
    if (field.numeric && !text.isEmpty() && !IsNumericText(text, QLocale(QLocale::French))) {
        FieldProblem problem { .kind = FieldProblem::NotNumber, .field = edit.field };
        problem.value = text;
        return problem;
    }
    const QString stored = storedText(edit.field, text);
    if (stored.size() > field.width)
        return FieldProblem {
            .kind = FieldProblem::TooLong, .field = edit.field, .length = stored.size(), .limit = field.width
        };
    record.*field.member = fixedWidth(stored, field.width);
    return std::nullopt;
}
