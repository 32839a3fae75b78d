#include "editor/editorlayout.h"

#include "layout/twips.h"

std::optional<EditorCaptionPlaces> placeEditorCaptions(const EditorCaptionMeasure &m)
{
    EditorCaptionPlaces places;
    places.runningTimeCaptionLeft
        = m.hoursBoxLeft - m.runningTimeCaptionWidth - float(EditorLayout::CaptionGap);
    const auto titleLeft = toInt16(m.titleBoxLeft);
    const auto afterCaption
        = toInt16(m.yearCaptionLeft + m.yearCaptionWidth + float(EditorLayout::CaptionGap));
    if (!titleLeft || !afterCaption || !toInt16(places.runningTimeCaptionLeft))
        return std::nullopt;
    places.yearBoxLeft = maxInt16(*titleLeft, *afterCaption);
    return places;
}

std::optional<qint16> editorOuterHeight(double summaryBottom, double posterBottom)
{
    const auto summary = toInt16(summaryBottom);
    const auto poster = toInt16(posterBottom);
    if (!summary || !poster)
        return std::nullopt;
    return toInt16(double(maxInt16(*summary, *poster)) + EditorLayout::HeightAllowance);
}
