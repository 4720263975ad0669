#pragma once

#include "flows/load_store.h"

#include <cstddef>
#include <cstdint>

// Puts the bytes into one store file of a private install directory, as
// they would lie on disk, and loads the store from it.
flows::LoadedStore LoadWith(const char* fileName, const uint8_t* data, size_t size);

// Stops the run with the message when an expectation does not hold.
void Expect(bool holds, const char* what);
