// libFuzzer target: arbitrary bytes as the key statistics file (checkKeyStatistics).
#include "fuzz/entry.h"
#include "fuzz/harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return fuzzOne(checkKeyStatistics, data, size);
}
