#include "app/modRess.h"

void loadEditorCaptions()
{
}
