#include "res/Resource.h"

void VarnoRegisterStrings();
void VarnoRegisterMenus();
void VarnoRegisterDialogs();

void VarnoRegisterResources()
{
    VarnoRegisterStrings();
    VarnoRegisterMenus();
    VarnoRegisterDialogs();
}
