#pragma once
#include "menus/GdiHandles.h"

// A new font made from the system's menu font (the non-client metrics);
// null when the system does not report them.
UniqueFont CreateSystemMenuFont();
