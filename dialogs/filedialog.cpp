#include "desktop/filedialog.h"

#include "card/cardfile.h"
#include "card/filepaths.h"
#include "texts/texts.h"

#include <QFileInfo>

namespace {

constexpr int kMaxName = 254;

}   // namespace

QString cleanFileName(QString &name)
{
    for (const QChar c : { u'/', u'\\', u':', u'*', u'?', u'<', u'>', u'|', u'"' })
        name.replace(c, QLatin1Char('_'));
    return name;
}

QString specialFolderPath(int folderNumber)
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
    cleanFileName(name);
    if (!name.isEmpty() && extensionOf(name).isEmpty())
        name += QLatin1Char('.') + kCardExtension;
    return name.left(kMaxName);
}

QString showFileDialog(FileDialogKind kind, const QString &title, const QList<FileFilter> &filters,
    int folderNumber, QObject *owner, quint32 options, const QString &defaultName, const QString &extension,
    const QString &startFolder)
{
    if (kind != FileDialogKind::Open && kind != FileDialogKind::Save)
        return {};
    FileRequest request;
    request.kind = kind;
    request.title = title;
    request.filters = filters;
    request.folder = specialFolderPath(folderNumber);
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
    return { { textOf(Text::FilterCard), QStringLiteral("*.") + kCardExtension },
        { textOf(Text::FilterAll), QStringLiteral("*.*") } };
}

QList<FileFilter> posterChoiceFilters()
{
    // Every picture the poster loader reads, whatever its label names.
    return { { textOf(Text::FilterImages), QStringLiteral("*.jpg;*.jpeg;*.png;*.gif;*.bmp;*.webp") },
        { textOf(Text::FilterBitmap), QStringLiteral("*.bmp") },
        { textOf(Text::FilterJpeg), QStringLiteral("*.jpg;*.jpeg") },
        { textOf(Text::FilterGif), QStringLiteral("*.gif") },
        { textOf(Text::FilterAll), QStringLiteral("*.*") } };
}

QList<FileFilter> posterSaveFilters()
{
    return { { textOf(Text::FilterJpeg), QStringLiteral("*.jpg") },
        { textOf(Text::FilterImages), QStringLiteral("*.jpg;*.gif") },
        { textOf(Text::FilterAll), QStringLiteral("*.*") } };
}
