#include "store/store_formats.h"
#include "tests/fuzz/fuzz_store.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const flows::LoadedStore loaded = LoadWith(kSettingsFile, data, size);
    Expect(loaded.typeBoxesLocked == loaded.ticked[static_cast<int>(OptionFlag::AllFileTypes)],
           "the type boxes are locked exactly when All File Types is ticked");
    // Whatever was read, saving it and reading it back changes nothing.
    Expect(store::ParseSettings(store::FormatSettings(loaded.ticked)) == loaded.ticked,
           "loaded options survive a save");
    return 0;
}
