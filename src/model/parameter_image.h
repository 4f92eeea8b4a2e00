#pragma once

#include <array>
#include <cstdint>

namespace tw::model {

// The tool's copy of the receiver's settings. Image 0 holds the current settings,
// images 1..6 System Memory 1..6. Every block can be handed on by reference on its own.
inline constexpr int kImageCount = 7;

using Text10 = std::array<char, 10>;  // 9 characters and a terminator

struct SpeakerDistanceBlock {
  std::array<std::int32_t, 10> distances{};
  std::int32_t unit = 0;  // 0 or 1; the distances' unit

  friend bool operator==(const SpeakerDistanceBlock&, const SpeakerDistanceBlock&) = default;
};

struct GraphicEqChannel {
  std::int32_t id = 0;  // channel identifier
  std::array<std::int32_t, 7> bands{};

  friend bool operator==(const GraphicEqChannel&, const GraphicEqChannel&) = default;
};

struct ParametricEqChannel {
  std::array<std::int32_t, 21> bands{};  // 7 bands x 3 values
  std::int32_t extra = 0;

  friend bool operator==(const ParametricEqChannel&, const ParametricEqChannel&) = default;
};

struct XmBlock {
  std::array<std::int32_t, 40> presets{};
  std::int32_t extra = 0;

  friend bool operator==(const XmBlock&, const XmBlock&) = default;
};

struct IpodBlock {
  std::array<std::int32_t, 5> values{};
  std::array<char, 121> playInfo{};  // text A, 120 characters
  std::array<char, 89> listInfo{};   // text B, up to 88 characters

  friend bool operator==(const IpodBlock&, const IpodBlock&) = default;
};

struct ParameterImage {
  std::int32_t index = 0;
  std::array<std::int32_t, 15> basic{};
  std::array<std::int32_t, 12> multiZone{};
  std::array<std::int32_t, 230> dsp{};
  std::array<std::int32_t, 28> inputDsp{};
  std::array<Text10, 14> inputNames{};
  std::array<std::int32_t, 14> ioAssign{};
  std::array<std::int32_t, 10> speakerLevel{};
  SpeakerDistanceBlock speakerDistance;
  std::array<std::int32_t, 18> tone{};
  std::array<std::array<std::int32_t, 38>, 2> controlOut{};
  std::array<std::int32_t, 14> volumeTrim{};
  std::array<GraphicEqChannel, 10> graphicEq{};
  std::array<ParametricEqChannel, 9> parametricEq{};
  std::array<std::int32_t, 9> speakerSet{};
  std::array<Text10, 41> tuner{};
  XmBlock xm;
  std::array<std::int32_t, 12> displaySet{};
  std::array<std::int32_t, 3> multiCh{};
  std::array<std::int32_t, 3> other{};
  std::array<std::int32_t, 11> advancedSetup{};
  IpodBlock ipod;
  // A System Memory image: its Volume Trim values are the memory's own (read from the
  // receiver, or from a file or a Save that held them) rather than factory values.
  bool memoryTrimsKnown = false;

  friend bool operator==(const ParameterImage&, const ParameterImage&) = default;
};

}  // namespace tw::model
