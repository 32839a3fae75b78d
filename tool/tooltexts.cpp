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
    return say(Say::WithOthers, quoted(value), others, toolText(others == 1 ? Say::Other : Say::Others));
}

QString plural(qsizetype others)
{
    return others == 0 ? QString() : QStringLiteral("s");
}

}   // namespace

QString ToolText::pictureTooLarge(const QString &path, int width, int height)
{
    return say(Say::PictureTooLarge, path, width, height, kMaxPosterPixels / 1'000'000);
}

QString ToolText::tooManyScans(const QString &path)
{
    return say(Say::TooManyScans, path, kMaxJpegScans);
}

QString ToolText::unknownField(const QString &name)
{
    QStringList names;
    for (const Field field : kFields)
        names << fieldName(field);
    return say(Say::UnknownField, quoted(name), names.join(QStringLiteral(", ")));
}

QString ToolText::fieldProblem(const FieldProblem &problem)
{
    const QString field = fieldName(problem.field) + QStringLiteral(" : ");
    const QString value = quoted(problem.value);
    switch (problem.kind) {
    case FieldProblem::TooLong:
        return field + say(Say::FieldTooLong, problem.length, problem.limit);
    case FieldProblem::ControlCharacter:
        return field + say(Say::FieldControlCharacter, characterName(problem.character));
    case FieldProblem::NotNumber:
        return field + say(Say::FieldNotNumber, value);
    case FieldProblem::TooManyItems:
        return field + say(Say::FieldTooManyItems, problem.length, problem.limit);
    case FieldProblem::EmptyItem:
        return field + say(Say::FieldEmptyItem);
    case FieldProblem::ItemWithBar:
        return field + say(Say::FieldItemWithBar, value);
    case FieldProblem::NotFlag:
        return field + say(Say::FieldNotFlag, value);
    case FieldProblem::NotRating:
        return field + say(Say::FieldNotRating, value);
    case FieldProblem::NotDate:
        return field + say(Say::FieldNotDate, value);
    case FieldProblem::NotImdb:
        return field + say(Say::FieldNotImdb, value);
    case FieldProblem::NotTmdb:
        return field + say(Say::FieldNotTmdb, value);
    case FieldProblem::NotCount:
        return field + say(Say::FieldNotCount, value);
    }
    return field + value;
}

QString ToolText::jsonWrongType(const QString &key)
{
    const std::optional<Field> field = fieldNamed(key);
    const FieldRule rule = field ? fieldLayout(*field).rule : FieldRule::Text;
    Say expected = Say::ExpectedText;
    if (field && holdsList(*field))
        expected = Say::ExpectedTexts;
    else if (rule == FieldRule::Flag)
        expected = Say::ExpectedFlag;
    else if (isNumberRule(rule) || rule == FieldRule::Rating || rule == FieldRule::TmdbId)
        expected = Say::ExpectedNumber;
    return say(Say::JsonWrongType, key, toolText(expected));
}

QString ToolText::nfoTooLarge(const QString &path, qint64 limit)
{
    return say(Say::NfoTooLarge, path, limit / (1024 * 1024));
}

namespace {

// "1 autre", "2 autres".
QString othersCount(qsizetype others)
{
    return QStringLiteral("%1 %2").arg(
        QString::number(others), toolText(others == 1 ? Say::Other : Say::Others));
}

QString othersAfter(qsizetype others)
{
    return others == 0 ? QString() : say(Say::OthersAfter, othersCount(others));
}

QString leftOut(const FieldProblem &problem, qsizetype others)
{
    if (problem.kind == FieldProblem::TooManyItems)
        return say(Say::ItemsLeftOut, fieldName(problem.field), withOthers(problem.value, others),
            plural(others), problem.limit);
    QString text = say(Say::ProblemLeftOut, ToolText::fieldProblem(problem));
    if (others > 0)
        text += say(Say::AlongWith, othersCount(others));
    return text;
}

QString replaced(const NfoNote &note)
{
    QStringList names;
    for (const char32_t c : note.characters)
        names << characterName(c);
    return say(Say::ControlReplaced, fieldName(note.problem.field), names.join(QStringLiteral(", ")));
}

}   // namespace

QString ToolText::nfoNoteText(const NfoNote &note)
{
    const QString &value = note.problem.value;
    switch (note.kind) {
    case NfoNote::Kind::Refused:
        return leftOut(note.problem, note.others);
    case NfoNote::Kind::OtherIdentifier:
        return say(
            Say::OtherIdentifier, quoted(value), note.detail, othersAfter(note.others), plural(note.others));
    case NfoNote::Kind::NotSeen:
        return say(Say::NotSeenLeftOut, fieldName(note.problem.field), quoted(value));
    case NfoNote::Kind::RuntimeRefused:
        return say(Say::RuntimeRefused, quoted(value));
    case NfoNote::Kind::RuntimeNotWritten:
        return say(Say::RuntimeNotWritten, quoted(value), quoted(note.detail));
    case NfoNote::Kind::ControlReplaced:
        return replaced(note);
    }
    return value;
}
