#include "python/Errors.h"

#include <pybind11/pybind11.h>

#include <cstring>

#include "base/PrintableText.h"
#include "formats/FileMessages.h"
#include "session/Messages.h"

namespace lumagrove::python {

Reporter CapturedMessages::reporter() {
    return [this](const Message& message) {
        if (message.kind == MessageKind::Problem) messages_.push_back(message);
        if (message.kind == MessageKind::Notice) notices_.push_back(message);
    };
}

std::string CapturedMessages::text() const {
    std::string joined;
    for (const Message& message : messages_) {
        if (!joined.empty()) joined += '\n';
        joined += message.text;
    }
    return joined;
}

bool CapturedMessages::contains(const Message& message) const {
    for (const Message& captured : messages_) {
        // A file's name may stand in front of the text.
        if (captured.text.ends_with(message.text)) return true;
    }
    return false;
}

int CapturedMessages::systemError() const {
    for (const Message& captured : messages_) {
        if (captured.systemError != 0) return captured.systemError;
    }
    return 0;
}

namespace {

// A name or message as Python shows text from the file system.
pybind11::object FileSystemText(const std::string& text) {
    PyObject* decoded = PyUnicode_DecodeFSDefaultAndSize(text.data(), static_cast<Py_ssize_t>(text.size()));
    if (decoded == nullptr) throw pybind11::error_already_set();
    return pybind11::reinterpret_steal<pybind11::object>(decoded);
}

}  // namespace

void CapturedMessages::warnOfNotices() const {
    for (const Message& notice : notices_) {
        // 2: the frame that called the module's function, not its wrapper.
        pybind11::module_::import("warnings")
            .attr("warn")(FileSystemText(WithControlsEscaped(notice.text)), pybind11::handle(PyExc_UserWarning), 2);
    }
}

void RaiseSystemError(int systemError, const std::string& fileName, const std::string& text) {
    // Called with an errno, OSError makes the instance of its subclass.
    const pybind11::object error =
        pybind11::handle(PyExc_OSError)(systemError, std::strerror(systemError), FileSystemText(fileName));
    error.attr("add_note")(FileSystemText(WithControlsEscaped(text)));
    PyErr_SetObject(reinterpret_cast<PyObject*>(Py_TYPE(error.ptr())), error.ptr());
    throw pybind11::error_already_set();
}

void Raise(PyObject* type, const std::string& text) {
    // Names come from the file system as bytes; decoding them the way Python
    // encoded them keeps an undecodable name intact instead of failing here.
    // A traceback prints the text on a terminal: a name's control characters
    // are shown escaped.
    PyErr_SetObject(type, FileSystemText(WithControlsEscaped(text)).ptr());
    throw pybind11::error_already_set();
}

void RaiseOutOfMemory() { Raise(PyExc_MemoryError, session::NotEnoughMemory().text); }

void RaiseIfOutOfMemory(const CapturedMessages& messages) {
    for (const Message& memory : {session::NotEnoughMemory(), CannotAllocateImage(), CannotAllocateCoordinates()}) {
        if (messages.contains(memory)) Raise(PyExc_MemoryError, messages.text());
    }
}

}  // namespace lumagrove::python
