#pragma once
// Showing a card in the viewer, and saving its poster.

#include "card/cardrecord.h"

#include <QString>

class ViewerWindow;

// Reads cardPath into the viewer and shows it; mode 1 (the editor's preview)
// disables saving the poster. False when the card could not be read: the
// message is shown and no viewer is left unshown.
bool OpenInViewer(const QString &cardPath, int mode);

// The steps of OpenInViewer.
void FillViewer(ViewerWindow &viewer, const CardRecord &record);
// The card whose poster the viewer shows (empty: none), set at every load.
void SetViewerPoster(ViewerWindow &viewer, const QString &posterCard);
void FindMovieFile(ViewerWindow &viewer, const QString &cardPath);

// Asks where to save the viewer's poster and copies it from its card file.
void SavePosterAs(ViewerWindow &viewer);
