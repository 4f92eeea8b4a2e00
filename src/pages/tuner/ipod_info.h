#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tw::pages::ipod {

// The play information the receiver reports (120 characters) in its five fields.
struct Field {
  std::string_view caption;
  std::size_t start;
  std::size_t length;
};
inline constexpr std::array<Field, 5> kPlayFields = {{
    {"TITLE(SONG)", 0, 40},
    {"ARTIST", 40, 20},
    {"ALBUM", 60, 20},
    {"CHANNEL", 80, 20},
    {"CH CATEGORY", 100, 20},
}};

// The list information (81 characters): the cursor line "0".."3", then four lines of 20.
inline constexpr std::size_t kListLines = 4;
inline constexpr std::size_t kListLineLength = 20;

// The five fields of a play information text, each Printable and without its trailing
// blanks; a short text gives short or empty fields.
std::array<std::string, kPlayFields.size()> PlayFields(std::string_view playInfo);

// The list information's cursor line and its four lines (as the play fields).
struct ListInfo {
  int cursor = -1;  // the line 0..3 the receiver marks; -1 when it marks none
  std::array<std::string, kListLines> lines;
};
ListInfo SplitListInfo(std::string_view listInfo);

// The dock operations the iPod page sends (STX "0F7F011" + code), in the page's order.
struct DockOperation {
  std::string_view name;     // the command-line word
  std::string_view caption;  // the page's button
  int buttonId;
  std::string_view code;
};
inline constexpr std::array<DockOperation, 7> kDockOperations = {{
    {"play", "Play", 1351, "EE1"},
    {"stop", "Stop", 1347, "DE2"},
    {"rew", "Rew", 1349, "7E8"},
    {"ff", "FF", 1350, "8E7"},
    {"pause", "Pause", 1348, "AE5"},
    {"prev", "-", 1345, "BE4"},
    {"next", "+", 1346, "CE3"},
}};

// The frame of dock operation `index`; empty outside the table.
std::string DockCommand(int index);

}  // namespace tw::pages::ipod
