#include "tool/tooltexts.h"

QString ToolText::jsonOptionsClash()
{
    return QStringLiteral("--json et --json-lines s'excluent");
}
