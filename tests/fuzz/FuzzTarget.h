#pragma once

// Each fuzz target defines this entry point. Built with clang's libFuzzer it
// is fuzzed (scripts/fuzz.sh); built into the regression runner it replays
// the stored corpus and every input that once broke something.
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
