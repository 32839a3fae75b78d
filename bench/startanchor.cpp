// The anchor for the card tool's start: a program linked to QtCore alone, as
// the tool is, that does nothing, so what the tool costs before and on its
// first card shows beside what Qt costs to load.

#include <QString>

int main()
{
    // A string makes the linker keep QtCore.
    return QString().isNull() ? 0 : 1;
}
