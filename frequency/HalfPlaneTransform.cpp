#include "frequency/HalfPlaneTransform.h"

#include <cstring>

namespace lumagrove {
namespace {

constexpr std::size_t kElementsPerLine = 64 / sizeof(fftw_complex);

std::size_t RoundUpToLine(std::size_t elements) {
    return (elements + kElementsPerLine - 1) / kElementsPerLine * kElementsPerLine;
}

}  // namespace

HalfPlaneTransform::HalfPlaneTransform(std::int32_t width, std::int32_t height)
    : width_(width),
      height_(height),
      columns_(width / 2 + 1),
      stride_(RoundUpToLine(static_cast<std::size_t>(columns_))),
      half_(AllocateComplex(stride_ * static_cast<std::size_t>(height))) {}

HalfPlaneTransform::ColumnBlock::ColumnBlock(std::int32_t height)
    : height_(height), bytes_(AllocateComplex(static_cast<std::size_t>(kBlockColumns) * height)) {
    // A last, partial block transforms whatever its unused columns hold;
    // starting from zeros keeps that harmless and deterministic.
    std::memset(bytes_.get(), 0, sizeof(fftw_complex) * static_cast<std::size_t>(kBlockColumns) * height);
}

std::optional<HalfPlaneTransform> HalfPlaneTransform::Create(std::int32_t width, std::int32_t height, Use use) {
    HalfPlaneTransform transform(width, height);
    if (!transform.makePlans(use)) return std::nullopt;
    return transform;
}

// Estimate-mode plans: measuring would cost more than the transforms. They
// are made on arrays of the kind the bands use, and only ever executed on
// others of the same kind.
bool HalfPlaneTransform::makePlans(Use use) {
    const RealArray lineArray = AllocateReal(static_cast<std::size_t>(width_));
    ColumnBlock blockArray(height_);
    double* line = lineArray.get();
    fftw_complex* row = half_.get();
    fftw_complex* block = blockArray.column(0);
    const int rows = height_;
    auto columnPlan = [&](int direction) {
        return fftw_plan_many_dft(1, &rows, kBlockColumns, block, nullptr, 1, rows, block, nullptr, 1, rows, direction,
                                  FFTW_ESTIMATE);
    };
    rowForward_ = MakePlan([&] { return fftw_plan_dft_r2c_1d(width_, line, row, FFTW_ESTIMATE); });
    if (!rowForward_) return false;
    columnForward_ = MakePlan([&] { return columnPlan(FFTW_FORWARD); });
    if (!columnForward_) return false;
    if (use == Use::ForwardOnly) return true;
    columnBackward_ = MakePlan([&] { return columnPlan(FFTW_BACKWARD); });
    if (!columnBackward_) return false;
    rowBackward_ = MakePlan([&] { return fftw_plan_dft_c2r_1d(width_, row, line, FFTW_ESTIMATE); });
    return static_cast<bool>(rowBackward_);
}

void HalfPlaneTransform::transformRows(const std::uint8_t* pixels) {
    ForEachBand(height_, kRowsPerBand, [&](std::ptrdiff_t begin, std::ptrdiff_t end) {
        const RealArray lineArray = AllocateReal(static_cast<std::size_t>(width_));
        double* line = lineArray.get();
        for (auto y = static_cast<std::int32_t>(begin); y < end; ++y) {
            const std::uint8_t* source = pixels + static_cast<std::size_t>(y) * width_;
            for (std::int32_t x = 0; x < width_; ++x) line[x] = source[x];
            fftw_execute_dft_r2c(rowForward_.get(), line, spectrumRow(y));
        }
    });
}

void HalfPlaneTransform::loadColumns(ColumnBlock& block, std::int32_t first, std::int32_t count) {
    for (std::int32_t y = 0; y < height_; ++y) {
        const fftw_complex* row = spectrumRow(y) + first;
        for (std::int32_t c = 0; c < count; ++c) {
            fftw_complex& element = block.column(c)[y];
            element[0] = row[c][0];
            element[1] = row[c][1];
        }
    }
}

void HalfPlaneTransform::transformColumns(ColumnBlock& block, int direction) {
    fftw_complex* columns = block.column(0);
    fftw_execute_dft(direction == FFTW_FORWARD ? columnForward_.get() : columnBackward_.get(), columns, columns);
}

void HalfPlaneTransform::storeColumns(ColumnBlock& block, std::int32_t first, std::int32_t count) {
    for (std::int32_t y = 0; y < height_; ++y) {
        fftw_complex* row = spectrumRow(y) + first;
        for (std::int32_t c = 0; c < count; ++c) {
            const fftw_complex& element = block.column(c)[y];
            row[c][0] = element[0];
            row[c][1] = element[1];
        }
    }
}

void HalfPlaneTransform::restoreRow(fftw_complex* row, double* line) {
    fftw_execute_dft_c2r(rowBackward_.get(), row, line);
    std::memcpy(row, line, sizeof(double) * static_cast<std::size_t>(width_));
}

}  // namespace lumagrove
