// The loaded library's module handle, recorded by the load hook before any
// entry point runs. Opaque here so portable code needs no platform headers.
#pragma once

void* platformModuleHandle();
void platformSetModuleHandle(void* handle);
