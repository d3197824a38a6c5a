#pragma once

#include <cstdint>

// Identity of a data set or of a transceiver: the radio data object fills it for its own
// data, the clone link fills it from the transceiver's information answer.
struct ModelInfo {
    uint16_t modelCode = 0;
    uint16_t revision = 0;
    uint16_t commentLength = 0;
    uint8_t comment[258] = {};
};
