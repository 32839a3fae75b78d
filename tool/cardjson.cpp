#include "tool/cardjson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>
#include <cmath>

namespace {

const QString kFile = QStringLiteral("fichier");
const QString kPoster = QStringLiteral("affiche");

QJsonValue posterJson(qint64 bytes, const PosterInfo &picture)
{
    if (bytes == 0)
        return QJsonValue::Null;
    const bool known = !picture.format.isEmpty();
    return QJsonObject { { QStringLiteral("octets"), bytes },
        { QStringLiteral("format"), known ? QJsonValue(QString::fromLatin1(picture.format)) : QJsonValue() },
        { QStringLiteral("largeur"), known ? QJsonValue(picture.size.width()) : QJsonValue() },
        { QStringLiteral("hauteur"), known ? QJsonValue(picture.size.height()) : QJsonValue() } };
}

bool isNumberField(Field field)
{
    return field == Field::Annee || field == Field::Heures || field == Field::Minutes;
}

// Scripts often write a year as a number; it is stored as its digits.
std::optional<QString> textOf(Field field, const QJsonValue &value)
{
    if (value.isString())
        return value.toString();
    const double number = value.toDouble();
    if (value.isDouble() && isNumberField(field) && number == std::floor(number) && std::fabs(number) < 1e9)
        return QString::number(qint64(number));
    return std::nullopt;
}

std::optional<QStringList> namesOf(const QJsonValue &value)
{
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
    int depth = 0;
    bool keyNext = false;   // in the top object, where a key comes next
    for (qsizetype at = 0; at < json.size(); ++at) {
        const char c = json[at];
        if (c == '"') {
            const qsizetype end = stringEnd(json, at);
            if (depth == 1 && keyNext) {
                const QString key = decodedString(json.mid(at, end - at));
                if (seen.contains(key))
                    return key;
                seen.insert(key);
                keyNext = false;
            }
            at = end - 1;
        } else if (c == '{' || c == '[') {
            keyNext = ++depth == 1;
        } else if (c == '}' || c == ']') {
            --depth;
        } else if (c == ',') {
            keyNext = depth == 1;
        }
    }
    return {};
}

QJsonObject cardJson(
    const QString &path, const CardValues &values, qint64 posterBytes, const PosterInfo &picture)
{
    QJsonObject object;
    object.insert(kFile, path);
    for (const CardEdit &edit : editsOf(values)) {
        const QString key = fieldName(edit.field);
        if (edit.field == Field::Acteurs)
            object.insert(key, QJsonArray::fromStringList(edit.names));
        else
            object.insert(key, edit.text);
    }
    object.insert(kPoster, posterJson(posterBytes, picture));
    return object;
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
        const auto names = *field == Field::Acteurs ? namesOf(*it) : std::nullopt;
        const auto text = *field == Field::Acteurs ? std::nullopt : textOf(*field, *it);
        if (!names && !text)
            return { .problem = JsonEdits::WrongType, .key = it.key() };
        edit.names = names.value_or(QStringList());
        edit.text = text.value_or(QString());
        result.edits << edit;
    }
    return result;
}
