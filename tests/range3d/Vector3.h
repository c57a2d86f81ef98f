#pragma once

namespace lumagrove::testing {

// Just enough vector arithmetic to build scenes and normals by hand.
struct Vec {
    double x, y, z;
};

inline double Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec Cross(Vec a, Vec b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }

}  // namespace lumagrove::testing
