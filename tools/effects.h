// Sound effects built from noise, partials and envelopes.
#pragma once
#include "tools/pcm.h"

// Three blade clashes with their ring: 22,050 Hz mono.
Pcm make_skirmish();
// A squad's marching steps with a jingle of mail: 22,050 Hz stereo.
Pcm make_march();
