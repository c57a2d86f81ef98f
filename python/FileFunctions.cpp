#include "python/FileFunctions.h"

#include <cstring>
#include <new>
#include <optional>
#include <string>

#include "python/Errors.h"
#include "python/ImageArrays.h"
#include "python/PythonFunctions.h"
#include "session/ImageFiles.h"

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

// A reader's or writer's failure: an OSError, or a MemoryError when it was
// memory that ran out.
[[noreturn]] void RaiseFileError(const CapturedMessages& messages) {
    RaiseIfOutOfMemory(messages);
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
        record = session::ReadImageFile(name, messages.reporter());
    } catch (const std::bad_alloc&) {
        RaiseOutOfMemory();
    }
    if (!record) RaiseFileError(messages);
    return ArrayOf(std::move(record->pixels), record->width, record->height);
}

void Write(py::handle path, py::handle image) {
    const std::string name = FileName(path);
    const ImageArgument pixels(image, "image");
    CapturedMessages messages;
    bool written = false;
    try {
        py::gil_scoped_release unlocked;
        ImageRecord record;
        record.width = pixels.width();
        record.height = pixels.height();
        record.pixels = pixels.packedCopy();
        written = session::WriteImageFile(record, name, messages.reporter());
    } catch (const std::bad_alloc&) {
        RaiseOutOfMemory();
    }
    if (!written) RaiseFileError(messages);
}

py::object ReadXyz(py::handle path) {
    const std::string name = FileName(path);
    CapturedMessages messages;
    std::optional<CoordinateRecord> record;
    try {
        py::gil_scoped_release unlocked;
        record = session::ReadCoordinateFile(name, messages.reporter());
    } catch (const std::bad_alloc&) {
        RaiseOutOfMemory();
    }
    if (!record) RaiseFileError(messages);
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
    DefineFunction(module, "read(path, /)", "_read(path)",
                   "Reads an image file into a new 2-D uint8 array, choosing the reader by the name as the\n"
                   "command line does. Raises OSError when the file cannot be read.");
    DefineFunction(module, "write(path, image, /)", "_write(path, image)",
                   "Writes a 2-D uint8 array in the format its name calls for, by the rules the command line\n"
                   "writes its OUTPUT with.\n"
                   "Raises OSError when the file cannot be written.");
    DefineFunction(module, "read_xyz(path, /)", "_read_xyz(path)",
                   "Reads an XYZ coordinate file into a new (3, 480, 640) float32 array: the x, y and z planes.\n"
                   "Raises OSError when the file cannot be read.");
}

}  // namespace lumagrove::python
