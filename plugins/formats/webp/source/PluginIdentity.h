#pragma once

// What both WebP plugin objects answer with. Each plugin's source file keeps its own copy
// of the identity data built from these.
namespace velmar::webp {

inline constexpr int kApiVersion = 2;
inline constexpr const char* kPluginName = "Tarsine";
inline constexpr const char* kPluginVersion = "2.2.0";
inline constexpr const char* kFormatName = "WEBP";
inline constexpr const char* kFileExtension = "webp";

}  // namespace velmar::webp
