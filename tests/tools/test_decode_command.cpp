#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

const std::string kTool = PELORIN_TOOL_PATH;

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

// A 2 x 1 24-bit BMP: one grey pixel and one red one.
std::vector<uint8_t> TinyBmp()
{
    std::vector<uint8_t> bytes = { 'B', 'M' };
    bytes.resize(14, 0);
    AppendU32(bytes, 40);
    AppendU32(bytes, 2);
    AppendU32(bytes, 1);
    AppendU16(bytes, 1);
    AppendU16(bytes, 24);
    bytes.resize(54, 0);
    AppendBytes(bytes, { 100, 100, 100, 0, 0, 250, 0, 0 });
    return bytes;
}

} // namespace

TEST(DecodeCommand, WritesTheDecodedPictureAsBmp)
{
    TTempFolder folder;
    const std::string input = folder.Write("in.bmp", TinyBmp());
    const std::string output = folder.File("out.bmp");
    TCommandResult run = RunCommand(kTool + " decode " + Quoted(input) + " " + Quoted(output));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, "result: ok\n");
    std::vector<uint8_t> written = ReadBytes(output);
    ASSERT_EQ(written.size(), 62u);
    EXPECT_EQ(std::vector<uint8_t>(written.begin() + 54, written.end()),
        (std::vector<uint8_t> { 100, 100, 100, 0, 0, 250, 0, 0 }));

    run = RunCommand(
        kTool + " decode " + Quoted(input) + " " + Quoted(output) + " --intensity -20");
    EXPECT_EQ(run.exitCode, 0);
    written = ReadBytes(output);
    EXPECT_EQ(std::vector<uint8_t>(written.begin() + 54, written.end()),
        (std::vector<uint8_t> { 80, 80, 80, 0, 0, 230, 0, 0 }));
}

TEST(DecodeCommand, FailuresAreReportedNotCrashedOn)
{
    TTempFolder folder;
    const std::string input = folder.Write("in.bmp", TinyBmp());
    const std::string nowhere = folder.File("missing/out.bmp");
    TCommandResult run = RunCommand(kTool + " decode " + Quoted(input) + " " + Quoted(nowhere));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.output, "result: error\nmessage: Unable to open file " + nowhere + "\n");

    const std::string absent = folder.File("absent.bmp");
    run = RunCommand(kTool + " decode " + Quoted(absent) + " " + Quoted(folder.File("o.bmp")));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.output, "result: error\nmessage: Error opening file " + absent + "\n");

    std::vector<uint8_t> truncated = TinyBmp();
    truncated.resize(56);
    const std::string cut = folder.Write("cut.bmp", truncated);
    run = RunCommand(kTool + " decode " + Quoted(cut) + " " + Quoted(folder.File("o.bmp")));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.output, "result: error\nmessage: Premature end of file\n");

    EXPECT_EQ(RunCommand(kTool + " decode 2>/dev/null").exitCode, 2);
    EXPECT_EQ(RunCommand(kTool + " decode a b --intensity x 2>/dev/null").exitCode, 2);
    EXPECT_EQ(RunCommand(kTool + " frobnicate 2>/dev/null").exitCode, 2);
}

TEST(InfoCommand, ListsTypeResultAndHeaderLines)
{
    TTempFolder folder;
    const std::string input = folder.Write("in.bmp", TinyBmp());
    const TCommandResult run = RunCommand(kTool + " info " + Quoted(input));
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output,
        "Filename: " + input
            + "\nFile type: BMP\nresult: ok\nImage information:\nHeader\n header size: 40\n"
              " width: 2\n height: 1\n planes: 1\n bit count: 24\n compression: 0\n"
              " size of image: 0\n x pixels per meter: 0\n y pixels per meter: 0\n"
              " colors used: 0\n important colors: 0\n\n bottom up: 1\n"
              "Preview information:\n preview window width: 100\n preview window height: 100\n\n"
              " scaled image width: 2\n scaled image height: 1\n\n image X counter: 1\n"
              " image Y counter: 1\n\n image X offset: 49\n image Y offset: 49\n");
}
