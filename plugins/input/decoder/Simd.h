// Whether the decoder's AVX routines run: where the processor has AVX, unless tests
// turn them off to run the four-lane ones. Both give the same bits.
#pragma once

// Takes effect at the next DecoderInitTables.
void SimdAllowWide(bool allowed);

// True when the processor has AVX and the wide routines are allowed.
bool SimdWide();
