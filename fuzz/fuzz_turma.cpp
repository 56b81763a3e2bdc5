// libFuzzer target: arbitrary bytes as a class list (checkClassList).
#include "fuzz/entry.h"
#include "fuzz/harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return fuzzOne(checkClassList, data, size);
}
