#include "exchange/importedmovie.h"

#include "card/cardfile.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

void ImportedMovie::set(Field field, const QString &text)
{
    if (text.trimmed().isEmpty())
        return;
    if (const auto problem = applyEdit(card, { .field = field, .text = text }))
        refused << *problem;
}

void ImportedMovie::add(Field field, const QStringList &items)
{
    QStringList kept;
    for (const QString &item : items) {
        if (!item.trimmed().isEmpty() && !kept.contains(item.trimmed()))
            kept << item.trimmed();
    }
    if (kept.isEmpty())
        return;
    if (const auto problem = applyEdit(card, { .field = field, .list = kept, .op = CardEdit::Op::Add }))
        refused << *problem;
}

int minutesOf(const QString &text)
{
    static const QRegularExpression minutes(
        u"^\\s*(\\d{1,4})\\s*(min\\.?|mn|minutes?)?\\s*$"_s, QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression hours(u"^\\s*(\\d{1,2})\\s*(h|:)\\s*(\\d{1,2})?\\s*(min\\.?|mn)?\\s*$"_s,
        QRegularExpression::CaseInsensitiveOption);
    if (const auto match = minutes.match(text); match.hasMatch())
        return match.captured(1).toInt();
    if (const auto match = hours.match(text); match.hasMatch())
        return match.captured(1).toInt() * 60 + match.captured(3).toInt();
    return -1;
}

void setRunningTime(ImportedMovie &movie, int minutes)
{
    if (minutes <= 0)
        return;
    movie.set(Field::Heures, QString::number(minutes / 60));
    movie.set(Field::Minutes, u"%1"_s.arg(minutes % 60, 2, 10, QLatin1Char('0')));
}

namespace {

// The most bytes of a file name, ".cfh" and a suffix left room.
constexpr qsizetype kMostNameBytes = 200;

QString fileNameOfTitle(const QString &title)
{
    QString name;
    for (const QChar c : title.trimmed())
        name += QStringView(u"/\\:*?<>|\"").contains(c) || c.category() == QChar::Other_Control ? u'_' : c;
    if (name.startsWith(u'.'))
        name[0] = u'_';
    while (name.toUtf8().size() > kMostNameBytes)
        name.chop(name.size() > 1 && name.at(name.size() - 1).isLowSurrogate() ? 2 : 1);
    return name.isEmpty() ? u"_"_s : name;
}

}   // namespace

QString CardNames::nameFor(const QString &title, const QString &year)
{
    const QString base = fileNameOfTitle(title);
    const QString withYear = year.isEmpty() ? base : u"%1 (%2)"_s.arg(base, fileNameOfTitle(year));
    QString name = base;
    if (m_given.contains(name))
        name = withYear;
    for (int n = 2; m_given.contains(name); ++n)
        name = u"%1 (%2)"_s.arg(withYear, QString::number(n));
    m_given.insert(name);
    return name + u'.' + kCardExtension;
}

namespace {

QString addedOn(const Card &card)
{
    return cardValues(card).text(Field::AjouteeLe);
}

// card, dated on added unless it says when it was added.
Card dated(Card card, const QString &added)
{
    if (addedOn(card).isEmpty() && !added.isEmpty())
        applyEdit(card, { .field = Field::AjouteeLe, .text = added });
    return card;
}

}   // namespace

SaveResult writeImportedCard(
    const QString &cardPath, const Card &card, const QString &poster, LinkAtPath links)
{
    return writeImportedCard(cardPath, card, posterFromFile(poster), links);
}

SaveResult writeImportedCard(
    const QString &cardPath, const Card &card, const PosterChoice &poster, LinkAtPath links, Dating dating)
{
    const bool undated = dating == Dating::WhenUndated;
    if (readCardHead(cardPath).status != CardReadStatus::Ok)
        return writeWholeCard(cardPath, undated ? dated(card, isoDate(QDate::currentDate())) : card, poster,
            links, Durability::Written);
    return changeCard(
        cardPath,
        [&](Card &stored) {
            stored = undated ? dated(card, addedOn(stored)) : card;
            return true;
        },
        poster, links);
}
