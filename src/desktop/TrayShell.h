#pragma once
#include <cstdint>
#include <string>

namespace cursovia {

// A picture handed to the tray: the program's own icon, or something that is not an icon.
enum class Picture { None, ProgramIcon, Bitmap };

enum class TrayCommand { Add = 0, Modify = 1, Delete = 2 };

// Which fields of a TrayRequest carry meaning.
namespace tray_flag {
inline constexpr std::uint32_t Message = 0x01;
inline constexpr std::uint32_t Icon = 0x02;
inline constexpr std::uint32_t Tip = 0x04;
inline constexpr std::uint32_t Info = 0x10;
} // namespace tray_flag

// One request to the notification area, modelled on the shell's icon record.
// Texts are UTF-8; the adapter cuts them to what its shell holds.
struct TrayRequest {
    std::uint32_t iconId = 0;
    std::uint32_t flags = 0;
    std::uint32_t callbackMessage = 0;
    Picture icon = Picture::None;
    std::string tip;
    std::string info;      // balloon text
    std::string infoTitle; // balloon title
    std::uint32_t timeoutMs = 0;

    friend bool operator==(const TrayRequest&, const TrayRequest&) = default;
};

// The desktop's notification area. Results are ignored: a refused request
// leaves the caller's state as if it had succeeded. The adapter reports mouse
// and balloon activity on the icon back as window messages
// (0x200..0x206, 0x403..0x405) to cSysTray::HandleTrayMessage.
class TrayShell {
public:
    virtual ~TrayShell() = default;
    virtual void notifyIcon(TrayCommand command, const TrayRequest& request) = 0;
};

} // namespace cursovia
