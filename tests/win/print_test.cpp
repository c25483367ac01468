// Printing for real, to CUPS's PDF printers: the print dialog is driven as
// an artist drives it, and the documents that arrive are read back.
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "pane_fixture.h"
#include "zrhost/dialog_remote.h"

namespace {

// Where the PDF printer puts its documents, as a Windows path; empty when
// the test run set up no printer.
std::string pdfFolder()
{
    const char* unixPath = getenv("ZR_PDF_DIR");
    if (!unixPath || !*unixPath) return "";
    std::string path = std::string("Z:") + unixPath;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

std::vector<std::string> pdfsIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\*.pdf").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do names.push_back(fd.cFileName);
    while (FindNextFileA(h, &fd));
    FindClose(h);
    return names;
}

class PrintTest : public PaneTest {
protected:
    void SetUp() override
    {
        folder = pdfFolder();
        if (folder.empty()) GTEST_SKIP() << "no PDF printer: ZR_PDF_DIR is not set";
        PaneTest::SetUp();
        for (const std::string& name : pdfsIn(folder)) DeleteFileA((folder + "\\" + name).c_str());
    }

    // Waits for the printer to deliver a document; its path, or empty.
    std::string waitForPdf(int timeoutMs = 20000)
    {
        DWORD start = GetTickCount();
        while (int(GetTickCount() - start) < timeoutMs) {
            std::vector<std::string> names = pdfsIn(folder);
            if (!names.empty()) {
                pumpMessages(500);  // let the printer finish writing it
                return folder + "\\" + names[0];
            }
            pumpMessages(100);
        }
        return "";
    }

    std::string folder;
};

// Pages of a document as Ghostscript, behind cups-pdf, writes them: one
// "/Type/Page" dictionary each (the page tree is "/Type/Pages").
int pageCount(const std::string& pdf)
{
    int pages = 0;
    for (size_t at = pdf.find("/Type/Page"); at != std::string::npos; at = pdf.find("/Type/Page", at + 1))
        if (pdf.compare(at, 11, "/Type/Pages") != 0) pages++;
    return pages;
}

Rgba squares(int x, int y)
{
    bool on = ((x / 8) + (y / 8)) % 2 == 0;
    return on ? Rgba{1, 0.5f, 0, 1} : Rgba{0, 0.25f, 1, 1};
}

}  // namespace

TEST_F(PrintTest, ThreeCopiesPrintThreePagesOfOneDocument)
{
    renderImage(96, 64, squares);
    HWND dialog = openPrintDialog(viewer);
    ASSERT_NE(dialog, nullptr);
    PrintDialogState state = readPrintDialog(dialog);
    EXPECT_EQ(state.printer, "PDF") << "the default printer first";
    EXPECT_EQ(state.copies, 1);
    printWith(dialog, "", 3);
    ASSERT_TRUE(waitUntilClosed(dialog, 10000));
    waitForPrintToEnd(viewer);
    EXPECT_TRUE(IsWindowEnabled(viewer));
    std::string pdf = waitForPdf();
    ASSERT_FALSE(pdf.empty()) << "a document arrived in " << folder;
    EXPECT_EQ(pageCount(readFile(pdf)), 3);
    EXPECT_FALSE(findViewerDialog(viewer, "Printing Problem", 500)) << "no message";
}

// A frame that arrives while the pages spool is kept and shows; Cancel
// stops the document after the page it is on. A one-page print after it
// comes out behind whatever the first left, so all pages together are at
// most two: three copies and that page would be four.
TEST_F(PrintTest, CancelInPrintingStopsTheDocumentAfterThePageItIsOnWithoutAMessage)
{
    renderImage(1600, 1200, squares);  // pages that take a while to spool
    HWND dialog = openPrintDialog(viewer);
    ASSERT_NE(dialog, nullptr);
    printWith(dialog, "", 3);
    HWND printing = findViewerDialog(viewer, "ZR", 20000);
    ASSERT_NE(printing, nullptr) << "the Printing... box";
    EXPECT_FALSE(IsWindowEnabled(viewer)) << "the viewer waits while it prints";
    renderImage(32, 32, squares);  // meanwhile a new frame arrives
    HWND cancel = GetDlgItem(printing, IDCANCEL);
    ASSERT_NE(cancel, nullptr);
    char text[32] = "";
    GetWindowTextA(cancel, text, sizeof text);
    EXPECT_STREQ(text, "Cancel");
    PostMessageA(printing, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
    waitForPrintToEnd(viewer);
    EXPECT_TRUE(IsWindowEnabled(viewer));
    EXPECT_FALSE(IsWindow(printing));
    EXPECT_FALSE(findViewerDialog(viewer, "Printing Problem", 1500)) << "a cancelled print says nothing";
    EXPECT_EQ(statusText(viewer, 0), "Untitled2") << "the frame that came meanwhile shows";

    dialog = openPrintDialog(viewer);
    ASSERT_NE(dialog, nullptr);
    printWith(dialog, "", 1);
    ASSERT_TRUE(waitUntilClosed(dialog, 10000));
    waitForPrintToEnd(viewer);
    ASSERT_FALSE(waitForPdf().empty());
    int pages = 0;
    for (size_t seen = 0, steady = 0; steady < 20; steady++) {  // until no document has come for two seconds
        std::vector<std::string> names = pdfsIn(folder);
        if (names.size() != seen) steady = 0, seen = names.size();
        pages = 0;
        for (const std::string& name : names) pages += pageCount(readFile(folder + "\\" + name));
        pumpMessages(100);
    }
    EXPECT_GE(pages, 1);
    EXPECT_LE(pages, 2) << "the cancelled copies did not print";
}

TEST_F(PrintTest, ThePrinterChosenOnceIsPreselectedNextTime)
{
    renderImage(32, 32, squares);
    HWND dialog = openPrintDialog(viewer);
    ASSERT_NE(dialog, nullptr);
    printWith(dialog, "Proof", 1);
    ASSERT_TRUE(waitUntilClosed(dialog, 10000));
    waitForPrintToEnd(viewer);
    EXPECT_FALSE(waitForPdf().empty()) << "Proof printed";
    dialog = openPrintDialog(viewer);
    ASSERT_NE(dialog, nullptr);
    PrintDialogState state = readPrintDialog(dialog);
    EXPECT_EQ(state.printer, "Proof");
    EXPECT_EQ(state.copies, 1) << "copies start at 1 every time";
    cancelDialog(dialog);
    ASSERT_TRUE(waitUntilClosed(dialog, 10000));
    EXPECT_FALSE(findViewerDialog(viewer, "Printing Problem", 500)) << "a cancelled dialog says nothing";
}
