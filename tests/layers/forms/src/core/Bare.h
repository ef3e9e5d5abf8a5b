#pragma once

#include "Extra.h"
