#pragma once

#include <fftw3.h>

#include <memory>
#include <mutex>
#include <type_traits>

namespace lumagrove {

// FFTW's planner keeps process-wide tables and must not be entered by two
// threads at once, while running finished plans may overlap freely. Every
// plan in the program is made and destroyed under this one lock, so image
// windows transforming side by side only wait for each other while planning.
std::mutex& FftwPlannerMutex();

struct FftwPlanDestroyer {
    void operator()(fftw_plan plan) const;
};

using FftwPlan = std::unique_ptr<std::remove_pointer_t<fftw_plan>, FftwPlanDestroyer>;

// Counts one plan against an active ScopedPlanRefusal; true when it must be refused.
bool ShouldRefusePlan();

// Calls `make` (one of FFTW's planning functions) with the planner held.
// The plan is empty when FFTW could not make one.
template <typename Make>
FftwPlan MakePlan(Make&& make) {
    const std::scoped_lock lock(FftwPlannerMutex());
    if (ShouldRefusePlan()) return nullptr;
    return FftwPlan(make());
}

// FFTW offers no way to make it fail on demand, so tests walk the failure
// path with this: while one lives, the plans its thread asks for beyond the
// first `plansToGrant` come back empty.
class ScopedPlanRefusal {
public:
    explicit ScopedPlanRefusal(int plansToGrant = 0);
    ~ScopedPlanRefusal();
    ScopedPlanRefusal(const ScopedPlanRefusal&) = delete;
    ScopedPlanRefusal& operator=(const ScopedPlanRefusal&) = delete;
};

}  // namespace lumagrove
