// G.711 expansion of A-law and µ-law bytes to 16-bit linear samples.
#pragma once

#include <cstdint>

// The A-law reconstruction level (13-bit) scaled to 16 bits.
int16_t ExpandALaw(uint8_t code);
// The µ-law reconstruction level (14-bit) scaled to 16 bits.
int16_t ExpandMuLaw(uint8_t code);
