#include "dialogs/filedialog.h"

#include "app/common.h"
#include "app/modRess.h"

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

QString extensionOf(const QString &path)
{
    const QString name = fileNameOf(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || name.size() - dot - 1 != 3)
        return {};
    const QString extension = name.mid(dot + 1);
    for (const QChar c : extension) {
        if (c.isSpace())
            return {};
    }
    return extension;
}

QString proposedFileName(const QString &defaultName)
{
    QString name = defaultName;
    CleanFileName(name);
    if (!name.isEmpty() && extensionOf(name).isEmpty())
        name += QStringLiteral(".cfh");
    return name.left(kMaxName);
}

QString withExtension(const QString &path, const QString &extension)
{
    return extensionOf(path).isEmpty() ? path + QLatin1Char('.') + extension : path;
}

QString ShowFileDialog(int kind, const QString &title, const QList<FileFilter> &filters, int folderNumber,
    QObject *owner, quint32 options, const QString &defaultName, const QString &extension,
    const QString &startFolder)
{
    if (kind != int(FileDialogKind::Open) && kind != int(FileDialogKind::Save))
        return {};
    FileRequest request;
    request.kind = FileDialogKind(kind);
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
    return { { strFilterCard, QStringLiteral("*.cfh") }, { strFilterAll, QStringLiteral("*.*") } };
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
