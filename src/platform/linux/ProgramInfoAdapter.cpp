#include "ProgramInfoAdapter.h"

#include <QCoreApplication>

#include <filesystem>
#include <system_error>

namespace cursovia::qtx11 {

ProgramInfo linuxProgramInfo() {
    std::error_code error;
    const std::filesystem::path binary = std::filesystem::canonical("/proc/self/exe", error);
    ProgramInfo info;
    info.executablePath =
        error ? QCoreApplication::applicationFilePath().toStdString() : binary.string();
    info.separator = '/';
    info.browserProgram = "xdg-open";
    return info;
}

} // namespace cursovia::qtx11
