#pragma once

#include "core/Thing.h"
