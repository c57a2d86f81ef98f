#pragma once

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "range3d/RangeCoordinates.h"

// The conversion and the labelling written out plainly, one step after the
// other, with no tables or shortcuts; slow on purpose. The library must match
// it bit for bit.
namespace lumagrove::testing {

inline void ReferenceRangeToCoordinates(const std::vector<std::uint8_t>& pixels, RangeCoordinates& out) {
    for (int r = 0; r < 128; ++r) {
        for (int c = 0; c < 128; ++c) {
            const double d = pixels[r * 128 + c];
            const double A = (c - 63.5) * 3.2e-5;
            const double B = (63.5 - r) * 0.008175883737008543;
            const double alpha = A * 255.662813926;
            const double beta = B - A;
            const double Z =
                std::sqrt(d * d / (std::tan(alpha) * std::tan(alpha) + std::tan(beta) * std::tan(beta) + 1)) + 10.0;
            out.x[r * 128 + c] = std::tan(alpha) * Z;
            out.y[r * 128 + c] = std::tan(beta) * Z;
            out.z[r * 128 + c] = Z;
        }
    }
}

inline std::vector<std::uint8_t> ReferenceLabels(const RangeCoordinates& P) {
    std::vector<int> histogram(72 * 36, 0);
    struct Record {
        bool present = false;
        int polar = 0;
        int azimuth = 0;
    };
    std::vector<Record> records(16384);
    for (int r = 20; r <= 99; ++r) {
        for (int c = 20; c <= 99; ++c) {
            const int here = r * 128 + c, above = (r - 1) * 128 + c, right = r * 128 + c + 1;
            const double ax = P.x[above] - P.x[here], ay = P.y[above] - P.y[here], az = P.z[above] - P.z[here];
            const double bx = P.x[right] - P.x[here], by = P.y[right] - P.y[here], bz = P.z[right] - P.z[here];
            const double nx = ay * bz - az * by, ny = az * bx - ax * bz, nz = ax * by - ay * bx;
            const double length = std::sqrt(nx * nx + ny * ny + nz * nz);
            const int phi = length == 0 ? 0 : static_cast<int>(std::acos(nz / length) * 57.2958);
            int psi = nx == 0 && ny == 0 ? 0 : static_cast<int>(std::atan(ny / nx) * 57.2958);
            if (psi < 0) psi += 360;
            const int polarBin = phi / 5, azimuthBin = psi / 5;
            if (polarBin + 36 * azimuthBin < 72 * 36) histogram[polarBin + 36 * azimuthBin] += 1;
            records[(r - 1) * 128 + c] = {true, polarBin, azimuthBin};
        }
    }

    int lastPolar = 0, lastAzimuth = 0;  // our choice for a search that never found a peak
    auto peakSearch = [&] {
        int best = 0, bestPolar = 0, bestAzimuth = 0;
        for (int t = 0; t < 72; ++t) {
            for (int p = 0; p < 36; ++p) {
                if (histogram[p + 36 * t] > best) best = histogram[p + 36 * t], bestPolar = p, bestAzimuth = t;
            }
        }
        if (best > 0) {
            histogram[bestPolar + 36 * bestAzimuth] = 0;
            lastPolar = bestPolar, lastAzimuth = bestAzimuth;
        }
    };
    std::vector<std::uint8_t> result(16384, 0);
    auto label = [&](std::uint8_t value) {
        for (int i = 0; i < 16384; ++i) {
            if (records[i].present && std::abs(records[i].polar - lastPolar) <= 1 &&
                std::abs(records[i].azimuth - lastAzimuth) <= 1) {
                result[i] = value;
            }
        }
    };
    for (int search = 1; search <= 7; ++search) peakSearch();
    label(255);
    peakSearch();
    label(170);
    peakSearch();
    label(100);
    return result;
}

}  // namespace lumagrove::testing
