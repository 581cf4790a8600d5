// How the input plug-in's SetDecodeOptions turns a host request into the
// options it keeps.
#pragma once

#include "decoder/DecoderTypes.h"

// Reduction 0-2 and conversion 0-1 are kept, anything else becomes 0. Any
// positive frequency limit becomes 24000 (the decoder needs at least 1000);
// zero or less leaves the current limit, so a later MPEG Open fails when
// none was ever set.
inline DecodeOptions ApplyDecodeOptionRequest(DecodeOptions current, int32_t reduction,
                                              int32_t conversion, int32_t frequencyLimit) {
    DecodeOptions next = current;
    next.reduction = (reduction >= 0 && reduction <= 2) ? reduction : 0;
    next.conversion = (conversion == 0 || conversion == 1) ? conversion : 0;
    if (frequencyLimit > 0) next.frequencyLimit = 24000;
    return next;
}
