#pragma once

#include <cstdint>

namespace lumagrove {

// A surface orientation in 5-degree bins: polar bin 0 ... 36 (36 only for a
// normal pointing straight at the scanner) and azimuth bin 0 ... 18 or
// 54 ... 71.
struct OrientationBin {
    std::int32_t polar;
    std::int32_t azimuth;
};

// The bins of the normal (nx, ny, nz).
OrientationBin BinOfNormal(double nx, double ny, double nz);

// Whether two orientations lie within one bin of each other in both angles.
// Azimuth bins 0 and 71 are not neighbours.
inline bool WithinOneBin(OrientationBin a, OrientationBin b) {
    const std::int32_t polar = a.polar - b.polar;
    const std::int32_t azimuth = a.azimuth - b.azimuth;
    return polar >= -1 && polar <= 1 && azimuth >= -1 && azimuth <= 1;
}

}  // namespace lumagrove
