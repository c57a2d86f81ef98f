#pragma once

#include <fftw3.h>

#include <cstddef>
#include <cstdint>
#include <optional>

#include "base/Bands.h"
#include "frequency/FftwArrays.h"
#include "frequency/FftwPlanner.h"

namespace lumagrove {

// The unnormalised two-dimensional transform of a real W x H image, worked
// out the way the frequency operations need it.
//
// The transform of real data is conjugate-symmetric,
// X(u, v) = conj X((W - u) mod W, (H - v) mod H), so columns 0 .. W/2 (the
// half spectrum) hold all of it and the rest is never computed. Rows are
// transformed one at a time straight from the pixels, and columns in small
// blocks copied out to contiguous memory, so both passes run in cache; a
// textbook 2-D complex transform does twice the arithmetic and strides through
// the whole array, waiting on memory most of the time.
class HalfPlaneTransform {
public:
    enum class Use { ForwardOnly, ForwardAndBackward };

    // Columns moved through one block transform; 8 columns of a 4096-row
    // image fill half of a 1 MiB second-level cache.
    static constexpr std::int32_t kBlockColumns = 8;

    // Allocates the arrays and makes the plans for `use`. Nothing when FFTW
    // cannot make a plan; every plan made so far is destroyed by then.
    static std::optional<HalfPlaneTransform> Create(std::int32_t width, std::int32_t height, Use use);

    std::int32_t columns() const { return columns_; }

    // Row pass: row y of the half spectrum becomes the 1-D transform of row y
    // of `pixels` (W x H bytes). The rows are shared out in bands.
    void transformRows(const std::uint8_t* pixels);

    // Column blocks: `count` (at most kBlockColumns) columns from `first` are
    // copied into a block, transformed there along their H rows, and may be
    // copied back. Each band of blocks has a block of its own; every block is
    // laid out like the one the plans were made on, so each column goes
    // through the same arithmetic whichever band it falls in.
    class ColumnBlock {
    public:
        fftw_complex* column(std::int32_t index) { return bytes_.get() + static_cast<std::size_t>(index) * height_; }

    private:
        friend class HalfPlaneTransform;
        explicit ColumnBlock(std::int32_t height);
        std::int32_t height_;
        ComplexArray bytes_;
    };
    ColumnBlock columnBlock() const { return ColumnBlock(height_); }
    void loadColumns(ColumnBlock& block, std::int32_t first, std::int32_t count);
    void transformColumns(ColumnBlock& block, int direction);  // FFTW_FORWARD or FFTW_BACKWARD
    void storeColumns(ColumnBlock& block, std::int32_t first, std::int32_t count);

    // Backward row pass: `prepare(row)` may change each row of the half
    // spectrum first; then the row goes back to W real values, which take
    // its place in the same memory (the input row is used up by then, so no
    // second image-sized array is needed) and are shown to `finish(values)`
    // while still in cache. realRow(y) reads them later. Bands of rows run at
    // once, so both must be safe to call from several threads.
    template <typename Prepare, typename Finish>
    void transformRowsBack(Prepare&& prepare, Finish&& finish) {
        ForEachBand(height_, kRowsPerBand, [&](std::ptrdiff_t begin, std::ptrdiff_t end) {
            const RealArray line = AllocateReal(static_cast<std::size_t>(width_));
            for (auto y = static_cast<std::int32_t>(begin); y < end; ++y) {
                fftw_complex* row = spectrumRow(y);
                prepare(row);
                restoreRow(row, line.get());
                finish(realRow(y));
            }
        });
    }
    const double* realRow(std::int32_t y) const {
        return reinterpret_cast<const double*>(half_.get() + static_cast<std::size_t>(y) * stride_);
    }

    // Rows, or column blocks, worth a band of their own.
    static constexpr std::ptrdiff_t kRowsPerBand = 16;

private:
    fftw_complex* spectrumRow(std::int32_t y) { return half_.get() + static_cast<std::size_t>(y) * stride_; }

    HalfPlaneTransform(std::int32_t width, std::int32_t height);
    bool makePlans(Use use);
    void restoreRow(fftw_complex* row, double* line);

    std::int32_t width_;
    std::int32_t height_;
    std::int32_t columns_;
    // Elements per stored row: rounded up to whole 64-byte lines so that
    // every row is aligned like row 0, on which the row plans were made.
    std::size_t stride_;
    ComplexArray half_;
    FftwPlan rowForward_;
    FftwPlan rowBackward_;
    FftwPlan columnForward_;
    FftwPlan columnBackward_;
};

}  // namespace lumagrove
