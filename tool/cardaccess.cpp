#include "tool/cardaccess.h"

#include "app/common.h"
#include "card/cardfile.h"

#include <QFileInfo>

OpenedCard openCard(const QString &path)
{
    OpenedCard card;
    QFile in(path);
    if (!FileExists(path)) {   // a folder, a device: there, but no card
        card.status = QFileInfo::exists(path) ? CardAccess::NotCard : CardAccess::Missing;
        return card;
    }
    if (!in.open(QIODevice::ReadOnly)) {
        card.status = CardAccess::Unreadable;
        return card;
    }
    const CardRead read = readCard(in, nullptr);
    switch (read.status) {
    case CardReadStatus::Ok:
        break;
    case CardReadStatus::NotCard:
        card.status = CardAccess::NotCard;
        return card;
    default:
        card.status = CardAccess::Unreadable;
        return card;
    }
    card.record = read.record;
    card.posterBytes = std::max<qint64>(0, in.size() - CardLayout::PosterOffset);
    return card;
}

PosterDevice::PosterDevice(const QString &cardPath) : m_card(cardPath) { }

bool PosterDevice::open(OpenMode mode)
{
    if ((mode & ~QIODevice::Unbuffered) != QIODevice::ReadOnly)
        return false;
    if (!m_card.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        setErrorString(m_card.errorString());
        return false;
    }
    if (!m_card.seek(std::min<qint64>(m_card.size(), CardLayout::PosterOffset))) {
        m_card.close();
        return false;
    }
    // Unbuffered: every read comes straight from the card at the right offset.
    return QIODevice::open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

void PosterDevice::close()
{
    QIODevice::close();
    m_card.close();
}

qint64 PosterDevice::size() const
{
    return std::max<qint64>(0, m_card.size() - CardLayout::PosterOffset);
}

bool PosterDevice::seek(qint64 pos)
{
    return QIODevice::seek(pos) && m_card.seek(CardLayout::PosterOffset + pos);
}

qint64 PosterDevice::readData(char *data, qint64 maxSize)
{
    return m_card.read(data, maxSize);
}

PosterInfo cardPosterInfo(const QString &cardPath)
{
    PosterDevice poster(cardPath);
    if (!poster.open(QIODevice::ReadOnly) || poster.size() == 0)
        return {};
    return probePoster(poster);
}

QString pictureExtension(const QByteArray &format)
{
    return format == "jpeg" ? QStringLiteral("jpg") : QString::fromLatin1(format);
}
