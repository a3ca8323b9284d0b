#pragma once
// Builds the boot-loader template "korvel.dat" in memory.
#include <cstdint>
#include <vector>

std::vector<uint8_t> BuildKorvelTemplate();
