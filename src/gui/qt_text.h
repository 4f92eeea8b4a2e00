#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace tw::gui {

// Texts of the models are 8-bit. Captions and messages are shown as UTF-8 when they are valid
// UTF-8 and as Latin-1 otherwise, so that no byte is ever lost or shown as garbage.
QString ToQt(std::string_view text);
std::string FromQt(const QString& text);

// Edit boxes hold one byte per character (their maximum length counts bytes), so they are
// exchanged as Latin-1; a character outside it becomes '?'.
QString FromLatin1(std::string_view text);
std::string ToLatin1(const QString& text);

}  // namespace tw::gui
