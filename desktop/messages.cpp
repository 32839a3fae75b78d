#include "desktop/messages.h"

#include "card/workfolder.h"
#include "desktop/desktop.h"
#include "texts/texts.h"

#include <QFileInfo>
#include <QLocale>

namespace {

// What went wrong, then the file it went wrong with.
void showAbout(const QString &text, const QString &path)
{
    showMessage(text + QLatin1Char('\r') + path, MsgIcon::Critical);
}

}   // namespace

void showCardReadFailure(CardReadStatus status, const QString &cardPath, const QString &folder)
{
    switch (status) {
    case CardReadStatus::Ok:
        return;
    case CardReadStatus::Missing:
        showMessage(textOf(Text::FileNotFound), MsgIcon::Critical);
        return;
    case CardReadStatus::Unreadable:
        showAbout(textOf(Text::ReadFailed), cardPath);
        return;
    case CardReadStatus::NotCard:
        showMessage(textOf(Text::WrongFile), MsgIcon::Critical);
        return;
    case CardReadStatus::NameTooLong:
        showAbout(textOf(Text::NameTooLong), cardPath);
        return;
    case CardReadStatus::PosterWriteFailed:
        // The user knows the cache folder, not the working file inside it.
        if (folder.isEmpty())
            showWorkFolderFailure();
        else
            showWriteFailed(QFileInfo(folder).path());
        return;
    }
}

QString saveFailureText(SaveStatus status)
{
    switch (status) {
    case SaveStatus::Ok:
    case SaveStatus::Cancelled:
        return {};
    case SaveStatus::PosterMissing:
    case SaveStatus::SourceMissing:
        return textOf(Text::FileNotFound);
    case SaveStatus::ReadFailed:
        return textOf(Text::ReadFailed);
    case SaveStatus::WriteFailed:
        return textOf(Text::WriteFailed);
    case SaveStatus::NotCard:
        return textOf(Text::WrongFile);
    case SaveStatus::NameTooLong:
        return textOf(Text::NameTooLong);
    case SaveStatus::LinkRefused:
        return textOf(Text::LinkRefused);
    case SaveStatus::Busy:
        return textOf(Text::CardBusy);
    case SaveStatus::Changed:
        return textOf(Text::CardChanged);
    case SaveStatus::Damaged:
        return textOf(Text::ExtensionDamaged);
    }
    return {};
}

bool saveSucceeded(const SaveResult &result)
{
    if (result.status == SaveStatus::Ok)
        return true;
    if (result.status == SaveStatus::WriteFailed)
        showWriteFailed(result.failedPath);
    else if (result.status != SaveStatus::Cancelled)
        showAbout(saveFailureText(result.status), result.failedPath);
    return false;
}

void showExtensionDamaged(const QString &cardPath)
{
    showMessage(textOf(Text::ExtensionDamaged) + QLatin1Char('\r') + cardPath, MsgIcon::Information);
}

void showWrongImage()
{
    showMessage(textOf(Text::WrongImage), MsgIcon::Critical);
}

void showImageTooLarge()
{
    showMessage(textOf(Text::ImageTooLarge), MsgIcon::Critical);
}

void showOpenFailed()
{
    showMessage(textOf(Text::BugReportLine), MsgIcon::None);
}

void showWorkFolderFailure()
{
    const WorkBase base = workBase();
    if (base.status == WorkBaseStatus::Unsafe)
        showAbout(textOf(Text::UnsafeFolder), base.path);
    else
        showWriteFailed(base.path);
}

void showWriteFailed(const QString &path)
{
    showMessage(writeFailedText(path), MsgIcon::Critical);
}

QString writeFailedText(const QString &path)
{
    return textOf(Text::WriteFailed) + QLatin1Char('\r') + path;
}

void showNotNumber(NumberRule rule)
{
    QString text = textOf(Text::InvalidFormat) + QLatin1Char('\r');
    if (rule == NumberRule::Year)
        text += textOf(Text::YearFormat);
    else
        text += textOf(Text::HoursFormat) + QLatin1Char('\r') + textOf(Text::MinutesFormat);
    showMessage(text, MsgIcon::Information);
}

void showTitleRequired()
{
    showMessage(textOf(Text::TitleRequired), MsgIcon::None);
}

MsgAnswer askSaveChanges(const QString &cardName)
{
    const QString question
        = textOf(Text::SaveChangesQuestion) + QLatin1Char('"') + cardName + QStringLiteral("\" ?");
    return showMessage(question, MsgIcon::Question, MsgButtons::YesNoCancel);
}

MsgAnswer askCardChanged(const QString &cardPath)
{
    const QString question = textOf(Text::CardChanged) + QLatin1Char('\r') + cardPath + QStringLiteral("\r\r")
        + textOf(Text::CardChangedChoice);
    return showMessage(question, MsgIcon::Question, MsgButtons::KeepMineReloadCancel);
}

void showCardRemoved(const QString &cardPath)
{
    showMessage(textOf(Text::CardRemoved) + QLatin1Char('\r') + cardPath + QStringLiteral("\r\r")
            + textOf(Text::CardRemovedSave),
        MsgIcon::Information);
}

bool askMoveToTrash(const QString &title)
{
    return showMessage(textOf(Text::TrashQuestion).arg(title), MsgIcon::Question, MsgButtons::YesNo)
        == MsgAnswer::Yes;
}

void showTrashFailed(const QString &cardPath)
{
    showMessage(textOf(Text::TrashFailed) + QLatin1Char('\r') + cardPath, MsgIcon::Critical);
}

namespace {

// A dozen lines at most after the first: the box must fit on the screen.
// The last line is kept: a report ends with its count.
QString shortList(const QString &first, const QStringList &items, bool keepLast)
{
    constexpr qsizetype mostShown = 12;
    QStringList lines { first };
    if (items.size() <= mostShown)
        return (lines << items).join(QLatin1Char('\r'));
    lines << items.mid(0, keepLast ? mostShown - 1 : mostShown);
    lines << countText(items.size() - mostShown, Text::OneMoreCard, Text::MoreCards);
    if (keepLast)
        lines << items.last();
    return lines.join(QLatin1Char('\r'));
}

}   // namespace

bool askMoveCardsToTrash(qsizetype count)
{
    return showMessage(textOf(Text::TrashCardsQuestion).arg(QLocale().toString(count)), MsgIcon::Question,
               MsgButtons::YesNo)
        == MsgAnswer::Yes;
}

void showCardsNotTrashed(const QStringList &cardPaths)
{
    showMessage(shortList(textOf(Text::CardsNotTrashed), cardPaths, false), MsgIcon::Critical);
}

void showCardsUnchanged(const QStringList &cardPaths)
{
    showMessage(shortList(textOf(Text::CardsUnchanged), cardPaths, false), MsgIcon::Critical);
}

bool askImportLibrary(const QString &folder)
{
    return showMessage(textOf(Text::ImportQuestion).arg(folder), MsgIcon::Question, MsgButtons::YesNo)
        == MsgAnswer::Yes;
}

void showImportReport(const QStringList &lines, bool started)
{
    if (!started)
        showMessage(textOf(Text::ImportFailed), MsgIcon::Critical);
    else
        showMessage(shortList(textOf(Text::ImportReport), lines, true), MsgIcon::Information);
}

void showFolderUnreadable(const QString &folder)
{
    showMessage(textOf(Text::FolderUnreadable) + QLatin1Char('\r') + folder, MsgIcon::Critical);
}

void showCatalogueKindRefused()
{
    showMessage(textOf(Text::CatalogueKindRefused), MsgIcon::Critical);
}
