#pragma once

#include "flows/load_store.h"
#include "tests/native/test_support.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Puts the bytes into one store file of a private install directory, as they
// would lie on disk, and loads the store from it. A plain write, not the
// store's own: the reader must take whatever another program or a damaged
// disk left. A new file each time rather than a truncated one, which the file
// system may flush to disk on close and slow every run down.
inline flows::LoadedStore LoadWith(const char* fileName, const uint8_t* data, size_t size)
{
    static const Install folder;
    std::filesystem::remove(folder.PathOf(fileName));
    folder.Write({{fileName, std::string(reinterpret_cast<const char*>(data), size)}});
    return flows::LoadStore(InstallDirectory(folder.Path()));
}

// Stops the run with the message when an expectation does not hold.
inline void Expect(bool holds, const char* what)
{
    if (holds)
        return;
    std::fprintf(stderr, "expectation failed: %s\n", what);
    std::abort();
}
