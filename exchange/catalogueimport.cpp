#include "exchange/catalogueimport.h"
#include "exchange/exchangefile.h"

#include "card/filepaths.h"
#include "card/nativepath.h"
#include "card/pictureheader.h"

#include <QRegularExpression>

#include <cmath>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace CatalogueParts {

std::optional<CatalogueRead> openFailed(QFile &file, const QString &path)
{
    switch (openExchangeFile(file, path)) {
    case ExchangeFileStatus::Unreadable:
        return CatalogueRead { .status = CatalogueRead::Status::Unreadable };
    case ExchangeFileStatus::TooLarge:
        return CatalogueRead { .status = CatalogueRead::Status::TooLarge };
    case ExchangeFileStatus::Ok:
        break;
    }
    return std::nullopt;
}

QString first(const XmlValues &values, const QString &path)
{
    return values.value(path).value(0);
}

int ratingOutOf(const QString &value, double most)
{
    bool number = false;
    const double given = value.toDouble(&number);
    if (!number || given <= 0 || most <= 0)
        return 0;
    return int(std::clamp(std::nearbyint(given * 10 / most), 1.0, 10.0));
}

QString imdbIn(const QString &text)
{
    static const QRegularExpression id(u"\\btt[0-9]{5,12}\\b"_s);
    return id.match(text).captured();
}

std::optional<CatalogueRead> xmlFailed(const XmlItems &xml)
{
    switch (xml.problem()) {
    case XmlProblem::None:
        return std::nullopt;
    case XmlProblem::Entities:
        return CatalogueRead { .status = CatalogueRead::Status::XmlEntities, .line = xml.line() };
    case XmlProblem::TooDeep:
        return CatalogueRead { .status = CatalogueRead::Status::XmlTooDeep, .line = xml.line() };
    case XmlProblem::Unreadable:
        break;
    }
    return CatalogueRead {
        .status = CatalogueRead::Status::XmlUnreadable, .line = xml.line(), .error = xml.error()
    };
}

namespace {

// The path with every link followed; empty when nothing stands there.
QByteArray realPath(const QString &path)
{
    char *real = ::realpath(nativePath(path).constData(), nullptr);
    const QByteArray resolved(real);
    std::free(real);
    return resolved;
}

bool insideFolder(const QString &path, const QString &folder)
{
    const QByteArray real = realPath(path), base = realPath(folder);
    return !real.isEmpty() && !base.isEmpty() && real.startsWith(base + '/');
}

}   // namespace

ImportedMovie::PosterLeft takePosterFile(ImportedMovie &movie, const QString &path, const QString &folder)
{
    if (!fileExists(path))
        return ImportedMovie::PosterLeft::Missing;
    if (!insideFolder(path, folder))
        return ImportedMovie::PosterLeft::OutOfFolder;
    const PosterFileCheck check = checkPictureHeader(path);
    if (check.problem != PosterFileCheck::None)
        return ImportedMovie::PosterLeft::NotPicture;
    movie.poster = { PosterChoice::Kind::Replace, path };
    return ImportedMovie::PosterLeft::None;
}

ImportedMovie::PosterLeft takePosterBytes(ImportedMovie &movie, const QByteArray &bytes)
{
    const PosterInfo info = readPictureHeader(QByteArrayView(bytes));
    if (info.format.isEmpty() || tooManyPixels(info.size))
        return ImportedMovie::PosterLeft::NotPicture;
    movie.poster = { PosterChoice::Kind::Bytes, {}, bytes };
    return ImportedMovie::PosterLeft::None;
}

}   // namespace CatalogueParts
