#include "exchange/exchangefile.h"

#include "card/filepaths.h"
#include "card/nativepath.h"

ExchangeFileStatus openExchangeFile(QFile &file, const QString &path)
{
    if (!fileExists(path) || !openForReading(file, path, QIODevice::ReadOnly))
        return ExchangeFileStatus::Unreadable;
    return file.size() > kMostExchangeBytes ? ExchangeFileStatus::TooLarge : ExchangeFileStatus::Ok;
}
