// Copying to the clipboard, read back by another program as CF_DIB.
#include <windows.h>
#include <stdio.h>

#include <string>
#include <vector>

#include "pane_fixture.h"

namespace {

class ClipboardTest : public PaneTest {
protected:
    // The clipboard's CF_DIB as the stand-in host, run as a second
    // process, reads it.
    std::vector<uint8_t> dibFromAnotherProcess()
    {
        std::string path = "clipboard-dump.bin";
        DeleteFileA(path.c_str());
        char command[256];
        snprintf(command, sizeof command, "zrhost.exe --dump-clipboard %s", path.c_str());
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        EXPECT_TRUE(CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
        WaitForSingleObject(process.hProcess, 30000);
        DWORD code = 1;
        GetExitCodeProcess(process.hProcess, &code);
        EXPECT_EQ(code, 0u) << "the other program found a CF_DIB";
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        std::vector<uint8_t> data;
        if (FILE* f = fopen(path.c_str(), "rb")) {
            int c;
            while ((c = fgetc(f)) != EOF) data.push_back(uint8_t(c));
            fclose(f);
        }
        DeleteFileA(path.c_str());
        return data;
    }
};

Rgba known(int x, int y)
{
    return {byteValue(x * 4 % 256), byteValue(y * 5 % 256), byteValue((x + y) * 2 % 256),
            byteValue((x * 3 + y) % 256)};
}

uint32_t le32(const std::vector<uint8_t>& b, size_t at)
{
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

}  // namespace

TEST_F(ClipboardTest, TheColourPictureWithItsRowsAsShown)
{
    renderImage(33, 7, known);  // an odd width: padded rows
    key("r");  // a single-channel view still copies the colour picture
    key("c");
    std::vector<uint8_t> dib = dibFromAnotherProcess();
    const size_t stride = (33 * 3 + 3) & ~size_t(3);
    ASSERT_GE(dib.size(), 40 + 7 * stride);
    EXPECT_EQ(le32(dib, 0), 40u);
    EXPECT_EQ(le32(dib, 4), 33u);
    EXPECT_EQ(le32(dib, 8), 7u) << "bottom-up";
    EXPECT_EQ(dib[14], 24);
    for (int y = 0; y < 7; y++)
        for (int x = 0; x < 33; x++) {
            const uint8_t* p = dib.data() + 40 + size_t(6 - y) * stride + 3 * size_t(x);
            ASSERT_EQ(p[2], x * 4 % 256) << x << "," << y;
            ASSERT_EQ(p[1], y * 5 % 256) << x << "," << y;
            ASSERT_EQ(p[0], (x + y) * 2 % 256) << x << "," << y;
        }
}

TEST_F(ClipboardTest, TheAlphaViewCopiesTheGreyBitmapWithItsPalette)
{
    renderImage(5, 3, known);
    key("a");
    key("c");
    std::vector<uint8_t> dib = dibFromAnotherProcess();
    const size_t stride = 8;
    ASSERT_GE(dib.size(), 1064 + 3 * stride);
    EXPECT_EQ(dib[14], 8);
    for (int i = 0; i < 256; i += 51) EXPECT_EQ(dib[40 + 4 * i], i) << "a grey ramp";
    for (int y = 0; y < 3; y++)
        for (int x = 0; x < 5; x++)
            ASSERT_EQ(dib[1064 + size_t(2 - y) * stride + size_t(x)], (x * 3 + y) % 256) << x << "," << y;
}

// In the comparison views the copy is the picture the pane shows at one to
// one: the difference, and the wipe's two halves (all but the split's line).
TEST_F(ClipboardTest, TheComparisonViewsCopyWhatThePaneShows)
{
    renderImage(40, 12, known);
    renderImage(40, 12, [](int x, int y) {
        Rgba p = known(x, y);
        p.r = 1.0f - p.r;
        return p;
    });
    key("{CTRL+1}");
    const size_t stride = 120;
    for (const char* mode : {"x", "w"}) {
        key(mode);
        Capture shown = capturePane();
        key("c");
        std::vector<uint8_t> dib = dibFromAnotherProcess();
        ASSERT_GE(dib.size(), 40 + 12 * stride) << mode;
        for (int y = 0; y < 12; y++)
            for (int x = 0; x < 40; x++) {
                if (*mode == 'w' && (x == 19 || x == 20)) continue;  // the split's inverted line
                const uint8_t* p = dib.data() + 40 + size_t(11 - y) * stride + 3 * size_t(x);
                ASSERT_EQ(p[2], shown.red(x, y)) << mode << " " << x << "," << y;
                ASSERT_EQ(p[1], shown.green(x, y)) << mode << " " << x << "," << y;
                ASSERT_EQ(p[0], shown.blue(x, y)) << mode << " " << x << "," << y;
            }
        key(mode);
    }
}
