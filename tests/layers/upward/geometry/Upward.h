#pragma once

// A model header that reaches up into the view: the layer check must reject it.
#include "view/GlLines.h"
