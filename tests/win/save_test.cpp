// The save command driven as an artist drives it: the real save dialog is
// typed into, its type chosen and Save pressed; then the file is read.
#include <windows.h>
#include <stdio.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "pane_fixture.h"
#include "zrhost/dialog_remote.h"
#include "zrhost/patterns.h"

namespace {

enum { BMP = 0, IFF = 1, PFM = 2, TARGA = 3, RAW = 4 };  // positions in the type list

Rgba known(int x, int y)
{
    return {byteValue(x * 7 % 256), byteValue(y * 9 % 256), byteValue((x + 2 * y) % 256),
            byteValue((x * 5 + y) % 256)};
}

std::vector<uint8_t> fileBytes(const std::string& path)
{
    std::string text = readFile(path);
    return std::vector<uint8_t>(text.begin(), text.end());
}

uint32_t le32(const std::vector<uint8_t>& b, size_t at)
{
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

class SaveTest : public PaneTest {
protected:
    void SetUp() override
    {
        PaneTest::SetUp();
        outputDir = root + "\\output";
        ASSERT_TRUE(CreateDirectoryA(outputDir.c_str(), nullptr));
        snprintf(hostConfig()->outputDir, MAX_PATH, "%s", outputDir.c_str());
    }

    // Opens the dialog, and after checking it saves under name.
    HWND openDialog()
    {
        HWND dialog = openSaveDialog(viewer);
        EXPECT_NE(dialog, nullptr) << "the save dialog appeared";
        return dialog;
    }

    // Saves through the dialog and waits until the image carries its new name.
    void save(const std::string& name, int type, const std::string& newName)
    {
        HWND dialog = openDialog();
        ASSERT_NE(dialog, nullptr);
        saveAs(dialog, name, type);
        ASSERT_TRUE(waitUntilClosed(dialog, 10000));
        ASSERT_TRUE(waitForName(newName)) << statusText(viewer, 0);
    }

    std::string inOutput(const char* name) const { return outputDir + "\\" + name; }

    // Every pixel of a 24-bit BMP against the known picture at full range.
    void expectKnownBmp(const std::string& path, int width, int height)
    {
        std::vector<uint8_t> b = fileBytes(path);
        ASSERT_GE(b.size(), 54u) << path;
        ASSERT_EQ(b[0], 'B');
        ASSERT_EQ(le32(b, 10), 54u) << "24-bit pixel data at 54";
        EXPECT_EQ(b[28], 24);
        size_t stride = (size_t(width) * 3 + 3) & ~size_t(3);
        ASSERT_EQ(b.size(), 54 + stride * height);
        for (int y = 0; y < height; y++)
            for (int x = 0; x < width; x++) {
                const uint8_t* p = b.data() + 54 + size_t(height - 1 - y) * stride + 3 * size_t(x);
                ASSERT_EQ(p[2], x * 7 % 256) << x << "," << y;
                ASSERT_EQ(p[1], y * 9 % 256) << x << "," << y;
                ASSERT_EQ(p[0], (x + 2 * y) % 256) << x << "," << y;
            }
    }

    std::string outputDir;
};

}  // namespace

TEST_F(SaveTest, TheFirstSaveOffersTheImagesNameInTheOutputFolderAsZrBmp)
{
    renderImage(21, 5, known);
    HWND dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    SaveDialogState state = readSaveDialog(dialog);
    EXPECT_EQ(_stricmp(state.folder.c_str(), outputDir.c_str()), 0) << state.folder;
    EXPECT_EQ(state.fileName, "Untitled1");
    EXPECT_EQ(state.typeIndex, BMP);
    const std::vector<std::string> types = {"ZR BMP (.bmp)", "ZR IFF (.iff)", "Portable Float Map  (.pfm)",
                                            "Targa  (.tga)", "Raw float samples (.*)"};
    EXPECT_EQ(state.types, types) << "the host's savers follow, a blank before ( kept";
    saveAs(dialog, "shot", -1);
    ASSERT_TRUE(waitUntilClosed(dialog, 10000));
    ASSERT_TRUE(waitForName("shot.bmp")) << "the image is named after its file";
    expectKnownBmp(inOutput("shot.bmp"), 21, 5);
    EXPECT_EQ(filesIn(outputDir), std::vector<std::string>{"shot.bmp"}) << "no temporary file is left";
}

// A name that ends in the type's extension is kept as typed; the dialog
// offers it cut at its last ".", and Save on what it offers writes a file
// of the type chosen, as does any other name with a full stop.
TEST_F(SaveTest, TheOfferedNameSavesAFileOfTheTypeChosen)
{
    renderImage(900, 3, known);  // a viewer wide enough to show the whole name
    save("render.0001.bmp", BMP, "render.0001.bmp");
    expectKnownBmp(inOutput("render.0001.bmp"), 900, 3);
    HWND dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(readSaveDialog(dialog).fileName, "render.0001");
    saveAs(dialog, "render.0001", IFF);
    ASSERT_TRUE(waitUntilClosed(dialog, 10000));
    ASSERT_TRUE(waitForName("render.0001.iff"));
    EXPECT_EQ(readFile(inOutput("render.0001.iff")).substr(0, 4), "FORM");
    save("shot.final", IFF, "shot.final.iff");
    EXPECT_EQ(filesIn(outputDir), (std::vector<std::string>{"render.0001.bmp", "render.0001.iff", "shot.final.iff"}));
}

TEST_F(SaveTest, ZrIffAndTheLastFolderAreRememberedForTheNextSave)
{
    renderImage(17, 4, known);
    std::string other = root + "\\other";
    ASSERT_TRUE(CreateDirectoryA(other.c_str(), nullptr));
    save(other + "\\pic", IFF, "pic.iff");
    std::vector<uint8_t> iff = fileBytes(other + "\\pic.iff");
    ASSERT_GE(iff.size(), 48u);
    EXPECT_EQ(std::string(iff.begin() + 8, iff.begin() + 12), "ILBM");
    EXPECT_EQ(iff[28], 24) << "24 bit planes";
    HWND dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    SaveDialogState state = readSaveDialog(dialog);
    EXPECT_EQ(_stricmp(state.folder.c_str(), other.c_str()), 0) << state.folder;
    EXPECT_EQ(state.typeIndex, IFF);
    EXPECT_EQ(state.fileName, "pic");
    cancelDialog(dialog);
    ASSERT_TRUE(waitUntilClosed(dialog, 10000));
    EXPECT_EQ(statusText(viewer, 0), "pic.iff") << "cancelling changes nothing";
}

TEST_F(SaveTest, TheHostsSaversGetTheFloatSamplesAsRendered)
{
    renderImage(6, 4, [](int x, int y) { return Rgba{x * 0.75f - 1.0f, y * 3.5f, 0.125f * (x + y), 1.0f - x * 0.1f}; });
    save("floats", PFM, "floats.pfm");
    Frame frame;
    std::string error;
    ASSERT_TRUE(readPfm(inOutput("floats.pfm"), &frame, &error)) << error;
    ASSERT_EQ(frame.width, 6);
    ASSERT_EQ(frame.height, 4);
    for (int y = 0; y < 4; y++)
        for (int x = 0; x < 6; x++) {
            size_t i = size_t(y) * 6 + x;
            ASSERT_EQ(frame.red[i], x * 0.75f - 1.0f) << "no levels, no clamping";
            ASSERT_EQ(frame.green[i], y * 3.5f);
            ASSERT_EQ(frame.blue[i], 0.125f * (x + y));
        }
}

TEST_F(SaveTest, ASaverWithoutAnExtensionGetsNoneAppended)
{
    renderImage(3, 2, known);
    save("samples", RAW, "samples");
    std::vector<uint8_t> raw = fileBytes(inOutput("samples"));
    ASSERT_EQ(raw.size(), 12u + 3 * 2 * 4 * sizeof(float));
    EXPECT_EQ(std::string(raw.begin(), raw.begin() + 4), "ZRAW");
}

// Short of memory for the full-range copy a save at other levels needs, or
// for the copy a print works from, each says so rather than ending
// quietly. Only a 32-bit process can be run short of address space: every
// free range of 8 MB or more is taken, and a copy of the picture is 12 MB.
TEST_F(SaveTest, ASaveOrPrintThatMemoryRunsShortForSaysSo)
{
    if (sizeof(void*) > 4) GTEST_SKIP() << "a 64-bit process has address space to spare";
    restartWithConfig("BlackWhite 0.2 1");
    renderImage(2048, 2048, known);
    HWND dialog = openDialog();  // the dialog's own libraries are loaded before memory runs short
    ASSERT_NE(dialog, nullptr);
    std::vector<void*> taken;
    for (size_t size = size_t(1) << 30; size >= (size_t(8) << 20);) {
        if (void* p = VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS))
            taken.push_back(p);
        else
            size /= 2;
    }
    saveAs(dialog, "short", BMP);
    MessageBoxText box;
    EXPECT_TRUE(readAndCloseMessageBox(viewer, "ZR", 10000, &box));
    EXPECT_EQ(box.text, "Not enough memory to save " + inOutput("short.bmp") + ".");
    PostMessageA(viewer, WM_CHAR, 'p', 1);
    EXPECT_TRUE(readAndCloseMessageBox(viewer, "Printing Problem", 10000, &box));
    EXPECT_EQ(box.text, "Not enough memory to print the image.");
    for (void* p : taken) VirtualFree(p, 0, MEM_RELEASE);
    EXPECT_FALSE(fileExists(inOutput("short.bmp")));
}

