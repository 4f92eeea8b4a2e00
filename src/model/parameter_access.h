#pragma once

#include "model/parameter_image.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace tw::model {

// The blocks of an image that parameter numbers address.
enum class Block {
  BasicControl,    // 1..14
  MultiZone,       // 15..26
  DspParameters,   // 27..211
  InputDsp,        // 212..239
  InputRename,     // 240..253 (texts)
  IoAssign,        // 254..267
  SpeakerLevel,    // 268..277
  SpeakerDistance, // 278..288
  ToneControl,     // 289..306
  ControlOut,      // 307..382
  VolumeTrim,      // 383..396
  GraphicEq,       // 397..404 (special: the addressed channel, see decoder)
  SpeakerSet,      // 427..435
  Tuner,           // 436..476 (texts)
  Xm,              // 477..516
  DisplaySet,      // 517..528
  MultiCh,         // 529..531
  Other,           // 532..534
  AdvancedSetup,   // 535..545
  Ipod,            // 548..555 (548..552 integers, 554/555 texts)
};

// The block whose parameter-number range holds `number`; nothing outside every range.
std::optional<Block> BlockOfParameter(int number);

// The block setters: store `value` into the field that `number` names within `block`.
// A number outside the block, or one that names no field of that kind, is ignored
// (returns false). Text setters copy at most the field's capacity less the terminator.
bool SetBlockValue(ParameterImage& image, Block block, int number, std::int32_t value);
bool SetBlockText(ParameterImage& image, Block block, int number, std::string_view text);

// Convenience: the same through the block that owns `number`.
bool SetParameter(ParameterImage& image, int number, std::int32_t value);
bool SetParameterText(ParameterImage& image, int number, std::string_view text);

// Reads back any parameter number: an integer, a text, or nothing when the number names
// no field of the image.
using ParameterValue = std::variant<std::int32_t, std::string>;
std::optional<ParameterValue> GetParameter(const ParameterImage& image, int number);

// Copies the value `number` names from `from` into `to`. A Graphic EQ number names a value
// of every channel record, so all records are copied. False when the number names nothing.
bool CopyParameter(const ParameterImage& from, ParameterImage& to, int number);

// Graphic EQ numbers name one value per channel record, so they go with a record index
// 0..9: 397 the record's channel identifier, 398..404 its bands 1..7. Anything else is
// ignored (false) or absent.
bool SetGraphicEqValue(ParameterImage& image, int record, int number, std::int32_t value);
std::optional<std::int32_t> GetGraphicEqValue(const ParameterImage& image, int record, int number);
// The record whose channel identifier is `channelId`, or -1.
int FindGraphicEqRecord(const ParameterImage& image, std::int32_t channelId);

// Tuner regions 0..3.
inline constexpr int kTunerRegionCount = 4;

// Factory defaults of every block; the tuner block gets the presets of `tunerRegion`
// (left empty for a region outside 0..3). The image index stays.
void ResetToDefaults(ParameterImage& image, int tunerRegion);
// The tuner block alone, reset to the presets of `tunerRegion`; a region outside 0..3
// changes nothing.
void ResetTunerBlock(ParameterImage& image, int tunerRegion);
// The defaults of one sound program's group of DSP slots (program index 0..23; any other
// index changes nothing).
void WriteDspProgramDefaults(ParameterImage& image, int programIndex);

}  // namespace tw::model
