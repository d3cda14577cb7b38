#include "module.h"

namespace {
void* moduleHandle = nullptr;  // process-wide, written by the load hook
}

void* platformModuleHandle() { return moduleHandle; }
void platformSetModuleHandle(void* handle) { moduleHandle = handle; }
