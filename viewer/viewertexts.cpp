#include "app/modRess.h"

void loadViewerCaptions()
{
}
