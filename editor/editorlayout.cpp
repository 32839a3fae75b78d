#include "editor/editorlayout.h"

#include "app/common.h"

std::optional<EditorCaptionPlaces> placeEditorCaptions(const EditorCaptionMeasure &m)
{
    EditorCaptionPlaces places;
    places.duree1Left = m.duree1BoxLeft - m.duree1Width - float(EditorLayout::CaptionGap);
    const auto titreLeft = toInt16(m.titreBoxLeft);
    const auto afterCaption = toInt16(m.anneeLeft + m.anneeWidth + float(EditorLayout::CaptionGap));
    if (!titreLeft || !afterCaption || !toInt16(places.duree1Left))
        return std::nullopt;
    places.anneeBoxLeft = MaxInt(*titreLeft, *afterCaption);
    return places;
}

std::optional<qint16> editorOuterHeight(double resumeBottom, double posterBottom)
{
    const auto resume = toInt16(resumeBottom);
    const auto poster = toInt16(posterBottom);
    if (!resume || !poster)
        return std::nullopt;
    return toInt16(double(MaxInt(*resume, *poster)) + EditorLayout::HeightAllowance);
}
