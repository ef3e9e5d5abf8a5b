#pragma once

#include "core/Other.h"
#include "render/View.h"
#include "world/Map.h"
