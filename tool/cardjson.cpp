#include "tool/cardjson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>

#include <algorithm>
#include <cmath>

namespace {

const QString kFile = QStringLiteral("fichier");
const QString kPoster = QStringLiteral("affiche");

bool isNumberField(Field field)
{
    const FieldRule rule = fieldLayout(field).rule;
    return isNumberRule(rule) || isWholeNumberRule(rule);
}

// Scripts often write a year as a number; it is stored as its digits. A
// flag is true or false; null is a blank value.
std::optional<QString> textOf(Field field, const QJsonValue &value)
{
    if (value.isString())
        return value.toString();
    if (value.isNull())
        return QString();
    if (value.isBool() && fieldLayout(field).rule == FieldRule::Flag)
        return value.toBool() ? kFlagSet : QString();
    const double number = value.toDouble();
    if (!value.isDouble() || !isNumberField(field) || number != std::floor(number)
        || std::fabs(number) >= 1e9)
        return std::nullopt;
    // Minutes are written with two digits ("2 h 05"), as show reads them back.
    const int width = fieldLayout(field).rule == FieldRule::Minutes && number >= 0 ? 2 : 0;
    return QStringLiteral("%1").arg(qint64(number), width, 10, QLatin1Char('0'));
}

std::optional<QStringList> namesOf(const QJsonValue &value)
{
    if (value.isNull())
        return QStringList();
    if (!value.isArray())
        return std::nullopt;
    QStringList names;
    for (const QJsonValue name : value.toArray()) {
        if (!name.isString())
            return std::nullopt;
        names << name.toString();
    }
    return names;
}

// Where the JSON string that opens at json[start] ends: past its closing quote.
qsizetype stringEnd(const QByteArray &json, qsizetype start)
{
    qsizetype at = start + 1;
    while (at < json.size() && json[at] != '"')
        at += json[at] == '\\' ? 2 : 1;
    return at + 1;
}

QString decodedString(const QByteArray &quoted)
{
    return QJsonDocument::fromJson('[' + quoted + ']').array().first().toString();
}

}   // namespace

QString repeatedKey(const QByteArray &json)
{
    QSet<QString> seen;
    // The card's object is the document, or the one object of an array.
    const int cardDepth = json.trimmed().startsWith('[') ? 2 : 1;
    int depth = 0;
    bool keyNext = false;   // in the card's object, where a key comes next
    for (qsizetype at = 0; at < json.size(); ++at) {
        const char c = json[at];
        if (c == '"') {
            const qsizetype end = stringEnd(json, at);
            if (depth == cardDepth && keyNext) {
                const QString key = decodedString(json.mid(at, end - at));
                if (seen.contains(key))
                    return key;
                seen.insert(key);
                keyNext = false;
            }
            at = end - 1;
        } else if (c == '{' || c == '[') {
            keyNext = ++depth == cardDepth && c == '{';
        } else if (c == '}' || c == ']') {
            --depth;
        } else if (c == ',') {
            keyNext = depth == cardDepth;
        }
    }
    return {};
}

JsonEdits editsFromJson(const QJsonObject &object)
{
    JsonEdits result;
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (it.key() == kFile || it.key() == kPoster)
            continue;
        const std::optional<Field> field = fieldNamed(it.key());
        if (!field)
            return { .problem = JsonEdits::UnknownKey, .key = it.key() };
        CardEdit edit { .field = *field };
        const auto names = holdsList(*field) ? namesOf(*it) : std::nullopt;
        const auto text = holdsList(*field) ? std::nullopt : textOf(*field, *it);
        if (!names && !text)
            return { .problem = JsonEdits::WrongType, .key = it.key() };
        edit.list = names.value_or(QStringList());
        edit.text = text.value_or(QString());
        result.edits << edit;
    }
    return result;
}
