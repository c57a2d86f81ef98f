#pragma once

#include <Python.h>

#include <string>
#include <vector>

#include "base/Reporter.h"

namespace lumagrove::python {

// Collects what the core reports while the interpreter lock is released, so
// that it can become an exception once the lock is held again. Python callers
// see messages only as exceptions: nothing is printed, no box is shown.
class CapturedMessages {
public:
    // Keeps the problems and notices. Readouts (the samples an intensity file
    // shows, an XYZ file's sample point) are dropped: a Python caller gets
    // the data.
    Reporter reporter();
    // The messages joined by line breaks, without their captions ("Error").
    std::string text() const;
    bool contains(const Message& message) const;
    // The errno behind the first failure that has one, or 0.
    int systemError() const;
    // Issues each notice (a short file, read with the rest white) as a
    // UserWarning against the caller of the module's function; with the
    // interpreter lock held. Raises if a warnings filter makes it an error.
    void warnOfNotices() const;

private:
    std::vector<Message> messages_;
    std::vector<Message> notices_;
};

// Sets a Python exception of the given type with the program's text (file
// names in it decoded as the file system encodes them) and throws it back
// through pybind11.
[[noreturn]] void Raise(PyObject* type, const std::string& text);

// The OSError subclass that Python itself raises for the errno (FileNotFoundError,
// PermissionError, ...), with errno, strerror and `fileName` set as open()
// sets them, and the program's own `text` added as a note for the traceback.
[[noreturn]] void RaiseSystemError(int systemError, const std::string& fileName, const std::string& text);

// A MemoryError with the one text every out-of-memory failure of an
// operation shows.
[[noreturn]] void RaiseOutOfMemory();

// A MemoryError with the messages' text if one of them says that memory ran
// out (running an operation, or reading a file); nothing otherwise.
void RaiseIfOutOfMemory(const CapturedMessages& messages);

}  // namespace lumagrove::python
