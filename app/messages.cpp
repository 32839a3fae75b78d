#include "desktop/messages.h"

#include "card/workfolder.h"
#include "desktop/desktop.h"
#include "texts/texts.h"

#include <QFileInfo>

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

bool saveSucceeded(const SaveResult &result)
{
    switch (result.status) {
    case SaveStatus::Ok:
        return true;
    case SaveStatus::PosterMissing:
    case SaveStatus::SourceMissing:
        showAbout(textOf(Text::FileNotFound), result.failedPath);
        return false;
    case SaveStatus::ReadFailed:
        showAbout(textOf(Text::ReadFailed), result.failedPath);
        return false;
    case SaveStatus::WriteFailed:
        showWriteFailed(result.failedPath);
        return false;
    case SaveStatus::NotCard:
        showAbout(textOf(Text::WrongFile), result.failedPath);
        return false;
    case SaveStatus::NameTooLong:
        showAbout(textOf(Text::NameTooLong), result.failedPath);
        return false;
    case SaveStatus::LinkRefused:
        showAbout(textOf(Text::LinkRefused), result.failedPath);
        return false;
    case SaveStatus::Busy:
        showAbout(textOf(Text::CardBusy), result.failedPath);
        return false;
    case SaveStatus::Changed:
        showAbout(textOf(Text::CardChanged), result.failedPath);
        return false;
    case SaveStatus::Damaged:
        showAbout(textOf(Text::ExtensionDamaged), result.failedPath);
        return false;
    case SaveStatus::Cancelled:
        return false;
    }
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
    lines << textOf(Text::MoreCards).arg(items.size() - mostShown);
    if (keepLast)
        lines << items.last();
    return lines.join(QLatin1Char('\r'));
}

}   // namespace

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
