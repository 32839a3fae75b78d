#include "texts/plaintext.h"

QString plainToolTip(const QString &text)
{
    if (text.isEmpty())
        return {};
    return QStringLiteral("<p style='white-space:pre'>") + text.toHtmlEscaped() + QStringLiteral("</p>");
}

// Qt shows "[*][*]" as one "[*]" and takes none of it for the mark.
QString plainCaption(const QString &caption)
{
    return QString(caption).replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
}
