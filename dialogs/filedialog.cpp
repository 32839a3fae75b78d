#include "dialogs/filedialog.h"

#include "app/common.h"
#include "app/modRess.h"

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
    if (!name.isEmpty() && (name.size() < 4 || name.at(name.size() - 4) != QLatin1Char('.')))
        name += QStringLiteral(".cfh");
    return name.left(kMaxName);
}

QString withExtension(const QString &path, const QString &extension)
{
    // Only the file name counts: a dot in a folder name is no extension.
    const QString name = fileNameOf(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 || name.size() - dot - 1 != 3 ? path + QLatin1Char('.') + extension : path;
}

QString ShowFileDialog(int kind, const QString &title, const QList<FileFilter> &filters, int folderNumber,
    QObject *owner, quint32 options, const QString &defaultName, const QString &extension)
{
    if (kind != int(FileDialogKind::Open) && kind != int(FileDialogKind::Save))
        return {};
    FileRequest request;
    request.kind = FileDialogKind(kind);
    request.title = title;
    request.filters = filters;
    request.folder = GetSpecialFolderPath(folderNumber);
    request.proposedName = proposedFileName(defaultName);
    request.options = options | FileDialogFlag::HideReadOnly;
    request.owner = owner;
    request.extension = extension;
    return desktop().chooseFile(request).trimmed();
}

QList<FileFilter> cardFilters()
{
    return { { strFilterCard, QStringLiteral("*.cfh") }, { strFilterAll, QStringLiteral("*.*") } };
}

QList<FileFilter> posterChoiceFilters()
{
    return { { strFilterImages, QStringLiteral("*.jpg;*.gif") }, { strFilterBitmap, QStringLiteral("*.bmp") },
        { strFilterJpeg, QStringLiteral("*.jpg") }, { strFilterGif, QStringLiteral("*.gif") },
        { strFilterAll, QStringLiteral("*.*") } };
}

QList<FileFilter> posterSaveFilters()
{
    return { { strFilterJpeg, QStringLiteral("*.jpg") }, { strFilterImages, QStringLiteral("*.jpg;*.gif") },
        { strFilterAll, QStringLiteral("*.*") } };
}
