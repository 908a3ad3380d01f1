// Name, version and build date of the tool.
#pragma once

namespace programm {

inline constexpr const char* name = "Telvorin";
inline constexpr const char* version = "5.9.3.7";
inline constexpr const char* datum = "08.02.18";

}  // namespace programm
