#pragma once

#include <vector>

#include "Bare.h"
#include "core/Angled.h"
