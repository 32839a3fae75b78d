#include "app/modRess.h"

#include "app/texttable.h"

#include <initializer_list>
#include <utility>

QString strFileNotFound, strSaveAfficheTitle, strSaveAsTitle, strWrongFile, strWriteFailed, strReadFailed,
    strUnsafeFolder;
QString strFilterAll, strFilterCard, strFilterImages, strFilterJpeg, strFilterBitmap, strFilterGif;
QString strNouveau, strFormatInvalide, strFormatAnnee, strFormatDureeA, strFormatDureeB, strTitreRequis,
    strWantSave, strOpenTitle, strAfficheTitle, strWrongImage, strImageTooLarge, strSearch;
QString strBugToolTip, strError;

void assignTexts(std::initializer_list<std::pair<QString *, int>> targets)
{
    for (const auto &[variable, id] : targets)
        *variable = resText(id);
}

void LoadStartupTexts()
{
    // The failure messages go with it: any start mode reads and may save a file.
    assignTexts({ { &strFileNotFound, 4101 }, { &strWriteFailed, 4105 }, { &strReadFailed, 4106 },
        { &strUnsafeFolder, 4107 } });
}

void LoadFilterTexts()
{
    assignTexts({ { &strFilterAll, 5100 }, { &strFilterCard, 5101 }, { &strFilterImages, 5102 },
        { &strFilterJpeg, 5103 }, { &strFilterBitmap, 5104 }, { &strFilterGif, 5105 } });
}

void clearTexts()
{
    for (QString *text :
        { &strFileNotFound, &strSaveAfficheTitle, &strSaveAsTitle, &strWrongFile, &strWriteFailed,
            &strReadFailed, &strUnsafeFolder, &strFilterAll, &strFilterCard, &strFilterImages, &strFilterJpeg,
            &strFilterBitmap, &strFilterGif, &strNouveau, &strFormatInvalide, &strFormatAnnee,
            &strFormatDureeA, &strFormatDureeB, &strTitreRequis, &strWantSave, &strOpenTitle,
            &strAfficheTitle, &strWrongImage, &strImageTooLarge, &strSearch, &strBugToolTip, &strError })
        text->clear();
}
