#include "settings/DialogText.h"

#include "ResourceText.h"
#include "SmartApplication.h"

HINSTANCE DialogInstance() {
    const SmartApplication* app = GetApp();
    return app && app->instance() ? app->instance() : GetModuleHandleA(nullptr);
}

std::string LoadDialogString(UINT id) { return LoadResourceText(DialogInstance(), id); }
