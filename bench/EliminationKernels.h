#pragma once

class BenchSystem;

// Two floors a run can be held against, both the same elimination as SOLVE
// and as the tableau load in the same precisions (double for the working
// matrix, single for the companion matrix), with no grid, no event pump and
// no variant arithmetic:
// - the kernel converts every written value to its cell text, as many
//   conversions of the same values as the run writes;
// - the floor stores every written value, as a cell that keeps its number
//   does, and makes no text at all: the arithmetic and the stores alone.
// Each returns a checksum so that nothing is optimised away.
long solveKernel(const BenchSystem &system);
long tableauLoadKernel(const BenchSystem &system);
long solveFloor(const BenchSystem &system);
long tableauLoadFloor(const BenchSystem &system);
