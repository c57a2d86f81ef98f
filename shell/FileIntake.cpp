#include "shell/FileIntake.h"

#include <QThread>

#include "pictures/Pictures.h"
#include "session/ImageFiles.h"
#include "shell/DialogRequests.h"

namespace lumagrove::shell {

QThread* StartReading(std::vector<std::string> names, QObject& receiver,
                      std::function<void(std::unique_ptr<ImageRecord>)> open,
                      std::shared_ptr<const std::atomic<bool>> stop) {
    QThread* thread = QThread::create([names = std::move(names), receiver = &receiver, open, stop] {
        const Reporter report = MessageBoxReporter();
        for (const std::string& name : names) {
            if (stop->load()) return;
            if (session::NamesCoordinateFile(name)) {
                session::ReadCoordinateFile(name, report);  // its sample point is all there is to show
                continue;
            }
            if (auto image = session::ReadImageFile(name, report, ImageFormatsWithPictures())) {
                auto record = std::make_shared<ImageRecord>(std::move(*image));
                QMetaObject::invokeMethod(receiver,
                                          [open, record] { open(std::make_unique<ImageRecord>(std::move(*record))); });
            }
        }
    });
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    return thread;
}

}  // namespace lumagrove::shell
