#pragma once

#include "framework/Resources.h"

// The program's menus, accelerators, tool bar, strings and dialog templates.
const ResourceSet& TrackwrightResources();
