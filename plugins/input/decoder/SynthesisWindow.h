#pragma once

constexpr int kSynthesisWindowSize = 264;
extern const float kSynthesisWindow[kSynthesisWindowSize];
