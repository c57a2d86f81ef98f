#include "python/Errors.h"

#include <pybind11/pybind11.h>

#include "formats/FileMessages.h"
#include "session/Messages.h"

namespace lumagrove::python {

Reporter CapturedMessages::reporter() {
    return [this](const Message& message) {
        if (message.kind == MessageKind::Problem) messages_.push_back(message);
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
        if (captured.text == message.text) return true;
    }
    return false;
}

void Raise(PyObject* type, const std::string& text) {
    // Names come from the file system as bytes; decoding them the way Python
    // encoded them keeps an undecodable name intact instead of failing here.
    PyObject* message = PyUnicode_DecodeFSDefaultAndSize(text.data(), static_cast<Py_ssize_t>(text.size()));
    if (message != nullptr) {
        PyErr_SetObject(type, message);
        Py_DECREF(message);
    }
    throw pybind11::error_already_set();
}

void RaiseOutOfMemory() { Raise(PyExc_MemoryError, session::NotEnoughMemory().text); }

void RaiseIfOutOfMemory(const CapturedMessages& messages) {
    for (const Message& memory : {session::NotEnoughMemory(), CannotAllocateImage(), CannotAllocateCoordinates()}) {
        if (messages.contains(memory)) Raise(PyExc_MemoryError, messages.text());
    }
}

}  // namespace lumagrove::python
