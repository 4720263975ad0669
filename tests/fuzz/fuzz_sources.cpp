#include "store/store_formats.h"
#include "tests/fuzz/fuzz_store.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const flows::LoadedStore loaded = LoadWith(kFilesToBackupFile, data, size);
    const std::vector<std::string> sources(loaded.sources.begin(), loaded.sources.end());
    Expect(static_cast<size_t>(std::count(data, data + size, '\n')) == sources.size(),
           "one source per line end");
    for (const std::string& source : sources)
        Expect(source.find('\n') == std::string::npos, "no source spans two lines");
    Expect(store::ParseSourceList(store::FormatSourceList(sources)) == sources,
           "loaded sources survive a save");
    return 0;
}
