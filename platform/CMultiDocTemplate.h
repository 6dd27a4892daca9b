#pragma once
// The template of a multiple-document application: the one kind of template there is.

#include "platform/CDocTemplate.h"

using CMultiDocTemplate = CDocTemplate;
