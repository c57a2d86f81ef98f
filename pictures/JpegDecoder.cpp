// JPEG through libjpeg-turbo. Its own luma is the grey of a colour JPEG: a
// greyscale decode skips the colour planes' transforms, which is most of the
// work. Errors come back by longjmp, so every call into the library happens
// in a function that holds no C++ object a jump could skip.
//
// A JPEG whose compressed data are damaged or end early is refused, like a
// damaged file of any other format: the library would fill the missing part
// with grey and call it a warning. So is one with more scans than encoders
// write (libjpeg writes ten for a colour picture; those that search for the
// smallest file rarely more than a few dozen): every scan passes over the
// whole picture again, so a small file of repeated scans would keep the
// decoder busy for minutes.
#include <algorithm>
#include <climits>
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <vector>

// jpeglib.h needs size_t and FILE declared first, and jerror.h its types.
#include <jpeglib.h>

#include <jerror.h>

#include "pictures/Decoders.h"
#include "pictures/GreyConversion.h"
#include "pictures/MemoryBudget.h"
#include "pictures/Orientation.h"

namespace lumagrove::pictures {
namespace {

constexpr int kMostScans = 100;

struct JumpingErrors {
    jpeg_error_mgr base;
    jpeg_progress_mgr progress;
    std::jmp_buf jump;
    bool outOfMemory = false;
};

[[noreturn]] void JumpOnError(j_common_ptr info) {
    auto* errors = reinterpret_cast<JumpingErrors*>(info->err);
    const int code = errors->base.msg_code;
    errors->outOfMemory = code == JERR_OUT_OF_MEMORY || code == JERR_NO_BACKING_STORE;
    std::longjmp(errors->jump, 1);
}

bool DamagedData(int code) {
    return code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER || code == JWRN_HUFF_BAD_CODE ||
           code == JWRN_ARITH_BAD_CODE || code == JWRN_MUST_RESYNC || code == JWRN_EXTRANEOUS_DATA;
}

// Warnings (level -1) about damaged data end the decode; other warnings and
// all trace messages are dropped.
void JudgeMessage(j_common_ptr info, int level) {
    if (level < 0 && DamagedData(info->err->msg_code)) JumpOnError(info);
}

// Called again and again as the decoder takes in the picture's scans.
void CountScans(j_common_ptr info) {
    const auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
    if (decompress->input_scan_number > kMostScans) {
        info->err->msg_code = JERR_BAD_PROGRESSION;
        JumpOnError(info);
    }
}

constexpr int kExifMarker = JPEG_APP0 + 1;
constexpr unsigned char kExifHeader[] = {'E', 'x', 'i', 'f', 0, 0};

int OrientationOf(const jpeg_decompress_struct& info) {
    for (jpeg_saved_marker_ptr marker = info.marker_list; marker != nullptr; marker = marker->next) {
        if (marker->marker == kExifMarker && marker->data_length > sizeof kExifHeader &&
            std::memcmp(marker->data, kExifHeader, sizeof kExifHeader) == 0) {
            return OrientationInExif(
                Bytes(marker->data + sizeof kExifHeader, marker->data_length - sizeof kExifHeader));
        }
    }
    return 1;
}

// CMYK and YCCK pictures come out as CMYK; the others as the library's luma.
bool FourInks(const jpeg_decompress_struct& info) {
    return info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
}

// Ink to light. Most CMYK JPEGs (those with an Adobe marker) store inverted
// inks, where 255 means none.
std::uint8_t Light(std::uint32_t ink, std::uint32_t black, bool inverted) {
    if (!inverted) {
        ink = 255 - ink;
        black = 255 - black;
    }
    return static_cast<std::uint8_t>((ink * black + 127) / 255);
}

void InksToGrey(const std::uint8_t* inks, std::int32_t width, bool inverted, std::uint8_t* grey) {
    for (std::int32_t x = 0; x < width; ++x, inks += 4) {
        grey[x] = Luma(Light(inks[0], inks[3], inverted), Light(inks[1], inks[3], inverted),
                       Light(inks[2], inks[3], inverted));
    }
}

class JpegSession {
public:
    explicit JpegSession(Bytes bytes) {
        info_.err = jpeg_std_error(&errors_.base);
        errors_.base.error_exit = JumpOnError;
        errors_.base.emit_message = JudgeMessage;
        errors_.progress.progress_monitor = CountScans;
        jpeg_create_decompress(&info_);
        info_.progress = &errors_.progress;
        jpeg_mem_src(&info_, bytes.data(), static_cast<unsigned long>(bytes.size()));
    }
    ~JpegSession() { jpeg_destroy_decompress(&info_); }
    JpegSession(const JpegSession&) = delete;
    JpegSession& operator=(const JpegSession&) = delete;

