// Makes the sample images the README and `make run` use, so that nothing in
// samples/ comes from elsewhere. Run through `make samples`; the output is
// committed. Everything is seeded, so the files come out the same each time.
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "formats/Readers.h"
#include "pictures/Encoders.h"

namespace {

using lumagrove::ImageRecord;
using lumagrove::PixelArray;

struct Canvas {
    int width;
    int height;
    std::vector<int> values;

    Canvas(int w, int h, int fill) : width(w), height(h), values(static_cast<std::size_t>(w) * h, fill) {}
    void set(int x, int y, int value) {
        if (x >= 0 && y >= 0 && x < width && y < height) values[static_cast<std::size_t>(y) * width + x] = value;
    }
};

void DrawLine(Canvas& canvas, double x0, double y0, double x1, double y1, int value) {
    const int steps = static_cast<int>(std::hypot(x1 - x0, y1 - y0) * 2) + 1;
    for (int s = 0; s <= steps; ++s) {
        const double t = static_cast<double>(s) / steps;
        canvas.set(static_cast<int>(std::lround(x0 + t * (x1 - x0))), static_cast<int>(std::lround(y0 + t * (y1 - y0))),
                   value);
    }
}

void DrawRing(Canvas& canvas, int cx, int cy, int radius, int value) {
    for (int a = 0; a < 720; ++a) {
        const double angle = a * 3.141592654 / 360.0;
        canvas.set(cx + static_cast<int>(std::lround(radius * std::cos(angle))),
                   cy + static_cast<int>(std::lround(radius * std::sin(angle))), value);
    }
}

ImageRecord ToRecord(const Canvas& canvas) {
    ImageRecord record;
    record.width = canvas.width;
    record.height = canvas.height;
    record.pixels = PixelArray(canvas.values.size());
    for (std::size_t i = 0; i < canvas.values.size(); ++i) {
        record.pixels[i] = static_cast<std::uint8_t>(std::clamp(canvas.values[i], 0, 255));
    }
    return record;
}

// Dark shading with bright straight lines and small rings: something for
// every operation, and for the line and circle detectors in particular.
Canvas Scene(int width, int height, std::uint32_t seed) {
    Canvas canvas(width, height, 0);
    std::mt19937 noise(seed);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            canvas.set(x, y, 30 + (x + y) * 40 / (width + height) + static_cast<int>(noise() % 9));
        }
    }
    DrawLine(canvas, 0.1 * width, 0.15 * height, 0.9 * width, 0.25 * height, 230);
    DrawLine(canvas, 0.2 * width, 0.9 * height, 0.45 * width, 0.1 * height, 220);
    DrawLine(canvas, 0.05 * width, 0.6 * height, 0.95 * width, 0.6 * height, 240);
    DrawRing(canvas, width * 3 / 4, height * 3 / 4, 8, 250);
    DrawRing(canvas, width * 3 / 5, height * 2 / 5, 6, 250);
    DrawRing(canvas, width / 4, height * 4 / 5, 10, 250);
    return canvas;
}

// Distances of a few planes at different slopes and a roof, as a range
// camera 128 x 128 would see them.
Canvas RangeScene() {
    Canvas canvas(128, 128, 0);
    for (int r = 0; r < 128; ++r) {
        for (int c = 0; c < 128; ++c) {
            int d;
            if (c < 43) {
                d = 60 + r;  // tilted towards the bottom
            } else if (c < 86) {
                d = 200 - (c - 43) * 2;  // tilted sideways
            } else {
                d = 120 + std::abs(r - 64);  // a roof of two planes
            }
            canvas.set(c, r, d);
        }
    }
    return canvas;
}

// A small colour picture, as a phone or a screenshot would bring: a sky to
// ground shading with a red disc, a green bar and a blue ring, so that the
// grey conversion shows each colour as its own shade.
std::vector<std::uint8_t> ColourScene(int width, int height) {
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
            const int sky = 255 - y * 160 / height;
            p[0] = static_cast<std::uint8_t>(sky * 3 / 5);
            p[1] = static_cast<std::uint8_t>(sky * 4 / 5);
            p[2] = static_cast<std::uint8_t>(sky);
            const double disc = std::hypot(x - width * 0.3, y - height * 0.4);
            const double ring = std::abs(std::hypot(x - width * 0.7, y - height * 0.55) - height * 0.2);
            if (disc < height * 0.2) p[0] = 220, p[1] = 40, p[2] = 30;
            if (y > height * 3 / 4 && y < height * 3 / 4 + 12) p[0] = 40, p[1] = 190, p[2] = 60;
            if (ring < 4) p[0] = 30, p[1] = 60, p[2] = 210;
        }
    }
    return rgb;
}

// Writes a picture through the program's own encoders.
bool WritePicture(const std::string& name, const std::vector<std::uint8_t>& rgb, int width, int height, bool jpeg) {
    std::FILE* file = std::fopen(name.c_str(), "wb");
    if (file == nullptr) return false;
    const lumagrove::pictures::PicturePixels pixels{width, height, 3, rgb.data()};
    using lumagrove::pictures::EncodeJpeg;
    using lumagrove::pictures::EncodePng;
    const bool written = jpeg ? EncodeJpeg(pixels, 90, file) : EncodePng(pixels, file);
    return std::fclose(file) == 0 && written;
}

bool WriteRaw(const std::string& name, const std::vector<char>& bytes) {
    std::ofstream out(name, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

std::vector<char> IntensityBytes(const Canvas& canvas) {
    std::vector<char> bytes(canvas.values.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(std::clamp(canvas.values[i], 0, 255));
    return bytes;
}

// Three 640 x 480 planes of little-endian floats: a flat wall 2.5 units away,
// seen through a grid of half-unit steps.
std::vector<char> XyzBytes() {
    std::vector<char> bytes;
    bytes.reserve(640 * 480 * 12);
    const auto put = [&bytes](float value) {
        const auto bits = std::bit_cast<std::uint32_t>(value);
        for (int b = 0; b < 4; ++b) bytes.push_back(static_cast<char>((bits >> (8 * b)) & 0xff));
    };
    for (int plane = 0; plane < 3; ++plane) {
        for (int y = 0; y < 480; ++y) {
            for (int x = 0; x < 640; ++x) {
                put(plane == 0   ? 0.5f * static_cast<float>(x - 320)
                    : plane == 1 ? 0.5f * static_cast<float>(y - 240)
                                 : 2.5f);
            }
        }
    }
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : "samples";
    const lumagrove::Reporter report = [](const lumagrove::Message& message) {
        std::cerr << message.caption << ": " << message.text << '\n';
    };
    bool ok = lumagrove::WritePgm(ToRecord(Scene(256, 256, 1)), folder + "/scene.pgm", report) == 1;
    ok = lumagrove::WritePgm(ToRecord(RangeScene()), folder + "/range.pgm", report) == 1 && ok;
    ok = WriteRaw(folder + "/scene.intensity", IntensityBytes(Scene(640, 480, 2))) && ok;
    ok = WriteRaw(folder + "/wall.xyz", XyzBytes()) && ok;
    const std::vector<std::uint8_t> colour = ColourScene(320, 240);
    ok = WritePicture(folder + "/colour.png", colour, 320, 240, false) && ok;
    ok = WritePicture(folder + "/photo.jpg", colour, 320, 240, true) && ok;
    std::cout << (ok ? "Samples written to " + folder + "/\n" : "Some samples could not be written\n");
    return ok ? 0 : 1;
}
