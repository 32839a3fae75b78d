#include "app/modRess.h"

void loadAboutCaptions()
{
}
