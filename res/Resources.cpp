#include "res/Resource.h"

void VarnoRegisterStrings();

void VarnoRegisterResources() { VarnoRegisterStrings(); }
