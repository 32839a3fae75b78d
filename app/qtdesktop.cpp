#include "desktop/qtdesktop.h"

#include "card/filepaths.h"
#include "desktop/messages.h"
#include "texts/texts.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QInputDialog>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>

#include <utility>
#include <vector>

namespace {

// The lines of a message are separated by carriage returns; Qt breaks at "\n".
QString shownText(QString text)
{
    return text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

QWidget *ownerWidget(QObject *owner)
{
    if (auto *widget = qobject_cast<QWidget *>(owner))
        return widget->window();
    return QApplication::activeWindow();
}

// A box of Qt's standard buttons whose text, a path or a card's title, is
// shown as it stands, never guessed to be HTML.
QMessageBox::StandardButton askPlain(QWidget *owner, QMessageBox::Icon icon, const QString &text,
    QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton = QMessageBox::NoButton)
{
    QMessageBox box(icon, owner->windowTitle(), text, buttons, owner);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(defaultButton);
    return QMessageBox::StandardButton(box.exec());
}

QMessageBox::Icon qtIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// Save dialogs: the caller's extension rule applies before replacing a file
// is confirmed (so the file confirmed is the file written), and a read-only
// file or folder is refused, which Qt's own dialog would accept.
class CardFileDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;
    QString extension;
    bool confirmReplace = false;
    bool refuseReadOnly = false;
    QString chosen;

    void accept() override
    {
        const QStringList files = selectedFiles();
        if (acceptMode() != AcceptSave || files.isEmpty()) {
            chosen = files.value(0);
            QFileDialog::accept();
            return;
        }
        const QString path = extension.isEmpty() ? files.first() : withExtension(files.first(), extension);
        if (QFileInfo(path).isDir()) {
            setDirectory(path);
            return;
        }
        if (refuseReadOnly && isReadOnlyTarget(path)) {
            askPlain(this, QMessageBox::Critical, shownText(writeFailedText(path)), QMessageBox::Ok);
            return;
        }
        if (confirmReplace && QFileInfo::exists(path) && !confirmed(path))
            return;
        chosen = path;
        QFileDialog::accept();
    }

private:
    bool confirmed(const QString &path)
    {
        const QString question = QFileDialog::tr("%1 already exists.\nDo you want to replace it?")
                                     .arg(QFileInfo(path).fileName());
        return askPlain(
                   this, QMessageBox::Warning, question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
            == QMessageBox::Yes;
    }

    static bool isReadOnlyTarget(const QString &path)
    {
        if (fileExists(path))
            return isFileReadOnly(path);
        return isFileReadOnly(QFileInfo(path).absolutePath());
    }
};

// Qt's file model writes sizes and dates in the system's locale; the program's
// locale is French whatever LANG says, so the dialog writes those two columns
// in it. Columns of QFileSystemModel: name, size, type, date.
class ProgramLocaleColumns : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex &index, int role) const override
    {
        const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
        if (role != Qt::DisplayRole || !files || (index.column() != kSize && index.column() != kDate))
            return QIdentityProxyModel::data(index, role);
        const QModelIndex file = mapToSource(index);
        if (index.column() == kDate)
            return QLocale().toString(files->lastModified(file), QLocale::ShortFormat);
        return files->isDir(file) ? QString() : QLocale().formattedDataSize(files->size(file));
    }

private:
    static constexpr int kSize = 1;
    static constexpr int kDate = 3;
};

using Answers = std::vector<std::pair<QAbstractButton *, MsgAnswer>>;

// The buttons of a set, each with the answer it gives. The last one is what
// Escape and closing the box give; a card changed on disk is neither
// replaced nor dropped by a stray Enter.
Answers addButtons(QMessageBox &box, MsgButtons buttons)
{
    Answers answers;
    switch (buttons) {
    case MsgButtons::Ok:
        answers = { { box.addButton(QMessageBox::Ok), MsgAnswer::Ok } };
        break;
    case MsgButtons::YesNo:
        answers = { { box.addButton(QMessageBox::Yes), MsgAnswer::Yes },
            { box.addButton(QMessageBox::No), MsgAnswer::No } };
        box.setDefaultButton(qobject_cast<QPushButton *>(answers.back().first));
        break;
    case MsgButtons::YesNoCancel:
        answers = { { box.addButton(QMessageBox::Yes), MsgAnswer::Yes },
            { box.addButton(QMessageBox::No), MsgAnswer::No },
            { box.addButton(QMessageBox::Cancel), MsgAnswer::Cancel } };
        break;
    case MsgButtons::KeepMineReloadCancel:
        answers = { { box.addButton(textOf(Text::KeepMineButton), QMessageBox::AcceptRole),
                        MsgAnswer::KeepMine },
            { box.addButton(textOf(Text::ReloadButton), QMessageBox::DestructiveRole), MsgAnswer::Reload },
            { box.addButton(QMessageBox::Cancel), MsgAnswer::Cancel } };
        box.setDefaultButton(qobject_cast<QPushButton *>(answers.back().first));
        break;
    }
    box.setEscapeButton(answers.back().first);
    return answers;
}

}   // namespace

QString qtNameFilter(const FileFilter &filter)
{
    QStringList patterns = filter.pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString &pattern : patterns) {
        if (pattern == QLatin1String("*.*"))
            pattern = QStringLiteral("*");
    }
    return filter.label + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

MsgAnswer QtDesktop::msgBox(const MessageRequest &request)
{
    QMessageBox box(qtIcon(request.icon), request.title, shownText(request.text), QMessageBox::NoButton,
        QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);   // paths and titles are shown as they are
    const auto answers = addButtons(box, request.buttons);
    box.exec();
    for (const auto &[button, answer] : answers) {
        if (box.clickedButton() == button)
            return answer;
    }
    return MsgAnswer::Cancel;
}

std::optional<QString> QtDesktop::inputBox(const InputRequest &request)
{
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(request.title);
    dialog.setLabelText(request.prompt);
    dialog.setTextValue(request.proposal);
    if (request.position)
        dialog.move(*request.position);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

QString QtDesktop::chooseFile(const FileRequest &request)
{
    CardFileDialog dialog(ownerWidget(request.owner), request.title, request.folder);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setProxyModel(new ProgramLocaleColumns(&dialog));
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    QStringList filters;
    for (const FileFilter &filter : request.filters)
        filters << qtNameFilter(filter);
    dialog.setNameFilters(filters);
    const bool save = request.kind == FileDialogKind::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);   // confirmed by the dialog, after the extension
    dialog.confirmReplace = request.options & FileDialogFlag::OverwritePrompt;
    dialog.refuseReadOnly = request.options & FileDialogFlag::NoReadOnlyReturn;
    dialog.extension = request.extension;
    if (!request.proposedName.isEmpty())
        dialog.selectFile(request.proposedName);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.chosen;
}

bool QtDesktop::openExternal(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

// Without a documents folder the dialogs start at home, not wherever the
// program happened to be started.
QString QtDesktop::documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

// The freedesktop trash, as file managers use it.
bool QtDesktop::moveToTrash(const QString &path)
{
    // Without the data folder (a new account), Qt makes a trash of the
    // working folder: "files" and "info" wherever the program was started.
    if (!QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)))
        return false;
    return QFile::moveToTrash(path);
}
