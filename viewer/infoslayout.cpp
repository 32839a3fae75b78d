#include "viewer/infoslayout.h"

#include "layout/twips.h"

#include <algorithm>

using namespace InfosLayout;

namespace {

struct Row {
    const ValueLabel &value;
    Box &box;
    bool &wrap;
};

// Where a value label ends up: right of its caption.
int valueLeft(const Size &caption)
{
    return CaptionLeft + caption.width + CaptionGap;
}

// Narrows a value label that would run into the poster, or, when the poster
// ends above the label, lets it run to the window's edge and moves the
// poster past it. The width is counted from the label's final left so that
// the wrapped text keeps its gap to the poster whatever the caption's width.
void fitValueLabel(const Row &row, int left, int initialTop, bool strict, Box &poster, int outerWidth)
{
    const float right = float(left + row.value.natural.width);
    if (float(poster.left - PosterGap) > right)
        return;
    const float posterBottom = float(poster.top + poster.height);
    const bool below = strict ? posterBottom > float(initialTop) : posterBottom >= float(initialTop);
    row.box.width = below ? poster.left - PosterGap - left : outerWidth - PosterGap - left;
    row.wrap = true;
    poster.left = left + row.box.width + PosterGap;
}

// Actors stand one a line: a wrapped name would read as two actors, so a
// long name pushes the poster to its right instead.
void clearActors(const Row &row, int left, Box &poster)
{
    poster.left = std::max(poster.left, left + row.value.natural.width + PosterGap);
}

void sizePoster(const InfosMeasure &m, InfosPlaces &p)
{
    const std::optional<qint16> height = m.poster ? scaledPosterHeight(*m.poster) : std::nullopt;
    p.posterShown = height.has_value();
    p.poster.width = p.posterShown ? kPosterWidth : 0;
    p.poster.height = height.value_or(0);
}

// Gives each value label its natural size, or its wrapped height.
void sizeValue(const Row &row)
{
    if (!row.wrap) {
        row.box.width = row.value.natural.width;
        row.box.height = row.value.natural.height;
    } else {
        row.box.height = row.value.wrapped(row.box.width);
    }
}

// Puts a caption and its value label side by side at top; returns the
// top of the next row.
int stackRow(Box &caption, const Size &captionSize, const Row &row, int top)
{
    caption = { CaptionLeft, top, captionSize.width, captionSize.height };
    row.box.left = valueLeft(captionSize);
    row.box.top = top;
    sizeValue(row);
    return top + row.box.height + RowGap;
}

void placeWindow(InfosPlaces &p)
{
    const std::optional<qint16> posterBottom = toInt16(p.poster.top + p.poster.height);
    const std::optional<qint16> summaryBottom = toInt16(p.summary.top + p.summary.height);
    const int limit = MaxOuterHeight - BottomMargin;
    if (posterBottom && summaryBottom && maxInt16(*posterBottom, *summaryBottom) <= limit) {
        p.outerHeight = maxInt16(*posterBottom, *summaryBottom) + BottomMargin;
    } else {
        p.outerHeight = MaxOuterHeight;
        p.heightLimited = true;
    }
    p.outerWidth = p.poster.left + p.poster.width + RightMargin;
    p.posterPictureLeft = p.outerWidth;
    p.ok = { p.outerWidth - OkFromRight, p.outerHeight - ButtonsFromBottom, OkSize.width, OkSize.height };
    p.play = { p.ok.left - PlayFromOk, p.ok.top, PlaySize.width, PlaySize.height };
}

InfosPlaces placeUnderTitle(const InfosMeasure &m, int titleHeight)
{
    InfosPlaces p;
    const Row genre { m.genre, p.genre, p.wrapGenre }, director { m.director, p.director, p.wrapDirector },
        actors { m.actors, p.actors, p.wrapActors }, summary { m.summary, p.summary, p.wrapSummary };
    const int firstTop = titleHeight + TitleGap;
    p.poster = { PosterLeft, firstTop, 0, 0 };
    sizePoster(m, p);
    clearActors(actors, valueLeft(m.actorsCaption), p.poster);
    fitValueLabel(
        summary, valueLeft(m.summaryCaption), SummaryInitialTop, true, p.poster, m.initialOuterWidth);
    fitValueLabel(
        director, valueLeft(m.directorCaption), DirectorInitialTop, false, p.poster, m.initialOuterWidth);
    // The genre is fitted too: a long genre must not run under the poster.
    fitValueLabel(genre, valueLeft(m.genreCaption), GenreInitialTop, false, p.poster, m.initialOuterWidth);
    p.year = { CaptionLeft, firstTop, m.year.width, m.year.height };
    // The running time keeps its place unless the year's text reaches it.
    const int runningTimeLeft = std::max(RunningTimeLeft, p.year.left + p.year.width + RunningTimeMinGap);
    p.runningTime = { runningTimeLeft, firstTop, m.runningTime.width, m.runningTime.height };
    int top = firstTop + m.runningTime.height + RowGap;
    top = stackRow(p.genreCaption, m.genreCaption, genre, top);
    top = stackRow(p.directorCaption, m.directorCaption, director, top);
    top = stackRow(p.actorsCaption, m.actorsCaption, actors, top);
    stackRow(p.summaryCaption, m.summaryCaption, summary, top);
    placeWindow(p);
    p.title = { TitleLeft, 0, p.outerWidth, titleHeight };
    return p;
}

}   // namespace

InfosPlaces placeInfos(const InfosMeasure &m)
{
    int titleHeight = m.title(TitleInitialWidth);
    InfosPlaces p = placeUnderTitle(m, titleHeight);
    // The title is wrapped again at the final width; when that needs more
    // lines, the rows move down under it instead of being overlapped.
    for (int pass = 0; pass < 2; ++pass) {
        const int needed = m.title(p.outerWidth);
        if (needed <= titleHeight)
            break;
        titleHeight = needed;
        p = placeUnderTitle(m, titleHeight);
    }
    p.title.height = m.title(p.outerWidth);
    return p;
}
