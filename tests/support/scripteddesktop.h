#pragma once
// A desktop for tests: answers each request from a queue and records it.

#include "desktop/desktop.h"
#include "texts/texts.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QUrl>

class ScriptedDesktop : public Desktop {
public:
    ScriptedDesktop();             // installs itself
    ~ScriptedDesktop() override;   // restores the real desktop

    void answerMsg(MsgAnswer answer) { m_msgAnswers.enqueue(answer); }
    void answerInput(std::optional<QString> answer) { m_inputAnswers.enqueue(answer); }
    void answerFile(const QString &path) { m_fileAnswers.enqueue(path); }   // empty = Cancel
    void answerOpen(bool ok) { m_openAnswers.enqueue(ok); }
    void answerTrash(bool ok) { m_trashAnswers.enqueue(ok); }
    QString documents;
    // When set, a message nobody queued an answer for gets this one.
    std::optional<MsgAnswer> anyMessage;

    // Every queued answer was used, no request came without one, and each
    // answer was one its box offers.
    bool allAnswered() const;
    int unexpected = 0;

    QList<MessageRequest> messages;
    QList<InputRequest> inputs;
    QList<FileRequest> files;
    QList<QUrl> opened;
    QStringList trashed;
    // every request in order: "msg", "input", "file", "open", "trash"
    QStringList log;

    MsgAnswer msgBox(const MessageRequest &request) override;
    std::optional<QString> inputBox(const InputRequest &request) override;
    QString chooseFile(const FileRequest &request) override;
    bool openExternal(const QUrl &url) override;
    QString documentsFolder() override { return documents; }
    bool moveToTrash(const QString &path) override;

private:
    static bool offers(MsgButtons buttons, MsgAnswer answer);
    QQueue<MsgAnswer> m_msgAnswers;
    QQueue<std::optional<QString>> m_inputAnswers;
    QQueue<QString> m_fileAnswers;
    QQueue<bool> m_openAnswers;
    QQueue<bool> m_trashAnswers;
};

// A failure as the program says it: the text named, then the path it is about
// on a line of its own.
inline QString saidAbout(Text text, const QString &path)
{
    return textOf(text) + QLatin1Char('\r') + path;
}
