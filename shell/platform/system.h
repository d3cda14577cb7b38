// Operating-system services of the runtime: the plug-in module's own file,
// folder listing, file status and the processor clock. Implemented once per
// system; this header stays free of system headers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Full file name of the plug-in module: the module whose handle the load
// hook recorded, or, while none is recorded, the module holding this code.
// Empty when the system cannot tell.
std::string platformModuleFileName();

// Appends the names of a folder's entries in the order the system lists
// them (no sorting, "." and ".." included where the system lists them).
// Answers false, appending nothing, when the folder cannot be listed.
bool platformListFolder(const std::string& folder, std::vector<std::string>& names);

// Queries a path's file status: false when the query fails, else isFolder
// tells whether the path names a folder.
bool platformPathStatus(const std::string& path, bool& isFolder);

// Milliseconds of the processor clock. Wraps around like an int32; callers
// compare readings by difference only.
int32_t platformClockMilliseconds();
