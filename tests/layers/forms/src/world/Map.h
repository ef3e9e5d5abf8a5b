#pragma once

#include "../core/Fine.h"
#include <core/Relative.h>
