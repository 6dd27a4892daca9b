#include "platform/CMultiDocTemplate.h"

IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)
