#include "python/FileFunctions.h"

#include <cstring>
#include <new>
#include <optional>
#include <string>

#include "pictures/Pictures.h"
#include "python/Errors.h"
#include "python/ImageArrays.h"
#include "python/PythonFunctions.h"
#include "session/ImageFiles.h"
#include "session/Messages.h"

namespace py = pybind11;

namespace lumagrove::python {
namespace {

// A str, bytes or path-like name as the bytes the file system sees.
std::string FileName(py::handle path) {
    const py::bytes encoded = py::module_::import("os").attr("fsencode")(path);
    std::string name = encoded;
    // The C library would stop at the first null byte and open some other file.
    if (name.find('\0') != std::string::npos) Raise(PyExc_ValueError, "embedded null byte in the file name");
    return name;
}

// A reader's or writer's failure: a MemoryError when it was memory that ran
// out, the errno's own OSError subclass where the system said why, else an
// OSError with the program's text.
[[noreturn]] void RaiseFileError(const CapturedMessages& messages, const std::string& name) {
    RaiseIfOutOfMemory(messages);
    if (const int systemError = messages.systemError()) RaiseSystemError(systemError, name, messages.text());
    Raise(PyExc_OSError, messages.text());
}

py::object Read(py::handle path) {
    const std::string name = FileName(path);
    if (session::NamesCoordinateFile(name)) {
        Raise(PyExc_OSError, "File: " + name + " holds XYZ coordinates, not an image (read it with read_xyz).");
    }
    CapturedMessages messages;
    std::optional<ImageRecord> record;
    try {
        py::gil_scoped_release unlocked;
        record =
            session::ReadImageFile(name, session::NamingFile(name, messages.reporter()), ImageFormatsWithPictures());
    } catch (const std::bad_alloc&) {
        RaiseOutOfMemory();
    }
    if (!record) RaiseFileError(messages, name);
    messages.warnOfNotices();
    return ArrayOf(std::move(record->pixels), record->width, record->height);
}

// The format write() was asked for by name ("png"), or nothing when it was
// given None and goes by the file's name.
const ImageFormat* WrittenFormat(py::handle format) {
    if (format.is_none()) return nullptr;
    std::string names;
    for (const ImageFormat& candidate : ImageFormatsWithPictures()) {
        if (candidate.writtenAs == nullptr) continue;
        if (py::isinstance<py::str>(format) && format.cast<std::string>() == candidate.writtenAs) return &candidate;
        names += std::string(names.empty() ? "" : ", ") + "'" + candidate.writtenAs + "'";
    }
    Raise(PyExc_ValueError,
          "write(): format must be None or one of " + names + ", not " + py::repr(format).cast<std::string>());
}

// The settings write() was given: quality, an int from 1 to 100, for JPEG
// alone; None for the default.
WriteSettings WrittenSettings(py::handle quality, const ImageFormat& format) {
    WriteSettings settings;
    if (quality.is_none()) return settings;
    if (!py::isinstance<py::int_>(quality) || py::isinstance<py::bool_>(quality) || quality.cast<long long>() < 1 ||
        quality.cast<long long>() > 100) {
        Raise(PyExc_ValueError,
              "write(): quality must be None or an int from 1 to 100, not " + py::repr(quality).cast<std::string>());
    }
    if (!format.takesQuality) {
        Raise(PyExc_ValueError,
              "write(): quality applies to JPEG files (.jpg, .jpeg or format='jpg'), not " + std::string(format.name));
    }
    settings.quality = quality.cast<int>();
    return settings;
}

void Write(py::handle path, py::handle image, py::handle format, py::handle quality) {
    const std::string name = FileName(path);
    const ImageArgument pixels(image, "image");
    const ImageFormat* writtenAs = WrittenFormat(format);
    const ImageFormat& written =
        writtenAs != nullptr ? *writtenAs : session::FormatForWriting(name, ImageFormatsWithPictures());
    const WriteSettings settings = WrittenSettings(quality, written);
    CapturedMessages messages;
    bool saved = false;
    try {
        py::gil_scoped_release unlocked;
        ImageRecord record;
        record.width = pixels.width();
        record.height = pixels.height();
        record.pixels = pixels.packedCopy();
        saved = session::WriteImageFile(record, name, written, messages.reporter(), settings);
    } catch (const std::bad_alloc&) {
        RaiseOutOfMemory();
    }
    if (!saved) RaiseFileError(messages, name);
}

py::object ReadXyz(py::handle path) {
    const std::string name = FileName(path);
    CapturedMessages messages;
    std::optional<CoordinateRecord> record;
    try {
        py::gil_scoped_release unlocked;
        record = session::ReadCoordinateFile(name, session::NamingFile(name, messages.reporter()));
    } catch (const std::bad_alloc&) {
        RaiseOutOfMemory();
    }
    if (!record) RaiseFileError(messages, name);
    const auto plane = static_cast<std::size_t>(record->width) * static_cast<std::size_t>(record->height);
    py::array_t<float> planes({py::ssize_t{3}, py::ssize_t{record->height}, py::ssize_t{record->width}});
    float* to = planes.mutable_data();
    {
        py::gil_scoped_release unlocked;
        std::memcpy(to, record->xPlane.get(), plane * sizeof(float));
        std::memcpy(to + plane, record->yPlane.get(), plane * sizeof(float));
        std::memcpy(to + 2 * plane, record->zPlane.get(), plane * sizeof(float));
    }
    return planes;
}

}  // namespace

void AddFileFunctions(py::module_& module) {
    module.def("_read", &Read);
    module.def("_write", &Write);
    module.def("_read_xyz", &ReadXyz);
    std::string formats;
    for (const ImageFormat& format : ImageFormatsWithPictures()) {
        formats += std::string(formats.empty() ? "" : ", ") + format.name;
    }
    DefineFunction(module, "read(path, /)", "_read(path)",
                   "Reads an image file into a new 2-D uint8 array, choosing the reader by the name as the\n"
                   "command line does, among " +
                       formats +
                       " (the last for any\n"
                       "other name). Pictures and the netpbm family are made grey. A file shorter (or, raw,\n"
                       "longer) than its image is read with the rest white and a UserWarning that says so.\n"
                       "Raises OSError when the file cannot be read.");
    DefineFunction(module, "write(path, image, /, *, format=None, quality=None)",
                   "_write(path, image, format, quality)",
                   "Writes a 2-D uint8 array as the command line writes its OUTPUT: a name ending in .png,\n"
                   ".tif, .tiff, .webp or .bmp gives a lossless grey picture of that kind, .jpg or .jpeg a\n"
                   "baseline JPEG of the given quality (1 to 100, default 95), any other name binary PGM;\n"
                   "format (one of WRITE_FORMATS) chooses whatever the name says. An existing file is\n"
                   "replaced only by a complete new one. Raises OSError when the file cannot be written.");
    py::list written;
    for (const ImageFormat& format : ImageFormatsWithPictures()) {
        if (format.writtenAs != nullptr) written.append(format.writtenAs);
    }
    module.attr("WRITE_FORMATS") = py::tuple(written);
    DefineFunction(module, "read_xyz(path, /)", "_read_xyz(path)",
                   "Reads an XYZ coordinate file into a new (3, 480, 640) float32 array: the x, y and z planes.\n"
                   "Raises OSError when the file cannot be read.");
}

}  // namespace lumagrove::python
