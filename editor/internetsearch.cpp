#include "editor/internetsearch.h"

#include "desktop/desktop.h"
#include "desktop/messages.h"
#include "process/buildconfig.h"
#include "texts/texts.h"

namespace {

// Where the input box stands from the editor's corner, in pixels.
constexpr QPoint kInputBoxOffset(32, 43);

}   // namespace

QByteArray searchKeywords(const QString &answer)
{
    QByteArray keywords = QUrl::toPercentEncoding(answer, " ");
    keywords.replace(' ', '+');
    return keywords;
}

QUrl searchAddress(const QString &answer)
{
    return QUrl::fromEncoded(
        QByteArray(BuildConfig::DatabaseSearch) + searchKeywords(answer), QUrl::StrictMode);
}

void searchInternet(const QString &menuCaption, const QString &proposal, QPoint editorCorner)
{
    InputRequest request;
    request.prompt = textOf(Text::SearchPrompt);
    request.title = QString(menuCaption).remove(QLatin1Char('&'));
    request.proposal = proposal;
    request.position = editorCorner + kInputBoxOffset;
    const std::optional<QString> answer = desktop().inputBox(request);
    if (!answer || answer->isEmpty())
        return;
    if (!desktop().openExternal(searchAddress(*answer)))
        showOpenFailed();
}