TEST_F(SaveTest, ZrBmpSavesAtFullRangeWhateverLevelsAreShown)
{
    restartWithConfig("BlackWhite 0.2 1");
    renderImage(9, 4, known);
    Capture shown = capturePane();
    save("levels", BMP, "levels.bmp");
    expectKnownBmp(inOutput("levels.bmp"), 9, 4);
    EXPECT_EQ(capturePane().pixels, shown.pixels) << "the screen keeps its levels";
}

TEST_F(SaveTest, AFailedWriteLeavesNoFileKeepsTheNameAndSaysSo)
{
    renderImage(4, 4, known);
    // A folder in the file's place: the file cannot take it.
    ASSERT_TRUE(CreateDirectoryA(inOutput("blocked.bmp").c_str(), nullptr));
    writeFile(inOutput("blocked.bmp") + "\\keep", "x");
    HWND dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    saveAs(dialog, "blocked", BMP);
    MessageBoxText box;
    ASSERT_TRUE(readAndCloseMessageBox(viewer, "ZR", 10000, &box));
    const std::string said = "The image couldn't be saved as\n" + inOutput("blocked.bmp") + "\n";
    EXPECT_EQ(box.text.compare(0, said.size(), said), 0) << box.text;
    EXPECT_GT(box.text.size(), said.size()) << "and the system's reason";
    printf("the reason given: %s\n", box.text.substr(said.size()).c_str());
    settleViewer(viewer);
    EXPECT_EQ(statusText(viewer, 0), "Untitled1");
    EXPECT_EQ(filesIn(outputDir), std::vector<std::string>{"blocked.bmp"});
    EXPECT_EQ(readFile(inOutput("blocked.bmp") + "\\keep"), "x");
}

