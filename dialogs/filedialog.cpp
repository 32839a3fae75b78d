#include "dialogs/filedialog.h"

#include "app/common.h"
#include "app/texts.h"
#include "card/cardfile.h"

#include <QFileInfo>

namespace {

constexpr int kMaxName = 254;

}   // namespace

QString CleanFileName(QString &name)
{
    for (const QChar c : { u'/', u'\\', u':', u'*', u'?', u'<', u'>', u'|', u'"' })
        name.replace(c, QLatin1Char('_'));
    return name;
}

QString GetSpecialFolderPath(int folderNumber)
{
    if (folderNumber != kDocumentsFolder)
        return {};
    QString path = desktop().documentsFolder();
    if (!path.isEmpty() && !path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

QString proposedFileName(const QString &defaultName)
{
    QString name = defaultName;
    CleanFileName(name);
    if (!name.isEmpty() && extensionOf(name).isEmpty())
        name += QLatin1Char('.') + kCardExtension;
    return name.left(kMaxName);
}

QString ShowFileDialog(FileDialogKind kind, const QString &title, const QList<FileFilter> &filters,
    int folderNumber, QObject *owner, quint32 options, const QString &defaultName, const QString &extension,
    const QString &startFolder)
{
    if (kind != FileDialogKind::Open && kind != FileDialogKind::Save)
        return {};
    FileRequest request;
    request.kind = kind;
    request.title = title;
    request.filters = filters;
    request.folder = GetSpecialFolderPath(folderNumber);
    if (!startFolder.isEmpty() && QFileInfo(startFolder).isDir())
        request.folder
            = startFolder.endsWith(QLatin1Char('/')) ? startFolder : startFolder + QLatin1Char('/');
    request.proposedName = proposedFileName(defaultName);
    request.options = options | FileDialogFlag::HideReadOnly;
    request.owner = owner;
    request.extension = extension;
    const QString chosen = desktop().chooseFile(request).trimmed();
    if (chosen.isEmpty() || request.kind != FileDialogKind::Save || extension.isEmpty())
        return chosen;
    return withExtension(chosen, extension);
}

QList<FileFilter> cardFilters()
{
    return { { strFilterCard, QStringLiteral("*.") + kCardExtension },
        { strFilterAll, QStringLiteral("*.*") } };
}

QList<FileFilter> posterChoiceFilters()
{
    // Every picture the poster loader reads, whatever its label names.
    return { { strFilterImages, QStringLiteral("*.jpg;*.jpeg;*.png;*.gif;*.bmp;*.webp") },
        { strFilterBitmap, QStringLiteral("*.bmp") }, { strFilterJpeg, QStringLiteral("*.jpg;*.jpeg") },
        { strFilterGif, QStringLiteral("*.gif") }, { strFilterAll, QStringLiteral("*.*") } };
}

QList<FileFilter> posterSaveFilters()
{
    return { { strFilterJpeg, QStringLiteral("*.jpg") }, { strFilterImages, QStringLiteral("*.jpg;*.gif") },
        { strFilterAll, QStringLiteral("*.*") } };
}
