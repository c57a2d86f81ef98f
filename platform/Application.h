#pragma once

#include <memory>

namespace lumagrove::platform {

// The layer's life on the main thread: construct it first thing in main()
// (it starts the toolkit) and keep it until the end. The thread that
// constructs it is the main thread: every widget lives there.
class Application {
public:
    Application(int& argc, char** argv);
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;
    ~Application();

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace lumagrove::platform
