#pragma once

class BenchSystem;

// The floor a run can reach: the same elimination as SOLVE and as the tableau
// load, in the same precisions (double for the working matrix, single for the
// companion matrix), with the same number of conversions of the same values
// to cell texts, but with no grid, no event pump and no variant arithmetic.
// Each returns a checksum of the texts so that nothing is optimised away.
long solveKernel(const BenchSystem &system);
long tableauLoadKernel(const BenchSystem &system);
