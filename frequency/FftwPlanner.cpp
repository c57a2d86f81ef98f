#include "frequency/FftwPlanner.h"

namespace lumagrove {
namespace {

// Plans still granted on this thread before refusals start; negative while
// no ScopedPlanRefusal is active.
thread_local int plansLeftBeforeRefusal = -1;

}  // namespace

std::mutex& FftwPlannerMutex() {
    static std::mutex mutex;
    return mutex;
}

void FftwPlanDestroyer::operator()(fftw_plan plan) const {
    const std::scoped_lock lock(FftwPlannerMutex());
    fftw_destroy_plan(plan);
}

bool ShouldRefusePlan() {
    if (plansLeftBeforeRefusal < 0) return false;
    if (plansLeftBeforeRefusal == 0) return true;
    --plansLeftBeforeRefusal;
    return false;
}

ScopedPlanRefusal::ScopedPlanRefusal(int plansToGrant) { plansLeftBeforeRefusal = plansToGrant; }

ScopedPlanRefusal::~ScopedPlanRefusal() { plansLeftBeforeRefusal = -1; }

}  // namespace lumagrove
