#pragma once
// Loads the storage engine, libdsengine.so, at most once per process: first
// from the folder of the running executable, else by the system's library
// search. The library stays loaded until the process ends.

#include <string>

#include "data/EngineApi.h"

namespace engineloader {

// The engine's entry point, loading the library on the first call. Throws
// Exception "Error loading libdsengine.so" when the library cannot be loaded or
// lacks its entry point; later calls fail the same way without trying again.
dsengine::CreateObjectFn entryPoint();

// For tests that check the failure: load exactly the file at `path` instead of
// searching. Takes effect only before the first load.
void useLibraryFile(std::string path);

}  // namespace engineloader
