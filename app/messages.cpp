#include "app/messages.h"

#include "app/desktop.h"
#include "app/modRess.h"
#include "card/workfolder.h"

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
        showMessage(strFileNotFound, MsgIcon::Critical);
        return;
    case CardReadStatus::Unreadable:
        showAbout(strReadFailed, cardPath);
        return;
    case CardReadStatus::NotCard:
        showMessage(strWrongFile, MsgIcon::Critical);
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
        showAbout(strFileNotFound, result.failedPath);
        return false;
    case SaveStatus::ReadFailed:
        showAbout(strReadFailed, result.failedPath);
        return false;
    case SaveStatus::WriteFailed:
        showWriteFailed(result.failedPath);
        return false;
    }
    return false;
}

void showWrongImage()
{
    showMessage(strWrongImage, MsgIcon::Critical);
}

void showImageTooLarge()
{
    showMessage(strImageTooLarge, MsgIcon::Critical);
}

void showOpenFailed()
{
    showMessage(strError, MsgIcon::None);
}

void showWorkFolderFailure()
{
    const WorkBase base = workBase();
    if (base.status == WorkBaseStatus::Unsafe)
        showAbout(strUnsafeFolder, base.path);
    else
        showWriteFailed(base.path);
}

void showWriteFailed(const QString &path)
{
    showMessage(writeFailedText(path), MsgIcon::Critical);
}

QString writeFailedText(const QString &path)
{
    return strWriteFailed + QLatin1Char('\r') + path;
}
