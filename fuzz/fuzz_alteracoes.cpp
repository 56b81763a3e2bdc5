// libFuzzer target: arbitrary bytes as the teacher's change log (checkChangeLog).
#include "fuzz/entry.h"
#include "fuzz/harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return fuzzOne(checkChangeLog, data, size);
}
