#include "cli/CVarnoTableApp.h"

int main(int argc, char** argv)
{
    CVarnoTableApp app(argc, argv);
    return AfxWinMain(argc, argv);
}
