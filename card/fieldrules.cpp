#include "card/fieldrules.h"

#include "card/cardfields.h"
#include "card/cardvalues.h"
#include "card/numerictext.h"

#include <QDate>

#include <algorithm>
#include <array>

namespace {

FieldProblem problemOf(FieldProblem::Kind kind, Field field, const QString &value)
{
    FieldProblem problem { .kind = kind, .field = field };
    problem.value = value;
    return problem;
}

// Characters no composition changes: starters that are composed already
// and never join the character before them. Below U+0300, Latin; then Greek
// and Cyrillic, Vietnamese letters, dashes and quotes, the euro sign, CJK
// punctuation, kana, ideographs and Hangul syllables, each span checked
// against Qt's own tables by tst_cardextension.
constexpr std::array<std::pair<char16_t, char16_t>, 14> kComposedSpans { { { 0x0000, 0x02FF },
    { 0x0370, 0x0373 }, { 0x0375, 0x037D }, { 0x037F, 0x0386 }, { 0x0388, 0x0482 }, { 0x048A, 0x052F },
    { 0x1E00, 0x1EFF }, { 0x2010, 0x2027 }, { 0x20A0, 0x20C0 }, { 0x3000, 0x3029 }, { 0x3030, 0x3096 },
    { 0x309B, 0x30FF }, { 0x3400, 0x9FFF }, { 0xAC00, 0xD7A3 } } };

// The text in composed form; most texts are already.
QString composed(const QString &text)
{
    if (surelyComposed(text))
        return text;
    return text.normalized(QString::NormalizationForm_C);
}

// The first character of text the field cannot hold: a control character
// (line breaks only in a field of lines).
std::optional<FieldProblem> characterProblem(Field field, const QString &text, ControlCharacters controls)
{
    if (controls == ControlCharacters::Kept)
        return std::nullopt;
    for (const char32_t c : text.toUcs4()) {
        if (c == U'\n' && holdsLines(field))
            continue;
        if (QChar::category(c) == QChar::Other_Control) {
            FieldProblem problem = problemOf(FieldProblem::ControlCharacter, field, text);
            problem.character = c;
            return problem;
        }
    }
    return std::nullopt;
}

std::optional<FieldProblem> lengthProblem(Field field, qsizetype length, int limit)
{
    if (length <= limit)
        return std::nullopt;
    return FieldProblem { .kind = FieldProblem::TooLong, .field = field, .length = length, .limit = limit };
}

std::optional<bool> flagOf(const QString &text)
{
    static const QStringList yes { QStringLiteral("oui"), QStringLiteral("vrai"), QStringLiteral("true"),
        QStringLiteral("yes"), QStringLiteral("1") };
    static const QStringList no { QStringLiteral("non"), QStringLiteral("faux"), QStringLiteral("false"),
        QStringLiteral("no"), QStringLiteral("0"), QString() };
    const QString word = text.trimmed().toLower();
    if (yes.contains(word))
        return true;
    if (no.contains(word))
        return false;
    return std::nullopt;
}

bool allDigits(QStringView text)
{
    return !text.isEmpty()
        && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

bool isIsoDay(QStringView text)
{
    return text.size() == 10 && text[4] == u'-' && text[7] == u'-' && allDigits(text.sliced(0, 4))
        && allDigits(text.sliced(5, 2)) && allDigits(text.sliced(8, 2))
        && QDate::fromString(text, Qt::ISODate).isValid();
}

// "HH:MM:SS", from 00:00:00 to 23:59:59.
bool isTimeOfDay(QStringView text)
{
    return text.size() == 8 && text[2] == u':' && text[5] == u':' && allDigits(text.sliced(0, 2))
        && allDigits(text.sliced(3, 2)) && allDigits(text.sliced(6, 2)) && text.sliced(0, 2).toInt() < 24
        && text.sliced(3, 2).toInt() < 60 && text.sliced(6, 2).toInt() < 60;
}

// "YYYY-MM-DD", or with its time as media centres log a viewing or an
// addition, "YYYY-MM-DD HH:MM:SS".
bool isIsoDate(const QString &text)
{
    const QStringView view(text);
    return isIsoDay(view.left(10))
        && (text.size() == 10 || (text.size() == 19 && text[10] == u' ' && isTimeOfDay(view.sliced(11))));
}

bool isRating(const QString &text)
{
    return allDigits(text) && text.size() <= 2 && text.toInt() >= 1 && text.toInt() <= 10;
}

// "tt" then digits, as IMDb's addresses name a movie.
bool isImdbId(const QString &text)
{
    return text.startsWith(QLatin1String("tt")) && text.size() <= 14
        && allDigits(QStringView(text).sliced(2));
}

// A whole number from 1, without a leading zero.
bool isPositive(const QString &text)
{
    return allDigits(text) && text.size() <= 12 && text[0] != u'0';
}

// The rules of a field's typed values, once the text is composed and its
// characters are allowed.
std::optional<FieldProblem> typedProblem(Field field, QString &text)
{
    const FieldRule rule = fieldLayout(field).rule;
    if (isNumberRule(rule)) {
        if (!text.isEmpty() && !isNumericText(text, QLocale(QLocale::French)))
            return problemOf(FieldProblem::NotNumber, field, text);
        const qsizetype stored = rule == FieldRule::Hours ? hoursField(text).size() : text.size();
        return lengthProblem(field, stored, fieldWidth(field));
    }
    if (text.isEmpty())
        return std::nullopt;
    if (rule == FieldRule::Flag) {
        const auto flag = flagOf(text);
        if (!flag)
            return problemOf(FieldProblem::NotFlag, field, text);
        text = *flag ? kFlagSet : QString();
        return std::nullopt;
    }
    const QString trimmed = text.trimmed();
    const auto checked = [&](bool good, FieldProblem::Kind kind) -> std::optional<FieldProblem> {
        if (!good)
            return problemOf(kind, field, text);
        text = trimmed;
        return std::nullopt;
    };
    switch (rule) {
    case FieldRule::Rating: {
        const auto problem = checked(isRating(trimmed), FieldProblem::NotRating);
        text = problem ? text : QString::number(text.toInt());   // "07" is 7
        return problem;
    }
    case FieldRule::Date:
    case FieldRule::Dates:
        return checked(isIsoDate(trimmed), FieldProblem::NotDate);
    case FieldRule::ImdbId:
        return checked(isImdbId(trimmed), FieldProblem::NotImdb);
    case FieldRule::TmdbId:
        return checked(isPositive(trimmed), FieldProblem::NotTmdb);
    case FieldRule::Count:
        return checked(isPositive(trimmed), FieldProblem::NotCount);
    default:
        return lengthProblem(field, text.size(), FieldBounds::MostTextLength);
    }
}

std::optional<FieldProblem> checkItem(Field field, QString &item, ControlCharacters controls)
{
    const FieldRule rule = fieldLayout(field).rule;
    item = composed(item);
    if (rule == FieldRule::Texts)
        item = item.trimmed();
    if (item.isEmpty())
        return problemOf(FieldProblem::EmptyItem, field, item);
    if (rule == FieldRule::Actors && item.contains(QLatin1Char('|'))) {
        FieldProblem problem = problemOf(FieldProblem::ItemWithBar, field, item);
        problem.character = U'|';
        return problem;
    }
    if (auto problem = characterProblem(field, item, controls))
        return problem;
    return typedProblem(field, item);
}

}   // namespace

bool surelyComposed(char32_t character)
{
    if (character < 0x300)
        return true;
    return std::any_of(kComposedSpans.begin() + 1, kComposedSpans.end(),
        [character](const auto &span) { return character >= span.first && character <= span.second; });
}

bool surelyComposed(QStringView text)
{
    return std::all_of(
        text.begin(), text.end(), [](QChar c) { return surelyComposed(char32_t(c.unicode())); });
}

std::optional<FieldProblem> checkText(Field field, QString &text, ControlCharacters controls)
{
    text = composed(text);
    if (holdsLines(field))   // line breaks arrive as CR LF, CR or LF
        text = lfLineBreaks(text);
    if (auto problem = characterProblem(field, text, controls))
        return problem;
    return typedProblem(field, text);
}

std::optional<FieldProblem> checkList(Field field, QStringList &items, ControlCharacters controls)
{
    if (items.size() > FieldBounds::MostItems)
        return FieldProblem { .kind = FieldProblem::TooManyItems,
            .field = field,
            .length = items.size(),
            .limit = FieldBounds::MostItems };
    for (QString &item : items) {
        if (auto problem = checkItem(field, item, controls))
            return problem;
    }
    if (fieldLayout(field).rule == FieldRule::Actors)
        return std::nullopt;
    items.removeDuplicates();
    if (fieldLayout(field).rule == FieldRule::Dates)
        std::sort(items.begin(), items.end());
    return std::nullopt;
}
