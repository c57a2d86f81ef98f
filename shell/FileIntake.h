#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "formats/ImageRecord.h"

class QObject;
class QThread;

namespace lumagrove::shell {

// Reads files on a thread of its own, one after the other, so that no file,
// however large, holds up the GUI thread. The name picks the reader: an
// XYZ file only shows its sample point; every image read is handed to
// `open`, on `receiver`'s thread, in the order of the names. Stops before
// the next file once `stop` is set. The thread is returned unstarted and
// deletes itself once it has ended.
QThread* StartReading(std::vector<std::string> names, QObject& receiver,
                      std::function<void(std::unique_ptr<ImageRecord>)> open,
                      std::shared_ptr<const std::atomic<bool>> stop);

}  // namespace lumagrove::shell
