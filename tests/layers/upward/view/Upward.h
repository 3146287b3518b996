#pragma once

// A view header that reaches into the editor, which drives the view: the layer check must reject it.
#include "edit/CourseEditor.h"
