#pragma once

#include "core/Camera2d.h"

// The world layer's camera: the graphics manager's, or the default 60 x 45 view when there is
// none (tests without a renderer).
Camera2d CurrentWorldCamera();
