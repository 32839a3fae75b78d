#include "collection/frenchorder.h"

#include <algorithm>

QCollator frenchCollator()
{
    QCollator collator { QLocale(QLocale::French, QLocale::France) };
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseSensitive);
    return collator;
}

void sortFrench(QStringList &texts)
{
    const QCollator collator = frenchCollator();
    std::stable_sort(texts.begin(), texts.end(), collator);
}
