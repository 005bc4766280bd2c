#pragma once
#include <QString>

#include <string>

namespace cursovia::qtx11 {

// A text of the core (UTF-8, lines ended by CR LF or by a lone CR as the
// Windows message box shows them) as Qt shows it: every CR LF and every lone
// CR becomes one line feed.
QString withQtLineBreaks(const std::string& text);

} // namespace cursovia::qtx11
