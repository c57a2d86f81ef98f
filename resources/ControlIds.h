#pragma once

// Resource numbers and the identifiers of the controls in the dialogs.
namespace lumagrove::resources {

inline constexpr int ControlWindowDialog = 101;
inline constexpr int ImageWindowMenu = 102;
inline constexpr int ParametersDialog = 103;
inline constexpr int EdgeParametersDialog = 104;

// Controls whose identifier nobody asks for (labels) carry this value.
inline constexpr int NoControlId = -1;

namespace control {
inline constexpr int LoadImage = 1000;
inline constexpr int Exit = 1001;
inline constexpr int WindowSize = 1002;
inline constexpr int Sigma = 1003;
inline constexpr int Threshold = 1004;
inline constexpr int Ok = 1005;
inline constexpr int Cancel = 1006;
inline constexpr int WindowSizeSpin = 1007;
inline constexpr int DropList = 1008;
inline constexpr int PerformanceList = 1009;
inline constexpr int CloseAll = 1010;
inline constexpr int GradientThreshold = 1011;
inline constexpr int GradientDirection = 1012;
}  // namespace control

}  // namespace lumagrove::resources