    bool readHeader() {
        if (setjmp(errors_.jump)) return false;
        jpeg_save_markers(&info_, kExifMarker, 0xffff);
        if (jpeg_read_header(&info_, TRUE) != JPEG_HEADER_OK) return false;
        // The saved markers are freed when the decode finishes.
        orientation_ = OrientationOf(info_);
        info_.out_color_space = FourInks(info_) ? JCS_CMYK : JCS_GRAYSCALE;
        return true;
    }

    // Decodes into `grey`; four-ink pictures pass through `inks`, one row long.
    bool readRows(std::uint8_t* grey, std::uint8_t* inks, long memoryLimit) {
        if (setjmp(errors_.jump)) return false;
        info_.mem->max_memory_to_use = memoryLimit;
        jpeg_start_decompress(&info_);
        const std::size_t width = info_.output_width;
        const bool fourInks = info_.out_color_space == JCS_CMYK;
        while (info_.output_scanline < info_.output_height) {
            std::uint8_t* row = grey + static_cast<std::size_t>(info_.output_scanline) * width;
            JSAMPROW target = fourInks ? inks : row;
            if (jpeg_read_scanlines(&info_, &target, 1) != 1) return false;
            if (fourInks) InksToGrey(inks, static_cast<std::int32_t>(width), info_.saw_Adobe_marker, row);
        }
        jpeg_finish_decompress(&info_);
        return true;
    }

    const jpeg_decompress_struct& info() const { return info_; }
    bool outOfMemory() const { return errors_.outOfMemory; }
    int orientation() const { return orientation_; }

private:
    JumpingErrors errors_{};
    jpeg_decompress_struct info_{};
    int orientation_ = 1;
};

}  // namespace

DecodeOutcome DecodeJpeg(Bytes bytes, DecodedPicture& picture) {
    JpegSession session(bytes);
    if (!session.readHeader()) return DecodeOutcome::NotAPicture;
    const jpeg_decompress_struct& info = session.info();

    // A progressive picture keeps every coefficient of every component until
    // its last scan: two bytes each, over whole blocks of up to 16 x 16.
    const std::uint64_t pixels = std::uint64_t{info.image_width} * info.image_height;
    const auto blocksCover = [](std::uint64_t side) { return (side + 15) / 16 * 16; };
    const std::uint64_t coefficients = blocksCover(info.image_width) * blocksCover(info.image_height) *
                                       static_cast<std::uint64_t>(info.num_components);
    const std::uint64_t working = info.progressive_mode ? 2 * coefficients : 0;
    const DecodeOutcome fits = CheckPictureSize(info.image_width, info.image_height, working);
    if (fits != DecodeOutcome::Done) return fits;

    PixelArray grey(static_cast<std::size_t>(pixels));
    std::vector<std::uint8_t> inks(FourInks(info) ? 4 * std::size_t{info.image_width} : 0);
    const std::uint64_t budget = DecodeBudget(pixels, working);
    const long memoryLimit = static_cast<long>(std::min<std::uint64_t>(budget - std::min(budget, pixels), LONG_MAX));
    if (!session.readRows(grey.data(), inks.data(), memoryLimit)) {
        return session.outOfMemory() ? DecodeOutcome::OutOfMemory : DecodeOutcome::NotAPicture;
    }

    picture.width = static_cast<std::int32_t>(info.image_width);
    picture.height = static_cast<std::int32_t>(info.image_height);
    picture.grey = std::move(grey);
    picture.orientation = session.orientation();
    return DecodeOutcome::Done;
}

}  // namespace lumagrove::pictures
