#pragma once
// The text loaders of the start modes: each loads the texts its windows
// show, then puts them into the windows' captions.

void LoadViewerTexts();
void LoadEditorTexts();
void LoadAllTexts();
