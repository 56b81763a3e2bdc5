// libFuzzer target: arbitrary bytes as the lesson file, read into the
// progress figures (checkProgress).
#include "fuzz/entry.h"
#include "fuzz/harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return fuzzOne(checkProgress, data, size);
}
