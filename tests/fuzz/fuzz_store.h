#pragma once

#include "flows/load_store.h"
#include "tests/native/test_support.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Puts the bytes into one store file of a private install directory, as
// another program or a damaged disk may leave them, and loads the store. A new
// file each time: a truncated one may be flushed to disk on close, slowly.
inline flows::LoadedStore LoadWith(const char* fileName, const uint8_t* data, size_t size)
{
    static const Install folder;
    std::filesystem::remove(folder.PathOf(fileName));
    folder.Write({{fileName, std::string(reinterpret_cast<const char*>(data), size)}});
    return flows::LoadStore(folder.Directory()).value();
}

// Stops the run with the message when an expectation does not hold.
inline void Expect(bool holds, const char* what)
{
    if (holds)
        return;
    std::fprintf(stderr, "expectation failed: %s\n", what);
    std::abort();
}
