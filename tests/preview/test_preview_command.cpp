#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

const std::string kTool = PELORIN_TOOL_PATH;

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

} // namespace

TEST(PreviewCommand, WritesTheBoxAsBmp)
{
    TTempFolder folder;
    const std::string output = folder.File("box.bmp");
    const std::string input = TestData("gif/im-anim.gif").string();
    TCommandResult run
        = RunCommand(kTool + " preview " + Quoted(input) + " " + Quoted(output) + " --box 40");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, "result: ok\n");
    std::vector<uint8_t> written = ReadBytes(output);
    // File header, info header, 40 rows of 40 blue, green, red pixels.
    ASSERT_EQ(written.size(), 14u + 40u + 40u * 120u);
    EXPECT_EQ(written[18], 40);
    EXPECT_EQ(written[22], 40);
    EXPECT_EQ(written[28], 24);

    // Animation steps past the last image come round to the first again.
    run = RunCommand(kTool + " preview " + Quoted(input) + " " + Quoted(output) + " --frame 5");
    EXPECT_EQ(run.output, "result: ok\n");
    run = RunCommand(kTool + " preview " + Quoted(TestData("bmp/pil-rgb24.bmp").string()) + " "
        + Quoted(output) + " --frame 1");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.output, "result: error\nmessage: No further frame to step to\n");

    EXPECT_EQ(RunCommand(kTool + " preview a b --box 1 2>/dev/null").exitCode, 2);
    EXPECT_EQ(RunCommand(kTool + " preview a b --size 9 2>/dev/null").exitCode, 2);
}
