#include "tool/tooltexts.h"

QString ToolText::jsonOptionsClash()
{
    return QStringLiteral("--json et --json-lines s'excluent");
}

QString ToolText::findOutputsClash()
{
    return QStringLiteral("-0 et --json s'excluent");
}

QString ToolText::badYears(const QString &years)
{
    return QStringLiteral(
        "années « %1 » incorrectes : une année (1995) ou deux jointes par « - » (1990-1999)")
        .arg(years);
}

QString ToolText::badRatings(const QString &ratings)
{
    return QStringLiteral("note « %1 » incorrecte : une note de 1 à 10 (8) ou deux jointes par « - » (8-10)")
        .arg(ratings);
}

QString ToolText::seenOptionsClash()
{
    return QStringLiteral("--vu et --pas-vu s'excluent");
}

QString ToolText::catalogueKind(const QString &output)
{
    return QStringLiteral("%1 : le catalogue est une page .html ou un tableau .csv").arg(output);
}

QString ToolText::catalogueOptionsClash()
{
    return QStringLiteral("--excel, --letterboxd, --imdb et --separateur s'excluent");
}

QString ToolText::badSeparator(const QString &separator)
{
    return QStringLiteral("séparateur « %1 » incorrect : un seul caractère, ni guillemet ni saut de ligne")
        .arg(separator);
}
