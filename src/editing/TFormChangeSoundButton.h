#pragma once
// The window's class lives in the editor's own unit.
#include "editing/ChangeSoundButton.h"
