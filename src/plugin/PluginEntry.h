// The exported entry points of the plugin boundary. Every one is cdecl, returns a 32-bit
// integer, lets no exception out and checks every pointer the host hands it.
#pragma once

#include <cstdint>

#include "plugin/HostLink.h"

extern "C" {
std::int32_t QUIB_CDECL PluginFunc_DoInit(const char* plugin_file, std::int32_t host_data,
                                          std::intptr_t unused3, std::intptr_t unused4,
                                          std::intptr_t unused5, quib::HostCallback callback);
std::int32_t QUIB_CDECL PluginFunc_DoShutDown();
std::int32_t QUIB_CDECL PluginFunc_GetStrVal(const char* key, char* destination,
                                             std::int32_t unused);
std::int32_t QUIB_CDECL PluginFunc_SetStrVal(const char* key, void* value);
std::int32_t QUIB_CDECL PluginFunc_SupportCheck(const char* interface_name, std::int32_t unused);
std::int32_t QUIB_CDECL PluginFunc_SetState(std::int32_t state);
std::int32_t QUIB_CDECL PluginFunc_DoAdvConfig();
std::int32_t QUIB_CDECL PluginFunc_DoShowReadMe();
}
