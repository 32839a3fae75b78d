#pragma once
// Reading a card in place: its record from the first 1176 bytes, and its
// poster as a device over the rest of the file, never copied whole.

#include "card/cardrecord.h"
#include "poster/posterimage.h"

#include <QFile>
#include <QIODevice>
#include <QString>

enum class CardAccess { Ok, Missing, Unreadable, NotCard };

struct OpenedCard {
    CardAccess status = CardAccess::Ok;
    CardRecord record;
    qint64 posterBytes = 0;   // bytes after offset 1176
};

// The record of the card at path; reads its first 1176 bytes only.
OpenedCard openCard(const QString &path);

// The poster bytes of the card at cardPath, read in place: position 0 is
// the byte at offset 1176. Read-only; the caller has checked the card.
class PosterDevice : public QIODevice {
public:
    explicit PosterDevice(const QString &cardPath);
    bool open(OpenMode mode) override;
    void close() override;
    bool isSequential() const override { return false; }
    qint64 size() const override;
    bool seek(qint64 pos) override;

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QFile m_card;
};

// The format and announced size of the poster of cardPath (format empty
// when the bytes are no picture this program reads).
PosterInfo cardPosterInfo(const QString &cardPath);

// A picture file's extension for a format of probePoster: "jpg" for "jpeg".
QString pictureExtension(const QByteArray &format);
