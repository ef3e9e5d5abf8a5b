#pragma once

// Heap allocations made through operator new since the program started (this benchmark program
// replaces the global operator new to count them).
long AllocationCount();
