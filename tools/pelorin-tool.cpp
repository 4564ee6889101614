// pelorin-tool: the image core from the command line. Decodes a file as the viewing window
// does and writes it as the save command does, lists header information, and prints the
// preferences a start-up would take from an INI file.

#include "image/BmpWriter.h"
#include "image/DisplayDib.h"
#include "platform/Profile.h"
#include "preview/PreviewDib.h"
#include "preview/PreviewInfo.h"
#include "settings/SettingFields.h"
#include "settings/ViewSettings.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr const char* kUsage = "usage:\n"
                               "  pelorin-tool decode IN OUT.bmp [--intensity N] [--frame N]\n"
                               "  pelorin-tool preview IN OUT.bmp [--box N] [--frame K]\n"
                               "  pelorin-tool info IN\n"
                               "  pelorin-tool settings [INI] [--screen-width W]\n";

int UsageError()
{
    std::fputs(kUsage, stderr);
    return 2;
}

std::optional<int> ParseInt(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    char* end = nullptr;
    const std::string copy(text);
    const long value = std::strtol(copy.c_str(), &end, 10);
    if (*end != '\0' || value < -1000000000L || value > 1000000000L)
        return std::nullopt;
    return int(value);
}

struct TArguments {
    std::vector<std::string> positional;
    std::vector<std::pair<std::string, int>> options;

    std::optional<int> Option(std::string_view name) const
    {
        for (const auto& [key, value] : options)
            if (key == name)
                return value;
        return std::nullopt;
    }
};

// Splits positional arguments from "--name N" options; false on a malformed option.
bool ParseArguments(int argc, char** argv, int first, TArguments& arguments)
{
    for (int i = first; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument.starts_with("--")) {
            if (i + 1 >= argc)
                return false;
            const auto value = ParseInt(argv[++i]);
            if (!value)
                return false;
            arguments.options.emplace_back(std::string(argument.substr(2)), *value);
        } else {
            arguments.positional.emplace_back(argument);
        }
    }
    return true;
}

void PrintResult(bool ok, const std::string& message)
{
    std::printf("result: %s\n", !ok ? "error" : message.empty() ? "ok" : "warning");
    if (!message.empty())
        std::printf("message: %s\n", message.c_str());
}

int Decode(const TArguments& arguments)
{
    if (arguments.positional.size() != 2)
        return UsageError();
    for (const auto& [name, value] : arguments.options)
        if (name != "intensity" && name != "frame")
            return UsageError();
    const std::string& input = arguments.positional[0];
    const std::string& output = arguments.positional[1];

    TDisplayDib dib;
    TDecodeOptions options;
    options.intensityOffset = arguments.Option("intensity").value_or(0);
    dib.SetOptions(options);
    bool ok = dib.Load(input);
    std::string message = dib.Message();
    // The animation steps the viewing window would take after the load.
    const int frames = arguments.Option("frame").value_or(0);
    for (int step = 0; ok && step < frames; ++step) {
        if (!dib.MoreImages()) {
            ok = false;
            message = "No further frame to step to";
            break;
        }
        ok = dib.NextGifFrame();
        if (!dib.Message().empty())
            message = dib.Message();
    }
    if (ok) {
        std::string error;
        if (!WriteBmpFile(dib, output, error)) {
            ok = false;
            message = error;
        }
    }
    PrintResult(ok, message);
    return ok ? 0 : 1;
}

// The preview box's size by default, and the largest the command makes.
constexpr int kDefaultBox = 100;
constexpr int kLargestBox = 4096;

// The thumbnail as the browser's preview box draws it, after the animation steps the browser
// would take, written as a 24-bit BMP of the whole box.
int Preview(const TArguments& arguments)
{
    if (arguments.positional.size() != 2)
        return UsageError();
    for (const auto& [name, value] : arguments.options)
        if (name != "box" && name != "frame")
            return UsageError();
    const int box = arguments.Option("box").value_or(kDefaultBox);
    const int frames = arguments.Option("frame").value_or(0);
    if (box < 2 || box > kLargestBox || frames < 0)
        return UsageError();

    TPreviewDib preview(box, box);
    preview.SetOptions(TPreviewOptions());
    bool ok = preview.Load(arguments.positional[0]);
    std::string message = preview.Message();
    for (int step = 0; ok && step < frames; ++step) {
        if (!preview.MoreImages()) {
            ok = false;
            message = "No further frame to step to";
            break;
        }
        ok = preview.NextGifFrame();
        if (!preview.Message().empty())
            message = preview.Message();
    }
    if (ok) {
        std::string error;
        if (!WriteBmpFile(preview, arguments.positional[1], error)) {
            ok = false;
            message = error;
        }
    }
    PrintResult(ok, message);
    return ok ? 0 : 1;
}

int Info(const TArguments& arguments)
{
    if (arguments.positional.size() != 1 || !arguments.options.empty())
        return UsageError();
    const std::string& input = arguments.positional[0];
    TDisplayDib dib;
    dib.SetOptions(TDecodeOptions());
    const bool ok = dib.Load(input);
    // The lines the information dialog shows: the preview's record in the preview box of the
    // largest browser layout, the folder as the browser would give it.
    TPreviewDib preview(kDefaultBox, kDefaultBox);
    preview.SetOptions(TPreviewOptions());
    preview.Load(input);
    const TImageInformation info
        = ImageInformationOf(preview, input.substr(0, input.find_last_of('/') + 1));
    std::printf("Filename: %s\n", info.fileName.c_str());
    std::printf("File type: %s\n", info.fileType.c_str());
    PrintResult(ok, dib.Message());
    std::printf("Image information:\n");
    for (const std::string& line : info.imageLines)
        std::printf("%s\n", line.c_str());
    std::printf("Preview information:\n");
    for (const std::string& line : info.previewLines)
        std::printf("%s\n", line.c_str());
    return ok ? 0 : 1;
}

// The preferences after the load points of a start-up: the program's, the frame's, the
// browser's (with LastPath when SavePath is set) and a normal viewing window's.
int PrintSettings(const TArguments& arguments)
{
    if (arguments.positional.size() > 1)
        return UsageError();
    for (const auto& [name, value] : arguments.options)
        if (name != "screen-width")
            return UsageError();
    TProfile& profile = TProfile::Instance();
    if (!arguments.positional.empty())
        profile.SetPrivateFile(arguments.positional[0]);

    TViewSettings& settings = Settings();
    settings.LoadStartup();
    settings.ScreenLayout = ScreenLayoutClass(arguments.Option("screen-width").value_or(1920));
    settings.CurrentLayout = settings.AutoSizeMain ? settings.ScreenLayout : settings.SizeMain;
    settings.LoadFramePosition();
    settings.LoadBrowserGroup();
    settings.LoadLastPath();
    settings.LoadViewPosition();
    for (const TSettingField& field : kSettingFields)
        std::printf("%s=%s\n", field.key, SettingText(field, settings).c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return UsageError();
    TArguments arguments;
    if (!ParseArguments(argc, argv, 2, arguments))
        return UsageError();
    const std::string_view command = argv[1];
    if (command == "decode")
        return Decode(arguments);
    if (command == "preview")
        return Preview(arguments);
    if (command == "info")
        return Info(arguments);
    if (command == "settings")
        return PrintSettings(arguments);
    return UsageError();
}
