// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Heap allocations since the program started; the benchmarks that link this count their
// allocations with it (it replaces the global operator new).
long AllocationCount();
