#include "tool/commandline.h"

#include "card/cardfile.h"
#include "card/cardsave.h"
#include "card/filepaths.h"
#include "card/nativepath.h"
#include "tool/tooltexts.h"

#include <QDir>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool anythingAt(const QString &path)
{
    struct stat info { };
    return ::stat(nativePath(path).constData(), &info) == 0;
}

QString unreadableFile(const QString &path)
{
    if (fileExists(path))
        return say(Say::Unreadable, path);
    return anythingAt(path) ? say(Say::NotRegularFile, path) : say(Say::Missing, path);
}

bool isFolder(const QString &path)
{
    struct stat info { };
    return ::stat(nativePath(path).constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

namespace {

// A device (/dev/null, a terminal, a pipe) takes the bytes where it stands:
// writing it creates and replaces no file.
bool isDevice(const QString &path)
{
    struct stat info { };
    return ::stat(nativePath(path).constData(), &info) == 0 && !S_ISREG(info.st_mode)
        && !S_ISDIR(info.st_mode);
}

Transfer writeDevice(QIODevice &in, const QString &path)
{
    QFile device;
    const int fd = openNative(path, O_WRONLY);
    if (fd < 0
        || !device.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        if (fd >= 0)
            ::close(fd);
        return Transfer::WriteFailed;
    }
    return copyRest(in, device);
}

}   // namespace

std::optional<int> parseCommand(QCommandLineParser &parser, const QString &command, const QStringList &args,
    ToolIo &io, qsizetype minArgs, qsizetype maxArgs)
{
    const QCommandLineOption help(QStringList { QStringLiteral("h"), QStringLiteral("help") });
    parser.addOption(help);
    const QStringList commandLine = QStringList(QStringLiteral("cinefiche-card")) + args;
    if (!parser.parse(commandLine)) {
        installQtTexts();
        parser.parse(commandLine);   // again, for the message in French
        QString problem = parser.errorText();
        if (problem.endsWith(QLatin1Char('.')))
            problem.chop(1);   // a clause of the message, not its end
        return usageError(io, command, problem);
    }
    if (parser.isSet(help)) {
        print(io.out, ToolText::commandHelp(command));
        return ExitStatus::Done;
    }
    const qsizetype count = parser.positionalArguments().size();
    if (count < minArgs || (maxArgs >= 0 && count > maxArgs))
        return usageError(io, command, say(Say::ArgumentCount));
    return std::nullopt;
}

int usageError(ToolIo &io, const QString &command, const QString &problem)
{
    report(io, say(Say::UsageOf, command, problem));
    return ExitStatus::Usage;
}

int cardFailed(ToolIo &io, const QString &path, CardReadStatus status)
{
    switch (status) {
    case CardReadStatus::Missing:   // a folder or a device is there, but no card
        report(io, anythingAt(path) ? say(Say::NotCard, path) : say(Say::Missing, path));
        break;
    case CardReadStatus::NameTooLong:
        report(io, say(Say::NameTooLong, path));
        break;
    case CardReadStatus::NotCard:
        report(io, say(Say::NotCard, path));
        break;
    default:
        report(io, say(Say::Unreadable, path));
        break;
    }
    return ExitStatus::FileFailed;
}

int saveFailed(ToolIo &io, const SaveResult &result)
{
    switch (result.status) {
    case SaveStatus::PosterMissing:
    case SaveStatus::SourceMissing:
        report(io, unreadableFile(result.failedPath));
        break;
    case SaveStatus::NotCard:
        report(io, say(Say::NotCard, result.failedPath));
        break;
    case SaveStatus::NameTooLong:
        report(io, say(Say::NameTooLong, result.failedPath));
        break;
    case SaveStatus::LinkRefused:
        report(io, say(Say::LinkRefused, result.failedPath));
        break;
    case SaveStatus::Busy:
        report(io, say(Say::CardBusy, result.failedPath));
        break;
    case SaveStatus::Damaged:
        report(io, say(Say::DamagedNotChanged, result.failedPath));
        break;
    case SaveStatus::Cancelled:   // the reason is said already
        break;
    default:
        report(io, say(Say::WriteFailed, result.failedPath));
        break;
    }
    return ExitStatus::FileFailed;
}

namespace {

// A list's items: actors separated by "|" as the record stores them ("A|B|"
// reads as well as "A|B"), the others by commas, blanks around each dropped.
QStringList listItems(Field field, const QString &value)
{
    if (value.isEmpty())
        return {};
    if (field == Field::Acteurs) {
        QStringList names = value.split(QLatin1Char('|'));
        if (value.endsWith(QLatin1Char('|')))
            names.removeLast();
        return names;
    }
    QStringList items;
    for (const QString &item : value.split(QLatin1Char(',')))
        items << item.trimmed();
    return items;
}

}   // namespace

std::optional<CardEdit> parseEdit(ToolIo &io, const QString &command, const QString &argument)
{
    const qsizetype equals = argument.indexOf(QLatin1Char('='));
    if (equals <= 0) {
        usageError(io, command, say(Say::NotAnEdit, argument));
        return std::nullopt;
    }
    QString name = argument.left(equals);
    CardEdit edit;
    if (name.endsWith(QLatin1Char('+')) || name.endsWith(QLatin1Char('-'))) {
        edit.op = name.endsWith(QLatin1Char('+')) ? CardEdit::Op::Add : CardEdit::Op::Remove;
        name.chop(1);
    }
    const std::optional<Field> field = fieldNamed(name);
    if (!field) {
        usageError(io, command, ToolText::unknownField(name));
        return std::nullopt;
    }
    if (edit.op != CardEdit::Op::Set && !holdsList(*field)) {
        usageError(io, command, say(Say::NotAList, name));
        return std::nullopt;
    }
    edit.field = *field;
    edit.text = argument.mid(equals + 1);
    if (holdsList(*field))
        edit.list = listItems(*field, edit.text);
    return edit;
}

namespace {

bool editsField(const QList<CardEdit> &edits, Field field)
{
    return std::any_of(
        edits.begin(), edits.end(), [field](const CardEdit &edit) { return edit.field == field; });
}

// A loan to someone new, given without its date, starts today; the same
// borrower given again keeps the loan's date, and the card its bytes.
void dateNewLoan(Card &card, const QString &lentBefore, const QList<CardEdit> &edits)
{
    const QString lentTo = cardValues(card).text(Field::PretA);
    if (lentTo.isEmpty() || lentTo == lentBefore || editsField(edits, Field::PretLe))
        return;
    applyEdit(card, { .field = Field::PretLe, .text = isoDate(QDate::currentDate()) });
}

}   // namespace

bool applyEdits(ToolIo &io, Card &card, const QList<CardEdit> &edits)
{
    const QString lentBefore = cardValues(card).text(Field::PretA);
    for (const CardEdit &edit : edits) {
        if (const auto problem = applyEdit(card, edit)) {
            report(io, ToolText::fieldProblem(*problem));
            return false;
        }
    }
    dateNewLoan(card, lentBefore, edits);
    if (cardValues(card).text(Field::Titre).isEmpty()) {
        report(io, say(Say::TitleMissing));
        return false;
    }
    return true;
}

std::optional<QString> posterProblem(const QString &path)
{
    return pictureProblem(path, checkPictureHeader(path));
}

std::optional<QString> pictureProblem(const QString &path, const PosterFileCheck &check)
{
    switch (check.problem) {
    case PosterFileCheck::None:
        return std::nullopt;
    case PosterFileCheck::Missing:
        return unreadableFile(path);
    case PosterFileCheck::Unreadable:
        return say(Say::Unreadable, path);
    case PosterFileCheck::NotPicture:
        return say(Say::NotPicture, path);
    case PosterFileCheck::TooManyScans:
        return ToolText::tooManyScans(path);
    case PosterFileCheck::TooManyPixels:
        break;
    }
    return ToolText::pictureTooLarge(path, check.size.width(), check.size.height());
}

LinkAtPath linksFor(bool force)
{
    return force ? LinkAtPath::Replace : LinkAtPath::Refuse;
}

bool mayReplace(ToolIo &io, const QString &path)
{
    // A slip in the order of the arguments must not cost a card.
    if (readCardHead(path).status != CardReadStatus::Ok)
        return true;
    report(io, say(Say::IsACard, path));
    return false;
}

bool writeOutput(ToolIo &io, QIODevice &in, const QString &path, LinkAtPath links)
{
    if (path == u"-") {
        if (copyRest(in, io.out.device()) != Transfer::Done) {
            report(io, say(Say::WriteFailed, path));
            return false;
        }
        return true;
    }
    if (!mayReplace(io, path))
        return false;
    const auto copy = [&](QIODevice &out) { return copyRest(in, out); };
    const Transfer written
        = isDevice(path) ? writeDevice(in, path) : replaceFile(path, copy, Durability::Written, links);
    if (written == Transfer::LinkRefused)
        report(io, say(Say::LinkRefused, path));
    else if (written == Transfer::NameTooLong)
        report(io, say(Say::NameTooLong, path));
    else if (written != Transfer::Done)
        report(io, say(Say::WriteFailed, path));
    return written == Transfer::Done;
}

QString posterBesideNfo(const QString &nfoPath, const QString &extension)
{
    const QFileInfo nfo(nfoPath);
    return nfo.dir().filePath(nfo.completeBaseName() + QStringLiteral("-poster.") + extension);
}
