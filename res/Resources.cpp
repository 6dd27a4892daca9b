#include "res/Resource.h"

void VarnoRegisterStrings();
void VarnoRegisterDialogs();

void VarnoRegisterResources()
{
    VarnoRegisterStrings();
    VarnoRegisterDialogs();
}
