// libFuzzer target: arbitrary bytes as the journal of a rewrite of the student file (checkJournal).
#include "fuzz/entry.h"
#include "fuzz/harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return fuzzOne(checkJournal, data, size);
}