// A save replaces the file chosen and nothing else: the artist's own
// "a.bmp.part" (the name a temporary once had) survives it. A file that
// another program holds open, so that it cannot be replaced, stays whole,
// for the own writer and a host's saver alike, and the artist is told.
TEST_F(SaveTest, ASaveReplacesOnlyTheFileChosenOrNothing)
{
    renderImage(12, 6, known);
    writeFile(inOutput("a.bmp.part"), "the artist's notes");
    std::vector<std::string> expected = filesIn(outputDir);
    save("a", BMP, "a.bmp");
    expectKnownBmp(inOutput("a.bmp"), 12, 6);
    EXPECT_EQ(readFile(inOutput("a.bmp.part")), "the artist's notes");

    for (auto [type, name, file] : {std::tuple{BMP, "a", "a.bmp"}, std::tuple{TARGA, "t", "t.tga"}}) {
        writeFile(inOutput(file), "the earlier save");
        HANDLE held = holdWithoutDeleteSharing(inOutput(file));
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        HWND dialog = openDialog();
        ASSERT_NE(dialog, nullptr);
        saveAs(dialog, name, type);
        MessageBoxText box;
        EXPECT_TRUE(readAndCloseMessageBox(viewer, "ZR", 10000, &box)) << file;
        EXPECT_NE(box.text.find(file), std::string::npos) << box.text;
        CloseHandle(held);
        EXPECT_EQ(readFile(inOutput(file)), "the earlier save") << "the old file whole";
    }
    expected.push_back("a.bmp");  // the earlier saves
    expected.push_back("t.tga");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(filesIn(outputDir), expected) << "no temporary left";
}

// The longest name the path holds is saved whole, its extension and all;
// one character more leaves no room for ".bmp": nothing is written, and
// the artist is told.
TEST_F(SaveTest, NamesAtThePathLimitAreSavedWholeOrNotAtAll)
{
    renderImage(4, 4, known);
    const size_t room = MAX_PATH - 1 - (outputDir.size() + 1);  // the file name's share of a whole path
    const std::string longest(room - 4, 'n');
    HWND dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    saveAs(dialog, longest, BMP);
    ASSERT_TRUE(waitUntilClosed(dialog, 10000));
    for (int i = 0; i < 100 && !fileExists(inOutput((longest + ".bmp").c_str())); i++) pumpMessages(50);
    expectKnownBmp(inOutput((longest + ".bmp").c_str()), 4, 4);

    dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    saveAs(dialog, longest + "n", BMP);
    MessageBoxText box;
    ASSERT_TRUE(readAndCloseMessageBox(viewer, "ZR", 10000, &box));
    EXPECT_NE(box.text.find(longest + "n"), std::string::npos) << box.text;
    EXPECT_EQ(filesIn(outputDir), std::vector<std::string>{longest + ".bmp"}) << "nothing else written";
}

TEST_F(SaveTest, WhileTheDialogIsOpenFramesWaitAndASecondSaveDoesNothing)
{
    renderImage(12, 6, known);
    HWND dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    PostMessageA(viewer, WM_CHAR, 's', 1);
    pumpMessages(500);
    EXPECT_EQ(countViewerDialogs(viewer, "Save ZR image buffer"), 1) << "one save at a time";

    handOverImage(12, 6, [](int, int) { return Rgba{1, 1, 1, 1}; });  // a second frame arrives meanwhile
    pumpMessages(300);
    EXPECT_EQ(checkedSlot(viewer), 0) << "the new frame waits";
    saveAs(dialog, "first", BMP);
    ASSERT_TRUE(waitUntilClosed(dialog, 10000));
    ASSERT_TRUE(waitForName("Untitled2")) << "then it shows";
    expectKnownBmp(inOutput("first.bmp"), 12, 6);
    SendMessageA(viewer, WM_CHAR, '1', 1);
    EXPECT_EQ(statusText(viewer, 0), "first.bmp") << "the image the dialog was opened on took the name";
}
