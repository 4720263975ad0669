#pragma once

#include "flows/load_store.h"
#include "tests/native/support/fake_files.h"
#include "tests/native/support/paths.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Puts the bytes into one store file of an install directory in memory, as
// another program or a damaged disk may leave them, and loads the store.
inline flows::LoadedStore LoadWith(const char* fileName, const uint8_t* data, size_t size)
{
    FakeFiles files;
    const InstallDirectory directory(P("/install"));
    files.MakeFolders(directory.Root());
    files.Replace(directory.PathOf(fileName),
                  std::string_view(reinterpret_cast<const char*>(data), size));
    return flows::LoadStore(directory, files).value();
}

// Stops the run with the message when an expectation does not hold.
inline void Expect(bool holds, const char* what)
{
    if (holds)
        return;
    std::fprintf(stderr, "expectation failed: %s\n", what);
    std::abort();
}
