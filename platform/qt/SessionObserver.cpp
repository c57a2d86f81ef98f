#include "platform/qt/SessionObserver.h"

#include <atomic>

namespace lumagrove::platform::backend {

namespace {
std::atomic<SessionObserver*> installed{nullptr};
}  // namespace

SessionObserver* InstalledObserver() { return installed.load(std::memory_order_acquire); }

void InstallObserver(SessionObserver* observer) { installed.store(observer, std::memory_order_release); }

}  // namespace lumagrove::platform::backend
