#pragma once

// 3-D simplex noise over Ken Perlin's reference permutation, in about [-1, 1]. Pure, no state.
// Coordinates that are not finite or lie beyond +-2^28 give 0: no lattice cell exists for them.
float SimplexNoise3(float x, float y, float z);

// The sum of octaves of SimplexNoise3: the first at frequency `scale` and amplitude 1, each next at
// twice the frequency and `persistence` times the amplitude, divided by the sum of amplitudes.
// Octaves run while their index is below `octaves`, at most 32 of them (beyond that the frequency
// outruns a float); none, or amplitudes summing to 0, give 0.
float OctaveNoise3(float octaves, float persistence, float scale, float x, float y, float z);
