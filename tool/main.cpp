#include "tool/cardtool.h"

int main(int argc, char *argv[])
{
    return runToolMain(argc, argv);
}
