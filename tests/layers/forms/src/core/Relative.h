#pragma once

#include "../world/Map.h"
