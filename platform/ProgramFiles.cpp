#include "platform/ProgramFiles.h"

#include "platform/Product.h"
#include "platform/Profile.h"

#include <filesystem>

#ifndef PELORIN_INSTALLED_DATA_FOLDER
#error "the build names the installed data folder"
#endif

std::string_view InstalledDataFolder() { return PELORIN_INSTALLED_DATA_FOLDER; }

TProgramFiles ProgramFiles(std::string_view programPath, std::string_view executableFolder)
{
    if (!executableFolder.empty()) {
        const std::filesystem::path data
            = (std::filesystem::path(executableFolder) / InstalledDataFolder()).lexically_normal();
        std::error_code error;
        if (std::filesystem::is_directory(data, error)) {
            // A bare name puts the INI file in the configuration folder, whatever the
            // program path.
            return { PrivateProfilePath(kProductName),
                (data / (std::string(kProductName) + ".hlp")).string() };
        }
    }
    return { PrivateProfilePath(programPath), HelpFilePath(programPath) };
}

std::string_view ProgramFolder(std::string_view programPath)
{
    const size_t separator = programPath.find_last_of('/');
    return separator == std::string_view::npos ? std::string_view()
                                               : programPath.substr(0, separator + 1);
}

std::string HelpFilePath(std::string_view programPath)
{
    return std::string(ProgramFolder(programPath)) + std::string(kProductName) + ".hlp";
}
