#include "viewer/infoslayout.h"

#include "app/common.h"

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
    p.afficheShown = height.has_value();
    p.affiche.width = p.afficheShown ? kPosterWidth : 0;
    p.affiche.height = height.value_or(0);
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
    const std::optional<qint16> posterBottom = toInt16(p.affiche.top + p.affiche.height);
    const std::optional<qint16> resumeBottom = toInt16(p.resume.top + p.resume.height);
    const int limit = MaxOuterHeight - BottomMargin;
    if (posterBottom && resumeBottom && MaxInt(*posterBottom, *resumeBottom) <= limit) {
        p.outerHeight = MaxInt(*posterBottom, *resumeBottom) + BottomMargin;
    } else {
        p.outerHeight = MaxOuterHeight;
        p.heightLimited = true;
    }
    p.outerWidth = p.affiche.left + p.affiche.width + RightMargin;
    p.posterPictureLeft = p.outerWidth;
    p.ok = { p.outerWidth - OkFromRight, p.outerHeight - ButtonsFromBottom, OkSize.width, OkSize.height };
    p.play = { p.ok.left - PlayFromOk, p.ok.top, PlaySize.width, PlaySize.height };
}

InfosPlaces placeUnderTitle(const InfosMeasure &m, int titleHeight)
{
    InfosPlaces p;
    const Row type { m.type, p.type, p.wrapType },
        realisateur { m.realisateur, p.realisateur, p.wrapRealisateur },
        acteurs { m.acteurs, p.acteurs, p.wrapActeurs }, resume { m.resume, p.resume, p.wrapResume };
    const int firstTop = titleHeight + TitleGap;
    p.affiche = { PosterLeft, firstTop, 0, 0 };
    sizePoster(m, p);
    clearActors(acteurs, valueLeft(m.acteursA), p.affiche);
    fitValueLabel(resume, valueLeft(m.resumeA), ResumeInitialTop, true, p.affiche, m.initialOuterWidth);
    fitValueLabel(
        realisateur, valueLeft(m.realisateurA), RealisateurInitialTop, false, p.affiche, m.initialOuterWidth);
    // The genre is fitted too: a long genre must not run under the poster.
    fitValueLabel(type, valueLeft(m.typeA), TypeInitialTop, false, p.affiche, m.initialOuterWidth);
    p.annee = { CaptionLeft, firstTop, m.annee.width, m.annee.height };
    // The running time keeps its place unless the year's text reaches it.
    const int dureeLeft = std::max(DureeLeft, p.annee.left + p.annee.width + DureeMinGap);
    p.duree = { dureeLeft, firstTop, m.duree.width, m.duree.height };
    int top = firstTop + m.duree.height + RowGap;
    top = stackRow(p.typeA, m.typeA, type, top);
    top = stackRow(p.realisateurA, m.realisateurA, realisateur, top);
    top = stackRow(p.acteursA, m.acteursA, acteurs, top);
    stackRow(p.resumeA, m.resumeA, resume, top);
    placeWindow(p);
    p.titre = { TitleLeft, 0, p.outerWidth, titleHeight };
    return p;
}

}   // namespace

InfosPlaces placeInfos(const InfosMeasure &m)
{
    int titleHeight = m.titre(TitleInitialWidth);
    InfosPlaces p = placeUnderTitle(m, titleHeight);
    // The title is wrapped again at the final width; when that needs more
    // lines, the rows move down under it instead of being overlapped.
    for (int pass = 0; pass < 2; ++pass) {
        const int needed = m.titre(p.outerWidth);
        if (needed <= titleHeight)
            break;
        titleHeight = needed;
        p = placeUnderTitle(m, titleHeight);
    }
    p.titre.height = m.titre(p.outerWidth);
    return p;
}
