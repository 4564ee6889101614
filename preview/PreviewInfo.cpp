#include "preview/PreviewInfo.h"

#include "image/ImageInfo.h"
#include "platform/Format.h"

std::vector<std::string> PreviewInformationLines(const TPreviewDib& preview)
{
    const TThumbnailGeometry& geometry = preview.Geometry();
    std::vector<std::string> lines = {
        Format(" preview window width: %d", preview.BoxWidth()),
        Format(" preview window height: %d", preview.BoxHeight()),
        "",
        Format(" scaled image width: %d", geometry.scaledWidth),
        Format(" scaled image height: %d", geometry.scaledHeight),
        "",
        Format(" image X counter: %d", geometry.xCounter),
        Format(" image Y counter: %d", geometry.yCounter),
        "",
        Format(" image X offset: %d", geometry.xOffset),
        Format(" image Y offset: %d", geometry.yOffset),
    };
    if (preview.FileType() == FileTypeGif) {
        const TThumbnailGeometry& logical = preview.LogicalGeometry();
        lines.insert(lines.end(),
            {
                "",
                "GIF Logical Window",
                Format(" scaled logical image width: %d", logical.scaledWidth),
                Format(" scaled logical image height: %d", logical.scaledHeight),
                "",
                Format(" logical image X counter: %d", logical.xCounter),
                Format(" logical image Y counter: %d", logical.yCounter),
                "",
                Format(" logical image X offset: %d", logical.xOffset),
                Format(" logical image Y offset: %d", logical.yOffset),
            });
    }
    return lines;
}

TImageInformation ImageInformationOf(const TPreviewDib& preview, const std::string& folder)
{
    const std::string& path = preview.FileName();
    const size_t separator = path.find_last_of("/\\");
    TImageInformation info;
    info.fileName = folder + (separator == std::string::npos ? path : path.substr(separator + 1));
    info.fileType = FileTypeCaption(preview.FileType());
    info.imageLines = ImageInformationLines(preview);
    info.previewLines = PreviewInformationLines(preview);
    return info;
}
