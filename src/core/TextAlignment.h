#pragma once

#include <cstdint>

enum class TextXAlignment : int32_t { Left = 0, Center = 1, Right = 2 };
enum class TextYAlignment : int32_t { Top = 0, Middle = 1, Bottom = 2 };
