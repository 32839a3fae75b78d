#include "about/aboutlinks.h"

#include "desktop/desktop.h"
#include "process/buildconfig.h"

VersionLine versionLine(int major, int minor, int revision)
{
    VersionLine line;
    QString version;
    if (major > 0) {
        version = QString::number(major) + QLatin1Char('.') + QString::number(minor);
    } else {
        version = QStringLiteral(u"Bêta ") + QString::number(minor);
        line.preRelease = true;
    }
    if (revision != 0)
        version += QStringLiteral(" (rev ") + QString::number(revision) + QLatin1Char(')');
    line.text = kAppTitle + QLatin1Char(' ') + version;
    return line;
}

QString webSiteAddress()
{
    return QString::fromUtf8(BuildConfig::WebSite);
}

QString databaseHomeAddress()
{
    return QString::fromUtf8(BuildConfig::DatabaseHome);
}

QUrl programmerMail(const QString &subject)
{
    // Only the letters, digits and "-._~" stay as they are; "@" keeps the
    // address readable and is allowed in the address part.
    const QByteArray address = QUrl::toPercentEncoding(QString::fromUtf8(BuildConfig::ProgrammerMail), "@");
    const QByteArray encoded = "mailto:" + address + "?subject=" + QUrl::toPercentEncoding(subject);
    return QUrl::fromEncoded(encoded, QUrl::StrictMode);
}
