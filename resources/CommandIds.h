#pragma once

// Identifiers of the commands of the image windows' menu (resource 102). The
// menu data and every piece of code that reacts to a command use these names.
namespace lumagrove::resources::command {

inline constexpr int SaveAs = 40001;
inline constexpr int Close = 40002;
inline constexpr int Negate = 40003;
inline constexpr int SmoothUniform = 40005;
inline constexpr int SmoothMedian = 40006;
inline constexpr int SmoothGaussian = 40007;
inline constexpr int ShowHistogram = 40008;
inline constexpr int Binarize = 40009;
inline constexpr int EqualizeGlobal = 40010;
inline constexpr int EqualizeSelectedArea = 40011;
inline constexpr int EqualizeFourAreas = 40012;
inline constexpr int EqualizeSixteenAreas = 40013;
inline constexpr int SetThreshold = 40014;
inline constexpr int FourierShow = 40016;
inline constexpr int GlobalHighPass = 40017;
inline constexpr int GlobalLowPass = 40018;
inline constexpr int LocalHighPass = 40019;
inline constexpr int LocalLowPass = 40020;
inline constexpr int ShowGradient = 40021;
inline constexpr int EdgesByGradient = 40023;
inline constexpr int EdgesByDirection = 40024;
inline constexpr int SetGradientThresholds = 40025;
inline constexpr int LineHoughSpace = 40031;
inline constexpr int DetectLinesOnly = 40032;
inline constexpr int DetectLinesSuperimposed = 40033;
inline constexpr int DetectLinesByDirection = 40034;
inline constexpr int CircleHoughSpace = 40035;
inline constexpr int DetectCirclesOnly = 40036;
inline constexpr int DetectCirclesSuperimposed = 40037;
inline constexpr int DetectCirclesByDirection = 40038;
inline constexpr int ConvertTo3D = 40039;

}  // namespace lumagrove::resources::command
