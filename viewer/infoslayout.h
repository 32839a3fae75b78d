#pragma once
// The viewer's layout as plain arithmetic: measured label sizes and the
// poster's natural size in, a box per control and the window's outer size
// out. Every number is in twips; positions are relative to the client area.

#include "layout/twips.h"

#include <functional>
#include <optional>

// A label's height when its text is wrapped at a width (twips -> twips).
using WrapHeight = std::function<int(int width)>;

struct ValueLabel {
    Size natural;         // on a single line (one line per text line)
    WrapHeight wrapped;   // word wrap on, at the width given
};

struct InfosMeasure {
    WrapHeight title;   // the title always wraps, centred
    // single-line labels
    Size year, runningTime, genreCaption, directorCaption, actorsCaption, summaryCaption;
    ValueLabel genre, director, actors, summary;
    std::optional<Size> poster;   // natural size; nullopt when the card has none
    int initialOuterWidth = 0;    // the window before the layout, frame included
};

struct InfosPlaces {
    Box title, year, runningTime, genreCaption, genre, directorCaption, director, actorsCaption, actors,
        summaryCaption, summary;
    Box poster;   // the displayed poster; 0 x 0 when hidden
    bool posterShown = false;
    int posterPictureLeft = 0;   // the full-size holder, just past the window's right edge
    Box ok, play;
    int outerWidth = 0, outerHeight = 0;
    // word wrap turned on for these value labels
    bool wrapGenre = false, wrapDirector = false, wrapActors = false, wrapSummary = false;
    bool heightLimited = false;   // the content was taller than a window can be
};

namespace InfosLayout {
constexpr int InitialClientWidth = 5265, InitialClientHeight = 3735;   // the window before the layout
constexpr int TitleLeft = -15, TitleInitialWidth = 5205, TitleInitialHeight = 360;
constexpr int CaptionLeft = 120;
constexpr int RunningTimeLeft = 1320;
constexpr int RunningTimeMinGap = 120;   // between the year and the running time
// The tops the value labels have before the rows are stacked; the vertical
// test of the layout compares the poster's bottom with these.
constexpr int GenreInitialTop = 1320, DirectorInitialTop = 1680, ActorsInitialTop = 2040,
              SummaryInitialTop = 2400;
constexpr Size OkSize { 1215, 495 }, PlaySize { 1095, 495 };
constexpr int PosterLeft = 3120;
constexpr int TitleGap = 240;
constexpr int RowGap = 85;
constexpr int CaptionGap = 75;
constexpr int PosterGap = 135;
constexpr int RightMargin = 300;
constexpr int BottomMargin = 1215;
constexpr int ButtonsFromBottom = 990;
constexpr int OkFromRight = 1515;
constexpr int PlayFromOk = 1200;
constexpr int MaxOuterHeight = 32767;
}   // namespace InfosLayout

// Lays the viewer out. A poster that cannot be scaled is left out, and a
// window taller than 32767 twips is limited to that height.
InfosPlaces placeInfos(const InfosMeasure &measure);
