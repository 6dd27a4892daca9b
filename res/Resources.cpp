#include "res/Resource.h"

void VarnoRegisterStrings();
void VarnoRegisterMenus();

void VarnoRegisterResources()
{
    VarnoRegisterStrings();
    VarnoRegisterMenus();
}
