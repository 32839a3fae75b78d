#pragma once
// The editor's layout arithmetic, without widgets. Every number is in twips.

#include <QtGlobal>
#include <optional>

namespace EditorLayout {
constexpr int CaptionGap = 45;                     // between a caption and the box it names
constexpr int CaptionLeft = 120, BoxLeft = 1080;   // the column of captions, and of the boxes they name
constexpr int BoxWidth = 2895;                     // the title, genre, director and summary boxes
constexpr int HoursBoxLeft = 3240;                 // the hours box
constexpr int SummaryTop = 2160, SummaryHeight = 1455;
constexpr int SummaryBottom = SummaryTop + SummaryHeight;
constexpr int HeightAllowance = 855;   // outer height of the window over the lowest bottom edge
constexpr int InnerWidth = 6300;       // the window's area under its menu bar
constexpr int InnerHeight = 3735;      // the same, before a poster sets the height
constexpr int PosterLeft = 4200, PosterTop = 960;
constexpr int PosterInitialHeight = 2055;   // before a poster is loaded
constexpr int PanelLeft = 4080;   // the poster panel: its frame, and the poster under it, to the right edge
}   // namespace EditorLayout

// The measured captions and the boxes they stand against.
struct EditorCaptionMeasure {
    float titleBoxLeft = EditorLayout::BoxLeft;          // the title box
    float yearCaptionLeft = EditorLayout::CaptionLeft;   // the year caption
    float yearCaptionWidth = 1050;                       // the year caption, as measured in its font
    float hoursBoxLeft = EditorLayout::HoursBoxLeft;     // the hours box
    float runningTimeCaptionWidth = 1035;                // the running-time caption, as measured in its font
};

struct EditorCaptionPlaces {
    float runningTimeCaptionLeft = 0;   // the running-time caption's left
    qint16 yearBoxLeft = 0;             // the year box's left
};

// The running-time caption ends one gap before the hours box; the year box
// lines up with the title box unless its caption is wider. nullopt when a
// value leaves the signed 16-bit range.
std::optional<EditorCaptionPlaces> placeEditorCaptions(const EditorCaptionMeasure &m);

// The window's outer height: the lower of the two bottom edges plus the
// allowance. nullopt when it leaves the 16-bit range.
std::optional<qint16> editorOuterHeight(double summaryBottom, double posterBottom);
