#include "tool/tooltexts.h"

namespace {

QString quoted(const QString &text)
{
    return QStringLiteral("« %1 »").arg(text);
}

// A character as people can find it: itself when printable, and its code;
// a control character alone would be invisible, or move the cursor.
QString characterName(char32_t c)
{
    const QString code = QStringLiteral("U+%1").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper();
    if (QChar::category(c) == QChar::Other_Control)
        return code;
    return quoted(QString::fromUcs4(&c, 1)) + QStringLiteral(" (") + code + QLatin1Char(')');
}

// A value left out, and how many others of its kind with it.
QString withOthers(const QString &value, qsizetype others)
{
    if (others == 0)
        return quoted(value);
    // One arg() call: a name holding "%2" stays as it is.
    return QStringLiteral("%1 et %2 %3")
        .arg(quoted(value), QString::number(others),
            others == 1 ? QStringLiteral("autre") : QStringLiteral("autres"));
}

QString plural(qsizetype others)
{
    return others == 0 ? QString() : QStringLiteral("s");
}

}   // namespace

QString ToolText::pictureTooLarge(const QString &path, int width, int height)
{
    return path
        + QStringLiteral(" : image trop grande, %1 × %2 pixels ; une affiche en a au plus %3 millions")
              .arg(width)
              .arg(height)
              .arg(kMaxPosterPixels / 1'000'000);
}

QString ToolText::tooManyScans(const QString &path)
{
    return path
        + QStringLiteral(
            " : image trop lourde, un JPEG progressif de plus de %1 passes ; une affiche en a une dizaine")
              .arg(kMaxJpegScans);
}

QString ToolText::unknownField(const QString &name)
{
    QStringList names;
    for (const Field field : kFields)
        names << fieldName(field);
    return QStringLiteral("champ inconnu %1 ; les champs : %2")
        .arg(quoted(name), names.join(QStringLiteral(", ")));
}

QString ToolText::fieldProblem(const FieldProblem &problem)
{
    const QString field = fieldName(problem.field) + QStringLiteral(" : ");
    const QString value = quoted(problem.value);
    switch (problem.kind) {
    case FieldProblem::TooLong:
        return field
            + QStringLiteral("%1 caractères, le champ en tient %2").arg(problem.length).arg(problem.limit);
    case FieldProblem::ControlCharacter:
        return field
            + QStringLiteral("le caractère de commande %1 n'a pas sa place dans ce champ")
                  .arg(characterName(problem.character));
    case FieldProblem::NotNumber:
        return field + QStringLiteral("%1 n'est pas un nombre").arg(value);
    case FieldProblem::TooManyItems:
        return field
            + QStringLiteral("%1 éléments, une fiche en tient %2").arg(problem.length).arg(problem.limit);
    case FieldProblem::EmptyItem:
        return field + QStringLiteral("un élément est vide");
    case FieldProblem::ItemWithBar:
        return field + QStringLiteral("le nom %1 contient « | », qui sépare les noms").arg(value);
    case FieldProblem::NotFlag:
        return field + QStringLiteral("%1 n'est ni oui ni non").arg(value);
    case FieldProblem::NotRating:
        return field + QStringLiteral("%1 n'est pas une note entière de 1 à 10").arg(value);
    case FieldProblem::NotDate:
        return field + QStringLiteral("%1 n'est pas une date AAAA-MM-JJ (ni AAAA-MM-JJ HH:MM:SS)").arg(value);
    case FieldProblem::NotImdb:
        return field + QStringLiteral("%1 n'est pas un identifiant IMDb (tt suivi de chiffres)").arg(value);
    case FieldProblem::NotTmdb:
        return field + QStringLiteral("%1 n'est pas un identifiant TMDb (un nombre)").arg(value);
    case FieldProblem::NotCount:
        return field + QStringLiteral("%1 n'est pas un nombre entier de 1 ou plus").arg(value);
    }
    return field + value;
}

QString ToolText::jsonWrongType(const QString &key)
{
    const std::optional<Field> field = fieldNamed(key);
    const FieldRule rule = field ? fieldLayout(*field).rule : FieldRule::Text;
    QString expected = QStringLiteral("du texte");
    if (field && holdsList(*field))
        expected = QStringLiteral("une liste de textes");
    else if (rule == FieldRule::Flag)
        expected = QStringLiteral("true ou false");
    else if (isNumberRule(rule) || rule == FieldRule::Rating || rule == FieldRule::TmdbId)
        expected = QStringLiteral("un nombre entier ou du texte");
    return QStringLiteral("%1 : valeur d'un type incorrect ; attendu : %2").arg(key, expected);
}

QString ToolText::nfoTooLarge(const QString &path, qint64 limit)
{
    return path
        + QStringLiteral(" : plus de %1 Mo, bien trop pour le fichier .nfo d'un film")
              .arg(limit / (1024 * 1024));
}

namespace {

// "1 autre", "2 autres".
QString othersCount(qsizetype others)
{
    return QStringLiteral("%1 %2").arg(others).arg(
        others == 1 ? QStringLiteral("autre") : QStringLiteral("autres"));
}

QString othersAfter(qsizetype others)
{
    return others == 0 ? QString() : QStringLiteral(" et ") + othersCount(others);
}

QString leftOut(const FieldProblem &problem, qsizetype others)
{
    if (problem.kind == FieldProblem::TooManyItems)
        return fieldName(problem.field)
            + QStringLiteral(" : %1 laissé%2 de côté, une fiche en tient %3")
                  .arg(withOthers(problem.value, others), plural(others), QString::number(problem.limit));
    QString text = ToolText::fieldProblem(problem) + QStringLiteral(" ; laissé de côté");
    if (others > 0)
        text += QStringLiteral(", avec ") + othersCount(others);
    return text;
}

QString replaced(const NfoNote &note)
{
    QStringList names;
    for (const char32_t c : note.characters)
        names << characterName(c);
    return fieldName(note.problem.field)
        + QStringLiteral(" : caractère de commande remplacé par « ? » : %1")
              .arg(names.join(QStringLiteral(", ")));
}

}   // namespace

QString ToolText::nfoNoteText(const NfoNote &note)
{
    const QString &value = note.problem.value;
    switch (note.kind) {
    case NfoNote::Kind::Refused:
        return leftOut(note.problem, note.others);
    case NfoNote::Kind::OtherIdentifier:
        return QStringLiteral(
            "uniqueid : %1 (%2)%3 laissé%4 de côté, une fiche ne garde que ceux d'IMDb et de TMDb")
            .arg(quoted(value), note.detail, othersAfter(note.others), plural(note.others));
    case NfoNote::Kind::NotSeen:
        return fieldName(note.problem.field)
            + QStringLiteral(" : %1 laissé de côté, le .nfo dit le film pas vu").arg(quoted(value));
    case NfoNote::Kind::RuntimeRefused:
        return QStringLiteral(
            "durée : %1 laissée de côté, ce n'est pas un nombre de minutes qu'une fiche peut contenir")
            .arg(quoted(value));
    case NfoNote::Kind::RuntimeNotWritten:
        return QStringLiteral("durée : %1 h %2 non exportée, ce ne sont pas des nombres")
            .arg(quoted(value), quoted(note.detail));
    case NfoNote::Kind::ControlReplaced:
        return replaced(note);
    }
    return value;
}
