#include "store/store_formats.h"
#include "tests/fuzz/fuzz_store.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string destination = LoadWith(kDataFile, data, size).destination;
    // The first line whole, less the carriage return of its line end.
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string firstLine = bytes.substr(0, bytes.find('\n'));
    Expect(destination == firstLine ||
               (destination + '\r' == firstLine && firstLine.size() < bytes.size()),
           "the destination is the whole first line");
    Expect(store::ParseDestination(destination) == destination, "the destination survives a save");
    return 0;
}
