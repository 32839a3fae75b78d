#pragma once
// Tells when the file at a path may have changed on disk, whoever changed
// it. Cards are replaced by a new file at each save (ours, the card tool's,
// most editors'), which a watch on the old file no longer sees: the folder
// is watched too, and the file's watch is taken again after each change.

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

class CardWatch : public QObject {
    Q_OBJECT
public:
    // How long changes must have stopped before touched is sent, so that a
    // file written in several steps is looked at once, whole.
    static constexpr int SettleMs = 150;

    explicit CardWatch(QObject *parent = nullptr);
    // Watches the file at path and its folder; an empty path watches nothing.
    void watch(const QString &path);
    const QString &path() const { return m_path; }
    // Sends touched once no change has come for SettleMs; each change puts
    // it off again. A window that cannot answer now (a dialog is open) calls
    // it to be told again later.
    void postpone();

signals:
    // The file, or something in its folder, changed; the receiver looks at
    // what became of the file.
    void touched();

private:
    void rewatch();

    QFileSystemWatcher *m_watcher;
    QTimer m_settle;
    QString m_path;
};
