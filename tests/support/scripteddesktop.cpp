#include "support/scripteddesktop.h"

#include <QTest>

using namespace Qt::StringLiterals;

ScriptedDesktop::ScriptedDesktop()
{
    setDesktop(this);
}

ScriptedDesktop::~ScriptedDesktop()
{
    setDesktop(nullptr);
}

bool ScriptedDesktop::allAnswered() const
{
    return m_msgAnswers.isEmpty() && m_inputAnswers.isEmpty() && m_fileAnswers.isEmpty()
        && m_openAnswers.isEmpty() && m_trashAnswers.isEmpty() && unexpected == 0;
}

// Whether a box with buttons can give answer (Cancel: closing the box).
bool ScriptedDesktop::offers(MsgButtons buttons, MsgAnswer answer)
{
    switch (buttons) {
    case MsgButtons::Ok:
        return answer == MsgAnswer::Ok;
    case MsgButtons::YesNo:
        return answer == MsgAnswer::Yes || answer == MsgAnswer::No;
    case MsgButtons::YesNoCancel:
        return answer == MsgAnswer::Yes || answer == MsgAnswer::No || answer == MsgAnswer::Cancel;
    case MsgButtons::KeepMineReloadCancel:
        return answer == MsgAnswer::KeepMine || answer == MsgAnswer::Reload || answer == MsgAnswer::Cancel;
    }
    return false;
}

MsgAnswer ScriptedDesktop::msgBox(const MessageRequest &request)
{
    messages << request;
    log << u"msg"_s;
    if (m_msgAnswers.isEmpty() && anyMessage)
        return *anyMessage;
    if (m_msgAnswers.isEmpty()) {
        // A message nobody expected: answer as a closed box would.
        ++unexpected;
        qWarning("ScriptedDesktop: unexpected message: %s", qPrintable(request.text));
        return MsgAnswer::Cancel;
    }
    const MsgAnswer answer = m_msgAnswers.dequeue();
    if (!offers(request.buttons, answer)) {
        ++unexpected;
        qWarning("ScriptedDesktop: an answer the box has no button for: %s", qPrintable(request.text));
    }
    return answer;
}

std::optional<QString> ScriptedDesktop::inputBox(const InputRequest &request)
{
    inputs << request;
    log << u"input"_s;
    if (m_inputAnswers.isEmpty()) {
        ++unexpected;
        qWarning("ScriptedDesktop: unexpected input box: %s", qPrintable(request.prompt));
        return std::nullopt;
    }
    return m_inputAnswers.dequeue();
}

QString ScriptedDesktop::chooseFile(const FileRequest &request)
{
    files << request;
    log << u"file"_s;
    if (m_fileAnswers.isEmpty()) {
        ++unexpected;
        qWarning("ScriptedDesktop: unexpected file dialog: %s", qPrintable(request.title));
        return {};
    }
    const auto [path, filter] = m_fileAnswers.dequeue();
    if (request.chosenFilter)
        *request.chosenFilter = filter;
    return path;
}

bool ScriptedDesktop::openExternal(const QUrl &url)
{
    opened << url;
    log << u"open"_s;
    if (m_openAnswers.isEmpty()) {
        ++unexpected;
        qWarning("ScriptedDesktop: unexpected open: %s", qPrintable(url.toString()));
        return false;
    }
    return m_openAnswers.dequeue();
}

bool ScriptedDesktop::moveToTrash(const QString &path)
{
    trashed << path;
    log << u"trash"_s;
    if (m_trashAnswers.isEmpty()) {
        ++unexpected;
        qWarning("ScriptedDesktop: unexpected move to the trash: %s", qPrintable(path));
        return false;
    }
    return m_trashAnswers.dequeue();
}
