// The anchor for the card tool's start: a program that loads the same Qt
// libraries (QtCore and QtGui) and does nothing, so what the tool costs
// before its first card shows beside what Qt costs to load.

#include <QImage>

int main()
{
    // An image object makes the linker keep QtGui, as the tool's thumbnails do.
    return QImage().isNull() ? 0 : 1;
}
