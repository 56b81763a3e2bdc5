// libFuzzer target: Desembaralha with arbitrary keys and texts (checkUnscrambling).
#include "fuzz/entry.h"
#include "fuzz/harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return fuzzOne(checkUnscrambling, data, size);
}
