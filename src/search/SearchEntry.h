// The exported entry points of search, result delivery and launch. Every one is cdecl,
// returns a 32-bit integer, lets no exception out and checks every pointer and index the
// host hands it.
#pragma once

#include <cstdint>

#include "plugin/HostLink.h"

extern "C" {
// Search.
std::int32_t QUIB_CDECL PluginFunc_Inform_SearchBegins(std::intptr_t unused,
                                                       const char* search_text,
                                                       std::int32_t run);
std::int32_t QUIB_CDECL PluginFunc_Inform_RegexSearchMatch(std::intptr_t unused,
                                                           const char* search_text);
std::int32_t QUIB_CDECL PluginFunc_Inform_SearchEnds();

// Result delivery.
std::int32_t QUIB_CDECL PluginFunc_Ask_WantFeature(std::int32_t feature);
std::int32_t QUIB_CDECL PluginFunc_Ask_SearchState();
std::int32_t QUIB_CDECL PluginFunc_Ask_IsAnyResultAvailable();
std::int32_t QUIB_CDECL PluginFunc_Ask_HowManyItemResultsAreReady();
std::int32_t QUIB_CDECL PluginFunc_Request_LockResults(std::int32_t lock);
/// Returns 1 when result_number names a clip entry and its fields were written, else 0
/// with nothing written. Each text buffer receives at most max_length bytes.
std::int32_t QUIB_CDECL PluginFunc_Request_ItemResultByIndex(
    std::int32_t result_number, char* details, char* caption, char* group, char* icon_path,
    std::int32_t* data_value, std::int32_t max_length, std::int32_t* kind, std::intptr_t unused,
    std::int32_t* flags);
std::int32_t QUIB_CDECL PluginFunc_Request_TextResultCharp(const char** text);
std::int32_t QUIB_CDECL PluginFunc_Do_AdjustResultScore();
std::int32_t QUIB_CDECL PluginFunc_Inform_WindowIsHiding();
std::int32_t QUIB_CDECL PluginFunc_Inform_WindowIsUnHiding();

// Launch.
/// 0 when the two numbers differ or the launch failed; 1 otherwise, also for a row that
/// names no clip entry.
std::int32_t QUIB_CDECL PluginFunc_Allow_ProcessTrigger(std::intptr_t unused1,
                                                        std::intptr_t unused2,
                                                        std::intptr_t unused3,
                                                        std::int32_t first, std::int32_t second,
                                                        std::intptr_t unused6,
                                                        std::intptr_t unused7, std::int32_t row);
}
