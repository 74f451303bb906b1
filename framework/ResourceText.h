#pragma once
#include <windows.h>

#include <string>

// String resource id of instance in the ANSI code page, whole; empty when
// there is none.
std::string LoadResourceText(HINSTANCE instance, UINT id);
