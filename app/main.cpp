#include "app/CVarnoApp.h"
#include "res/Resource.h"

// The one application object.
CVarnoApp theApp;

int main(int argc, char** argv)
{
    VarnoRegisterResources();
    return AfxWinMain(argc, argv);
}
