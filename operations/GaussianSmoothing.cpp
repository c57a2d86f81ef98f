#include "imaging/Smoothing.h"
#include "operations/OperationTable.h"
#include "operations/ThresholdOption.h"

namespace lumagrove::rows {
namespace {

OperationResult Run(ImageView source, const OperationArguments& arguments, const Reporter&) {
    return ImageResult(SmoothGaussian(source, arguments.sigma, arguments.threshold), source);
}

constexpr OptionDescriptor kSigma{.flag = "--sigma",
                                  .valueName = "S",
                                  .field = RealField{&OperationArguments::sigma},
                                  .help = "spread of the Gaussian kernel; below 1/3 the image is left as it is"};
constexpr const OptionDescriptor* kOptions[] = {&kSigma, &kThreshold};

constexpr OperationEntry kRows[] = {
    {.menuId = 40007,
     .menuPath = "&Action > Smoothing > Gaussian",
     .menuSummary = "Gaussian smoothing, brightness lift (a flat 100 becomes 111 at sigma 1) and edge-preserving "
                    "test (asks for its parameters first)",
     .command = "gaussian",
     .commandSummary =
         "Gaussian smoothing, brightness lift (a flat 100 becomes 111 at sigma 1) and edge-preserving test",
     .kind = EntryKind::Operation,
     .dialog = ParameterDialog::Parameters,
     .options = kOptions,
     .run = Run},
};

}  // namespace

std::span<const OperationEntry> GaussianSmoothing() { return kRows; }

}  // namespace lumagrove::rows
