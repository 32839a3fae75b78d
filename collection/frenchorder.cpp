#include "collection/frenchorder.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

// The collator's order of printable ASCII, each letter's capital after it:
// blanks and punctuation, then numbers, then letters.
constexpr std::string_view kAsciiOrder
    = " _-,;:!?.'\"()[]{}@*/\\&#%`^+<=>|~$0123456789aAbBcCdDeEfFgGhHiIjJkKlLmMnNoOpPqQrRsStTuUvVwWxXyYzZ";

// Each character's first weight, from 1: a letter's and its capital's are one.
constexpr std::array<char, 128> kWeights = [] {
    std::array<char, 128> weights {};
    char weight = 0;
    for (std::size_t i = 0; i < kAsciiOrder.size(); ++i) {
        const char c = kAsciiOrder[i];
        const bool capital = c >= 'A' && c <= 'Z';
        weights[std::size_t(c)] = capital ? weights[std::size_t(c - 'A' + 'a')] : ++weight;
    }
    return weights;
}();

constexpr char kNumberWeight = kWeights['0'];
// Longer numbers are left to the collator, so that a length is one byte.
constexpr qsizetype kLongestNumber = 100;

// Leading articles, each with what follows it: a blank, or the apostrophe
// of an elided one, straight or typographic.
constexpr std::array<std::u16string_view, 11> kArticles { u"le ", u"la ", u"les ", u"l'", u"l\u2019", u"un ",
    u"une ", u"des ", u"the ", u"a ", u"an " };

// Whether text begins with the article, whatever the case of its letters (ASCII).
bool startsWithArticle(QStringView text, std::u16string_view article)
{
    if (text.size() < qsizetype(article.size()))
        return false;
    for (std::size_t i = 0; i < article.size(); ++i) {
        char16_t c = text[qsizetype(i)].unicode();
        if (c >= u'A' && c <= u'Z')
            c += u'a' - u'A';
        if (c != article[i])
            return false;
    }
    return true;
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

}   // namespace

QCollator frenchCollator()
{
    QCollator collator { QLocale(QLocale::French, QLocale::France) };
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseSensitive);
    return collator;
}

void sortFrench(QStringList &texts)
{
    const QCollator collator = frenchCollator();
    std::stable_sort(texts.begin(), texts.end(), collator);
}

// The first weights, with each number as its length then its digits, so
// that "2" comes before "10"; then the letters' cases, small first.
std::optional<QByteArray> asciiFrenchKey(QStringView name)
{
    // A digit takes at most three bytes (a number of one), a letter two.
    QByteArray key(3 * name.size() + 1, Qt::Uninitialized);
    char *to = key.data();
    for (qsizetype at = 0; at < name.size();) {
        const char16_t c = name[at].unicode();
        if (c < 0x20 || c > 0x7e)
            return std::nullopt;
        if (!isDigit(c)) {
            *to++ = kWeights[c];
            ++at;
            continue;
        }
        qsizetype end = at;
        while (end < name.size() && isDigit(name[end]))
            ++end;
        if ((c == u'0' && end - at > 1) || end - at > kLongestNumber)
            return std::nullopt;
        *to++ = kNumberWeight;
        *to++ = char(end - at);
        for (; at < end; ++at)
            *to++ = char(name[at].unicode());
    }
    *to++ = '\0';
    for (const QChar c : name) {
        if (kWeights[c.unicode()] >= kWeights['a'])
            *to++ = c >= u'a' ? '\1' : '\2';
    }
    key.truncate(to - key.constData());
    return key;
}

QStringView titleWithoutArticle(QStringView title)
{
    const QStringView trimmed = title.trimmed();
    for (const std::u16string_view article : kArticles) {
        if (!startsWithArticle(trimmed, article))
            continue;
        const QStringView rest = trimmed.sliced(qsizetype(article.size())).trimmed();
        return rest.isEmpty() ? trimmed : rest;
    }
    return trimmed;
}
