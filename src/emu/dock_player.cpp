#include "emu/dock_player.h"

#include <array>

#include "emu/virtual_receiver.h"

namespace tw::emu {
namespace {

struct Track {
  std::string_view title;
  std::string_view artist;
  std::string_view album;
};

constexpr std::array<Track, 6> kPlayList = {{
    {"Morning Light", "The Harbour Lines", "Coastal Roads"},
    {"Paper Boats", "Mira Tal", "Small Hours"},
    {"Northbound", "The Harbour Lines", "Coastal Roads"},
    {"Glass Garden", "Ostara Quartet", "Winter Rooms"},
    {"Slow River", "Mira Tal", "Small Hours"},
    {"Last Tram Home", "Ostara Quartet", "Winter Rooms"},
}};

constexpr int kTrackCount = static_cast<int>(kPlayList.size());
constexpr int kListLines = 4;
constexpr std::size_t kListLineLength = 20;

// `text` cut or padded with blanks to `width` characters.
std::string Padded(std::string_view text, std::size_t width) {
  std::string field(text.substr(0, width));
  field.resize(width, ' ');
  return field;
}

}  // namespace

bool DockPlayer::Operate(std::string_view code) {
  if (code == "EE1") {
    state_ = State::Playing;
  } else if (code == "DE2") {
    state_ = State::Stopped;
  } else if (code == "AE5") {
    if (state_ != State::Stopped) state_ = state_ == State::Playing ? State::Paused : State::Playing;
  } else if (code == "BE4") {
    track_ = (track_ + kTrackCount - 1) % kTrackCount;
  } else if (code == "CE3") {
    track_ = (track_ + 1) % kTrackCount;
  } else if (code != "7E8" && code != "8E7") {  // Rew and FF move within the track only
    return false;
  }
  return true;
}

std::vector<std::string> DockPlayer::Reports(bool playInfoOut, bool listInfoOut) const {
  std::vector<std::string> frames;
  if (playInfoOut) frames.push_back(PlayInformation());
  if (listInfoOut) frames.push_back(ListInformation());
  return frames;
}

std::string DockPlayer::PlayInformation() const {
  // A stopped player has nothing to tell; the channel fields belong to radio sources.
  const Track shown = state_ == State::Stopped ? Track{} : kPlayList[static_cast<std::size_t>(track_)];
  return MakeExtendedFrame("207D00402" + Padded(shown.title, 40) + Padded(shown.artist, 20) +
                           Padded(shown.album, 20) + Padded({}, 20) + Padded({}, 20));
}

std::string DockPlayer::ListInformation() const {
  // The list shows the four tracks around the current one, its line marked.
  const int first = track_ - track_ % kListLines;
  std::string text(1, static_cast<char>('0' + track_ % kListLines));
  for (int line = 0; line < kListLines; ++line) {
    const int track = first + line;
    text += Padded(track < kTrackCount ? kPlayList[static_cast<std::size_t>(track)].title : "", kListLineLength);
  }
  return MakeExtendedFrame("205600502" + text);
}

}  // namespace tw::emu
