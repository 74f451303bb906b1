// The one application object of the process. The framework's WinMain finds
// it through GetApp and hands the process to it.
#include "app/PhraseApp.h"

namespace {

PhraseApp application;

}  // namespace
