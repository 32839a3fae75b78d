#include "card/transliteration.h"

#include "card/cp1252.h"

#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <memory>

namespace {

// One a thread: a transliterator keeps state while it works.
const icu::Transliterator *latinTransliterator()
{
    thread_local const std::unique_ptr<icu::Transliterator> transliterator = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::Transliterator> made(icu::Transliterator::createInstance(
            icu::UnicodeString(u"Any-Latin; Latin-ASCII"), UTRANS_FORWARD, status));
        return U_SUCCESS(status) ? std::move(made) : nullptr;
    }();
    return transliterator.get();
}

QString latinForm(QStringView run)
{
    const icu::Transliterator *transliterator = latinTransliterator();
    if (!transliterator)
        return {};
    icu::UnicodeString text(false, reinterpret_cast<const char16_t *>(run.utf16()), int32_t(run.size()));
    icu::UnicodeString changed(text);   // a copy: the view is read-only
    transliterator->transliterate(changed);
    return QString(reinterpret_cast<const QChar *>(changed.getBuffer()), changed.length());
}

// The characters without a byte, in runs: a word is transliterated whole,
// as its script reads it.
QList<TextSpan> runsWithoutBytes(const QString &text)
{
    QList<TextSpan> runs;
    for (const TextSpan &span : nonCp1252Spans(text)) {
        if (!runs.isEmpty() && runs.last().from + runs.last().length == span.from)
            runs.last().length += span.length;
        else
            runs << span;
    }
    return runs;
}

}   // namespace

QString windows1252Form(const QString &text)
{
    const QList<TextSpan> runs = runsWithoutBytes(text);
    if (runs.isEmpty())
        return text;
    QString form;
    qsizetype done = 0;
    for (const TextSpan &span : runs) {
        form += QStringView(text).sliced(done, span.from - done);
        QString latin = latinForm(QStringView(text).sliced(span.from, span.length));
        removeNonCp1252(latin);
        form += latin;
        done = span.from + span.length;
    }
    return form.append(QStringView(text).sliced(done));
}
